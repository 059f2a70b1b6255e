#include "TurnImports.h"

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
