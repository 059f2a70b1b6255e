#include "UpdateDataDialogue.h"

#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QProgressDialog>
#include <QStringList>

namespace vf {

namespace {

QString instructions(const QString& folder, const QString& empireNumber)
{
    return QStringLiteral("Make sure that you have copied the turn results data file downloaded "
                          "from Quillmoor into your ") +
           folder +
           QStringLiteral(" directory on your hard drive.  You should have one there already from "
                          "your previous turn, which you might want ") +
           QStringLiteral("to archive first so that you can maintain a series of files "
                          "representing each processed turn.") +
           QStringLiteral("\r\n\r\n") +
           QStringLiteral("The name of the file that you downloaded is   ") + empireNumber +
           QStringLiteral(".mdb   and it contains all of the data for your most ") +
           QStringLiteral("recently processed turn.  That is the file that should be copied into "
                          "your ") +
           folder + QStringLiteral(" directory.");
}

QString empireList(const QList<qint64>& ids)
{
    QStringList numbers;
    for (const qint64 id : ids)
        numbers << QString::number(id);
    return numbers.join(QStringLiteral(", "));
}

// A file that holds nothing of the chosen empire is most likely another empire's file saved
// under this empire's name: the player says whether its turn data goes.
bool confirmForeignFile(Dialogs& dialogs, int empireId, const QString& turnFile,
                        const QList<qint64>& empireIds)
{
    const QString holds =
        empireIds.isEmpty()
            ? QStringLiteral("It holds no rows at all.")
            : QStringLiteral("It holds rows of Empire # %1 only.").arg(empireList(empireIds));
    const DialogRequest question{
        DialogIcon::Warning, QStringLiteral("Verify Imperial Records"),
        QStringLiteral("None of the rows in the turn results file %1 belongs to Empire # %2. %3"
                       "\n\nImporting it deletes the turn data stored for Empire # %2. Import it "
                       "anyway?")
            .arg(QDir::toNativeSeparators(turnFile), QString::number(empireId), holds),
        DialogButtons::YesNo};
    return dialogs.ask(question) == DialogAnswer::Yes;
}

// Imports with a progress dialog whose Cancel ends the reading at once. The dialog is modal
// to the whole program, so no other action starts meanwhile.
ImportResult importWithProgress(const AppContext& context, int empireId, const QString& turnFile,
                                ForeignFile foreign, QWidget* window)
{
    QProgressDialog progress(QStringLiteral("Reading the turn results file %1 ...")
                                 .arg(QDir::toNativeSeparators(turnFile)),
                             QStringLiteral("Cancel"), 0, 0, window);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowTitle(kApplicationTitle);
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.show();
    const TurnImporter importer(context.store, context.turnFileWorker);
    return importer.importFile(empireId, turnFile, foreign,
                               [&progress] { return progress.wasCanceled(); });
}

} // namespace

bool runUpdateDataDialogue(AppContext& context, std::optional<int> empireId, QWidget* window)
{
    if (!empireId) {
        context.dialogs.warn(QStringLiteral("Imperial Bureaucrat Note"),
                             QStringLiteral("You need to select an Empire before updating turn "
                                            "results data"));
        return false;
    }
    const QString number = QString::number(*empireId);
    const DialogRequest confirm{DialogIcon::Warning, QStringLiteral("Verify Imperial Records"),
                                instructions(context.dataFolder.displayFolderName(), number),
                                DialogButtons::OkCancel};
    if (context.dialogs.ask(confirm) != DialogAnswer::Ok)
        return false;

    const QString turnFile = context.dataFolder.turnResultsFile(number);
    const ImportResult result =
        importWithProgress(context, *empireId, turnFile, ForeignFile::KeepOldData, window);
    if (!result.replaced) {
        // Nothing was changed; the file is read again only if the player wants it.
        if (!confirmForeignFile(context.dialogs, *empireId, turnFile, result.empireIds))
            return false;
        importWithProgress(context, *empireId, turnFile, ForeignFile::Replace, window);
    }
    context.dialogs.inform(QStringLiteral("Imperial Data Dump"),
                           QStringLiteral("All done importing Empire data!"),
                           DialogIcon::Information);
    return true;
}

} // namespace vf
