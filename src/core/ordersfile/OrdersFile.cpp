#include "OrdersFile.h"

#include "Error.h"
#include "orders/SingleLine.h"
#include "platform/WholeFile.h"
#include "platform/Windows1252.h"

#include <QDir>
#include <QStringList>

namespace vf::ordersfile {

namespace {

// One order, one line: a control character stored in a value (an old database or an import
// can hold one) is written as a blank.
QString line(const QStringList& values)
{
    QStringList quoted;
    quoted.reserve(values.size());
    for (const QString& value : values)
        quoted << QLatin1Char('"') + onOneLine(value) + QLatin1Char('"');
    return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

} // namespace

QString fileName(const QDate& today, const QString& empireNumber)
{
    const QString date = QStringLiteral("%1-%2-%3")
                             .arg(today.month(), 2, 10, QLatin1Char('0'))
                             .arg(today.day(), 2, 10, QLatin1Char('0'))
                             .arg(today.year(), 4, 10, QLatin1Char('0'));
    return QStringLiteral("KELVAR Orders ") + date + QLatin1Char('.') + empireNumber;
}

QByteArray contents(const QString& empireNumber, const QString& password,
                    const QList<Order>& orders)
{
    QString text = line({QStringLiteral("KELVAR Orders"), empireNumber, password});
    for (const Order& order : orders) {
        QStringList values{order.code};
        for (const QString& slot : order.slots)
            values << slot;
        text += line(values);
    }
    return toWindows1252(text);
}

QString write(const QString& folder, const QString& fileName, const QByteArray& contents)
{
    const QString path = QDir(folder).filePath(fileName);
    const auto fail = [&](const QString& why) {
        return Error(QStringLiteral("The orders file %1 could not be written: %2.")
                         .arg(QDir::toNativeSeparators(path), why));
    };
    if (!QDir().mkpath(folder))
        throw fail(QStringLiteral("the folder %1 could not be made")
                       .arg(QDir::toNativeSeparators(folder)));
    try {
        writeFileWhole(path, contents);
    } catch (const Error& error) {
        throw fail(error.message());
    }
    return path;
}

} // namespace vf::ordersfile
