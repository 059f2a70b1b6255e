#include "UpdateDataDialogue.h"

#include "Error.h"
#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/Dialogs.h"
#include "platform/Clock.h"
#include "platform/WholeFile.h"
#include "store/EmpireOrderCheck.h"
#include "store/Store.h"
#include "turnimport/TurnImporter.h"
#include "turnimport/TurnResultsArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
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
        DialogIcon::Warning,
        QStringLiteral("Verify Imperial Records"),
        QStringLiteral("None of the rows in the turn results file %1 belongs to Empire # %2. %3"
                       "\n\nImporting it deletes the turn data stored for Empire # %2. Import it "
                       "anyway?")
            .arg(QDir::toNativeSeparators(turnFile), QString::number(empireId), holds),
        DialogButtons::YesNo,
        false,
        DialogAnswer::No};
    return dialogs.ask(question) == DialogAnswer::Yes;
}

ImportResult importWithProgress(const AppContext& context, int empireId, const QString& turnFile,
                                ForeignFile foreign, QWidget* window)
{
    const QString database = context.store.path();
    const QString reader = context.readerPath;
    return waitFor(window, readingFile(turnFile), [&](const Progress& progress) {
        const Store store(database); // the reading thread's own connection
        return TurnImporter(store, reader).importFile(empireId, turnFile, foreign, progress);
    });
}

QString startFolderForDownloads()
{
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QFileInfo(downloads).isDir() ? downloads : QDir::homePath();
}

// The file is not in the data folder: the player may choose it where it was downloaded to.
// Returns the file chosen, or nothing.
std::optional<QString> offerToChoose(Dialogs& dialogs, const QString& turnFile)
{
    const DialogRequest missing{
        DialogIcon::Warning, QStringLiteral("Verify Imperial Records"),
        QStringLiteral("The turn results file was looked for as %1, and it is not there.\n\n"
                       "Choose the file you downloaded? It is copied into the data folder under "
                       "that name and imported.")
            .arg(QDir::toNativeSeparators(turnFile)),
        DialogButtons::YesNo};
    if (dialogs.ask(missing) != DialogAnswer::Yes)
        return std::nullopt;
    return dialogs.chooseFile(QStringLiteral("Choose the turn results file"),
                              startFolderForDownloads(),
                              QStringLiteral("Turn results files (*.mdb)"));
}

void copyInto(const QString& imported, const QString& turnFile)
{
    try {
        copyFileWhole(imported, turnFile);
    } catch (const Error& error) {
        throw Error(QStringLiteral("The turn results file was imported, but it could not be "
                                   "copied into the data folder as %1: %2.")
                        .arg(QDir::toNativeSeparators(turnFile), error.message()));
    }
}

// After a successful import: a file read from elsewhere takes its place in the data folder,
// and the file is kept in the archive. A failure here is told but does not undo the import.
void keepImportedFile(AppContext& context, const QString& imported, const QString& turnFile,
                      const QString& number)
{
    try {
        if (QFileInfo(imported) != QFileInfo(turnFile))
            copyInto(imported, turnFile);
        TurnResultsArchive(context.dataFolder.folder()).keep(turnFile, number, context.clock.now());
    } catch (const Error& error) {
        context.dialogs.warn(QString(), error.message());
    }
}

// "3 of your stored orders name fleets, ..." when the new turn data lacks what stored orders
// name; empty when none does.
QString ordersNoLongerFitting(const Store& store, int empireId)
{
    const OrderCheckReport report = checkEmpireOrders(store, empireId);
    QSet<qint64> orders;
    for (const OrderFinding& finding : report.findings) {
        if (finding.severity == OrderFinding::Severity::Error &&
            finding.problem.contains(QStringLiteral("is not in the turn data")))
            orders.insert(finding.orderId);
    }
    if (orders.isEmpty())
        return QString();
    return QStringLiteral("%1 of your stored orders %2 fleets, warp points or items your new turn "
                          "data does not hold.")
        .arg(orders.size())
        .arg(orders.size() == 1 ? QStringLiteral("names") : QStringLiteral("name"));
}

} // namespace

std::optional<DialogAnswer> runUpdateDataDialogue(AppContext& context, std::optional<int> empireId,
                                                  QWidget* window,
                                                  const std::optional<QString>& droppedFile)
{
    if (!empireId) {
        context.dialogs.warn(QStringLiteral("Imperial Bureaucrat Note"),
                             QStringLiteral("You need to select an Empire before updating turn "
                                            "results data"));
        return std::nullopt;
    }
    const QString number = QString::number(*empireId);
    const DialogRequest confirm{DialogIcon::Warning, QStringLiteral("Verify Imperial Records"),
                                instructions(context.dataFolder.displayFolderName(), number),
                                DialogButtons::OkCancel};
    if (context.dialogs.ask(confirm) != DialogAnswer::Ok)
        return std::nullopt;

    // A file from elsewhere is read where it is; only once it has been imported whole does it
    // replace the one in the data folder.
    const QString turnFile = context.dataFolder.turnResultsFile(number);
    QString imported = droppedFile.value_or(turnFile);
    // A link that leads nowhere is there: the import says why it cannot be read.
    const QFileInfo inFolder(turnFile);
    if (!droppedFile && !inFolder.exists() && !inFolder.isSymLink()) {
        const auto chosen = offerToChoose(context.dialogs, turnFile);
        if (!chosen)
            return std::nullopt;
        imported = *chosen;
    }
    ImportResult result =
        importWithProgress(context, *empireId, imported, ForeignFile::KeepOldData, window);
    if (!result.replaced) {
        // Nothing was changed; the file is read again only if the player wants it.
        if (!confirmForeignFile(context.dialogs, *empireId, imported, result.empireIds))
            return std::nullopt;
        result = importWithProgress(context, *empireId, imported, ForeignFile::Replace, window);
    }
    keepImportedFile(context, imported, turnFile, number);
    // Rows the import left out are told, so that none goes without a word.
    QStringList told{QStringLiteral("All done importing Empire data!")};
    if (const QString leftOut = leftOutSummary(result.leftOut); !leftOut.isEmpty())
        told << leftOut;
    QString unfit;
    try {
        unfit = ordersNoLongerFitting(context.store, *empireId);
    } catch (const Error&) {
        // The import is done and kept; Check Orders tells the rest when asked.
    }
    if (!unfit.isEmpty())
        told << unfit;
    // What Changed only once there is an import before this one to compare with.
    const bool comparable =
        TurnResultsArchive(context.dataFolder.folder()).kept(number).size() >= 2;
    DialogButtons buttons = comparable ? DialogButtons::ImportDone : DialogButtons::Ok;
    if (!unfit.isEmpty())
        buttons = comparable ? DialogButtons::ImportDoneCheck : DialogButtons::FirstImportDoneCheck;
    return context.dialogs.ask({DialogIcon::Information, QStringLiteral("Imperial Data Dump"),
                                told.join(QStringLiteral("\r\n\r\n")), buttons});
}

} // namespace vf
