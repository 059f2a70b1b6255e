#include "SavedOrders.h"

#include "Error.h"
#include "orders/SingleLine.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>

namespace vf::savedorders {

namespace {

const QByteArray kFirstLine = QByteArrayLiteral("VF Turn Entry saved orders, format 1");
const QByteArray kChecksumField = QByteArrayLiteral("Checksum");
constexpr auto kChecksum = QCryptographicHash::Blake2b_256;
// The values of a slot line: priority, code, then the slots.
constexpr qsizetype kValues = 2 + kSlotCount;

QByteArray checksumOf(QByteArrayView fields, QByteArrayView body)
{
    QCryptographicHash hash(kChecksum);
    hash.addData(fields);
    hash.addData(body);
    return hash.result().toHex();
}

QJsonValue jsonText(const QString& text)
{
    return text.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QByteArray orderLine(const Order& order)
{
    QJsonArray values{order.priority, jsonText(order.code)};
    for (const QString& slot : order.slots)
        values.append(jsonText(slot));
    return QJsonDocument(values).toJson(QJsonDocument::Compact) + '\n';
}

QString readText(const QJsonValue& value, bool& ok)
{
    if (value.isNull())
        return QString();
    ok = ok && value.isString();
    return value.toString(QStringLiteral("")); // zero-length, never null
}

Order readOrder(QByteArrayView line, int number)
{
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray());
    const QJsonArray values = document.array();
    bool ok = document.isArray() && values.size() == kValues && values.at(0).isDouble();
    Order order;
    order.priority = values.at(0).toInt();
    order.code = readText(values.at(1), ok);
    for (int k = 0; k < kSlotCount; ++k)
        order.slots[k] = readText(values.at(2 + k), ok);
    if (!ok)
        throw Error(QStringLiteral("its order %1 cannot be read").arg(number));
    return order;
}

// The header as written, with where its parts end.
struct Layout {
    SavedOrdersHeader header;
    qint64 fieldBytes = 0; // the lines the checksum covers, before the checksum's own
    QByteArray checksum;
};

qint64 wholeNumber(const QMap<QByteArray, QByteArray>& fields, const QByteArray& name)
{
    bool ok = false;
    const qint64 value = fields.value(name).toLongLong(&ok);
    if (!ok || value < 0)
        throw Error(QStringLiteral("its header has no %1").arg(QString::fromLatin1(name)));
    return value;
}

QDateTime moment(const QByteArray& text)
{
    return QDateTime::fromString(QString::fromUtf8(text), Qt::ISODate);
}

Layout readLayout(const QByteArray& beginning)
{
    const qsizetype end = beginning.indexOf("\n\n");
    if (!beginning.startsWith(kFirstLine + '\n'))
        throw Error(QStringLiteral("it is not a copy of saved orders"));
    if (end < 0)
        throw Error(QStringLiteral("its header is cut short"));
    Layout layout;
    QMap<QByteArray, QByteArray> fields;
    qsizetype at = kFirstLine.size() + 1;
    while (at <= end) {
        const qsizetype lineEnd = beginning.indexOf('\n', at);
        const QByteArray line = beginning.mid(at, lineEnd - at);
        const qsizetype colon = line.indexOf(": ");
        if (colon < 0)
            throw Error(QStringLiteral("its header cannot be read"));
        if (line.left(colon) == kChecksumField)
            layout.fieldBytes = at;
        fields.insert(line.left(colon), line.mid(colon + 2));
        at = lineEnd + 1;
    }
    SavedOrdersHeader& header = layout.header;
    header.empireId = int(wholeNumber(fields, "Empire"));
    header.saved = moment(fields.value("Saved"));
    header.checkedAgainst = {moment(fields.value("Checked against")),
                             QString::fromUtf8(fields.value("Turn results file"))};
    header.orders = int(wholeNumber(fields, "Orders"));
    header.bodyBytes = wholeNumber(fields, "Bytes");
    header.headerBytes = end + 2;
    layout.checksum = fields.value(kChecksumField);
    if (!header.saved.isValid() || layout.fieldBytes == 0)
        throw Error(QStringLiteral("its header cannot be read"));
    return layout;
}

} // namespace

QByteArray encode(const SavedOrdersHeader& header, const QList<Order>& orders)
{
    QByteArray body;
    for (const Order& order : orders)
        body += orderLine(order);
    const auto line = [](const char* name, const QString& value) {
        return QByteArray(name) + ": " + onOneLine(value).toUtf8() + '\n';
    };
    const QByteArray fields =
        kFirstLine + '\n' + line("Empire", QString::number(header.empireId)) +
        line("Saved", header.saved.toString(Qt::ISODate)) +
        line("Checked against", header.checkedAgainst.when.toString(Qt::ISODate)) +
        line("Turn results file", header.checkedAgainst.file) +
        line("Orders", QString::number(orders.size())) +
        line("Bytes", QString::number(body.size()));
    return fields + kChecksumField + ": " + checksumOf(fields, body) + "\n\n" + body;
}

SavedOrdersHeader readHeader(const QByteArray& beginning)
{
    return readLayout(beginning).header;
}

QList<Order> readOrders(const QByteArray& whole)
{
    const Layout layout = readLayout(whole);
    const SavedOrdersHeader& header = layout.header;
    if (whole.size() != header.headerBytes + header.bodyBytes)
        throw Error(whole.size() < header.headerBytes + header.bodyBytes
                        ? QStringLiteral("it is cut short")
                        : QStringLiteral("it holds more than was written"));
    const QByteArrayView body = QByteArrayView(whole).sliced(header.headerBytes);
    if (checksumOf(QByteArrayView(whole).first(layout.fieldBytes), body) != layout.checksum)
        throw Error(QStringLiteral("its checksum does not match: it was changed since it was "
                                   "written"));
    if (body.count('\n') != header.orders || (!body.isEmpty() && !body.endsWith('\n')))
        throw Error(QStringLiteral("it says it holds %1 orders, and holds %2")
                        .arg(header.orders)
                        .arg(body.count('\n')));
    QList<Order> orders;
    orders.reserve(header.orders);
    qsizetype at = 0;
    while (at < body.size()) {
        const qsizetype end = body.indexOf('\n', at);
        orders << readOrder(body.sliced(at, end - at), int(orders.size()) + 1);
        at = end + 1;
    }
    return orders;
}

} // namespace vf::savedorders
