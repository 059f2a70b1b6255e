#include "OldDatabaseDialogue.h"

#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/Dialogs.h"
#include "store/EmpireRepository.h"
#include "store/Store.h"
#include "turnimport/OldDatabaseImporter.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Bring Over the Old Turn Entry Data");

QString reportOf(const OldDatabaseReport& report, const QString& file)
{
    QString text = QStringLiteral("Brought over from %1:\n\nempires: %2\norders: %3\nrows of "
                                  "turn data: %4")
                       .arg(QDir::toNativeSeparators(file))
                       .arg(report.empires)
                       .arg(report.orders)
                       .arg(report.turnDataRows);
    if (!report.alreadyHere.isEmpty()) {
        QStringList numbers;
        for (const qint64 id : report.alreadyHere)
            numbers << QString::number(id);
        text += QStringLiteral("\n\nLeft as they were, since this program already has them, "
                               "with their orders and turn data: Empire # %1.")
                    .arg(numbers.join(QStringLiteral(", ")));
    }
    const QString leftOut = leftOutSummary(report.leftOut);
    if (!leftOut.isEmpty())
        text += QStringLiteral("\n\n") + leftOut +
                QStringLiteral(" Only the rows of the empires it registers are brought over.");
    return text;
}

} // namespace

bool runOldDatabaseDialogue(AppContext& context, const QString& file, QWidget* window)
{
    const QString database = context.store.path();
    const QString reader = context.readerPath;
    const OldDatabaseReport report =
        waitFor(window, readingFile(file), [&](const Progress& progress) {
            const Store store(database); // the reading thread's own connection
            return OldDatabaseImporter(store, reader).importFile(file, progress);
        });
    context.dialogs.inform(kTitle, reportOf(report, file), DialogIcon::Information);
    return true;
}

bool offerOldDatabase(AppContext& context, QWidget* window)
{
    const QString file = OldDatabaseImporter::fileIn(context.dataFolder.folder());
    if (!QFileInfo::exists(file) || !EmpireRepository(context.store).all().isEmpty() ||
        !context.store.setting(Setting::oldDatabaseDeclined()).isEmpty())
        return false;
    const DialogRequest offer{
        DialogIcon::Question, kTitle,
        QStringLiteral("The data folder holds the database of the old turn entry program, %1.\n\n"
                       "Bring its empires, with their passwords and the orders already entered, "
                       "and its turn data over into this program? The old file is not changed.\n\n"
                       "If you answer No, you are not asked again; File, Import from the old "
                       "turn entry database does it at any time.")
            .arg(QDir::toNativeSeparators(file)),
        DialogButtons::YesNo};
    if (context.dialogs.ask(offer) != DialogAnswer::Yes) {
        context.store.setSetting(Setting::oldDatabaseDeclined(), QStringLiteral("yes"));
        return false;
    }
    return runOldDatabaseDialogue(context, file, window);
}

bool chooseOldDatabase(AppContext& context, QWidget* window)
{
    const auto file = context.dialogs.chooseFile(
        QStringLiteral("Import from the old turn entry database"), context.dataFolder.folder(),
        QStringLiteral("Access databases (*.mdb)"));
    return file && runOldDatabaseDialogue(context, *file, window);
}

} // namespace vf
