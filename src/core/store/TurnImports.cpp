#include "TurnImports.h"

#include "Wording.h"

#include "EmpireRepository.h"
#include "Store.h"
#include "protocol/ImportedTables.h"

namespace vf {

ImportStamp lastImportOf(const Store& store, int empireId)
{
    return {QDateTime::fromString(store.setting(Setting::importedAt(empireId)), Qt::ISODate),
            store.setting(Setting::importedFrom(empireId))};
}

void recordImport(const Store& store, int empireId, const ImportStamp& stamp)
{
    store.setSetting(Setting::importedAt(empireId), stamp.when.toString(Qt::ISODate));
    store.setSetting(Setting::importedFrom(empireId), stamp.file);
}

QStringList furtherFieldsOf(const Store& store, int empireId, const QString& table)
{
    const QString names = store.setting(Setting::furtherFields(empireId, table));
    if (names.isEmpty())
        return {};
    return names.split(QLatin1Char(reader::kMoreSeparator));
}

void keepFurtherFields(const Store& store, int empireId, const QString& table,
                       const QStringList& names)
{
    store.setSetting(Setting::furtherFields(empireId, table),
                     names.join(QLatin1Char(reader::kMoreSeparator)));
}

// Kept a table a line, its name and its rows apart by a tab (a name holds neither).
QList<UnreadTable> unreadTablesOf(const Store& store, int empireId)
{
    QList<UnreadTable> tables;
    const QString kept = store.setting(Setting::unreadTables(empireId));
    for (const QString& line : kept.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        tables.append({line.section(QLatin1Char('\t'), 0, 0),
                       line.section(QLatin1Char('\t'), 1).toLongLong()});
    return tables;
}

void keepUnreadTables(const Store& store, int empireId, const QList<UnreadTable>& tables)
{
    QStringList lines;
    for (const UnreadTable& table : tables)
        lines << QStringLiteral("%1\t%2").arg(table.name).arg(table.rows);
    store.setSetting(Setting::unreadTables(empireId), lines.join(QLatin1Char('\n')));
}

QString unreadTablesLine(const QList<UnreadTable>& tables)
{
    if (tables.isEmpty())
        return QString();
    QStringList named;
    for (const UnreadTable& table : tables)
        named << QStringLiteral("%1 (%2)").arg(
            table.name, countOf(table.rows, QStringLiteral("row"), QStringLiteral("rows")));
    return QStringLiteral("The file also holds: %1, not read by this program")
        .arg(named.join(QStringLiteral(", ")));
}

QString importTitle(const Store& store, int empireId, const QString& window)
{
    const auto empire = EmpireRepository(store).findById(empireId);
    QString title = QStringLiteral("%1 - Empire # %2").arg(window).arg(empireId);
    if (empire && !empire->name.isEmpty())
        title += QLatin1Char(' ') + empire->name;
    const ImportStamp imported = lastImportOf(store, empireId);
    if (!imported.isValid())
        return title + QStringLiteral(" - never imported");
    title += QStringLiteral(" - imported ") + shownTime(imported.when);
    return imported.file.isEmpty() ? title : title + QStringLiteral(" from ") + imported.file;
}

} // namespace vf
