#include "SetAside.h"

#include <QCryptographicHash>
#include <QHash>

#include <algorithm>

namespace vf {

namespace {

bool blank(const QString& slot)
{
    return std::all_of(slot.begin(), slot.end(), [](QChar c) { return c == QLatin1Char(' '); });
}

} // namespace

QString orderPrint(const Order& order)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    const auto add = [&hash](const QString& text) {
        hash.addData(text.toUtf8());
        hash.addData(QByteArrayView("\x1f", 1));
    };
    add(order.code);
    add(QString::number(order.priority));
    for (const QString& slot : order.slots)
        add(blank(slot) ? QString() : slot);
    return QString::fromLatin1(hash.result().toHex());
}

size_t qHash(const SetAsideKey& key, size_t seed)
{
    return qHashMulti(seed, key.orderId, key.slot, key.problem, key.orderPrint);
}

SetAsideKey setAsideKeyOf(const OrderFinding& finding)
{
    return {finding.orderId, finding.slot, finding.problem, finding.orderPrint};
}

void separateSetAside(OrderCheckReport& report, const QList<Order>& orders,
                      const QSet<SetAsideKey>& aside)
{
    QHash<qint64, QString> prints;
    for (const Order& order : orders)
        prints.insert(order.id, orderPrint(order));
    QList<OrderFinding> kept;
    for (OrderFinding& finding : report.findings) {
        finding.orderPrint = prints.value(finding.orderId);
        if (aside.contains(setAsideKeyOf(finding)))
            report.setAside << finding;
        else
            kept << finding;
    }
    report.findings = kept;
}

} // namespace vf
