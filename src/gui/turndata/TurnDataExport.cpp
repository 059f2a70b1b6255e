#include "TurnDataExport.h"

#include "TurnTableModel.h"
#include "Wording.h"
#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"
#include "common/SaveFileName.h"
#include "platform/WholeFile.h"
#include "turndata/TableExport.h"

#include <QDir>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Export");

} // namespace

void exportTables(AppContext& context, int empireId, const QList<TurnTableModel*>& tables)
{
    if (tables.isEmpty())
        return;
    const QString name =
        tables.size() == 1 ? tables.front()->table().title : QStringLiteral("Turn Data");
    const auto chosen = context.dialogs.chooseSaveFile(
        QStringLiteral("Export %1 as CSV").arg(name),
        context.dataFolder.folder() + QStringLiteral("/Empire %1 %2.csv").arg(empireId).arg(name),
        QStringLiteral("*.csv"));
    if (!chosen)
        return;
    const auto named = saveFileNamed(context.dialogs, *chosen, QStringLiteral("csv"));
    if (!named)
        return;
    const QString& path = *named;
    guarded(context.dialogs, [&] {
        int rows = 0;
        QByteArray csv;
        if (tables.size() == 1) {
            tables.front()->load();
            const std::vector<QStringList> shown = tables.front()->shownRows();
            rows = int(shown.size());
            csv = csvOf(tables.front()->columns(), shown);
        } else {
            QList<TitledRows> all;
            for (TurnTableModel* table : tables) {
                table->load();
                all.append({table->table().title, table->columns(), table->shownRows()});
                rows += int(all.back().rows.size());
            }
            csv = csvOf(all);
        }
        writeFileWhole(path, csv);
        context.dialogs.inform(
            kTitle,
            QStringLiteral("%1 of %2 written to %3.")
                .arg(countOf(rows, QStringLiteral("row"), QStringLiteral("rows")), name,
                     QDir::toNativeSeparators(path)),
            DialogIcon::Information);
    });
}

} // namespace vf
