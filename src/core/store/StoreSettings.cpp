#include "Store.h"

namespace vf {

QString Store::setting(const Setting& setting) const
{
    QSqlQuery query =
        run(QStringLiteral("SELECT Value FROM Settings WHERE Name = ?"), {setting.storedName()});
    return query.next() ? query.value(0).toString() : QString();
}

void Store::setSetting(const Setting& setting, const QString& value) const
{
    run(QStringLiteral("INSERT OR REPLACE INTO Settings (Name, Value) VALUES (?, ?)"),
        {setting.storedName(), value});
}

} // namespace vf
