#include "UpdateDataDialogue.h"

#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "turnimport/TurnImporter.h"

#include <QProgressDialog>

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

    QProgressDialog progress(
        QStringLiteral("Importing the turn results file %1.mdb ...").arg(number), QString(), 0, 0,
        window);
    progress.setWindowTitle(kApplicationTitle);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    const TurnImporter importer(context.store, context.turnFileWorker);
    importer.importFile(*empireId, context.dataFolder.turnResultsFile(number));
    progress.close();
    context.dialogs.inform(QStringLiteral("Imperial Data Dump"),
                           QStringLiteral("All done importing Empire data!"),
                           DialogIcon::Information);
    return true;
}

} // namespace vf
