#include "HelpWindows.h"

#include "common/AppContext.h"
#include "common/CloseOnEscape.h"
#include "common/Dialogs.h"
#include "common/ScreenMetrics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace vf {

UserGuideWindow::UserGuideWindow(const QString& guide, const ScreenMetrics& screen, QWidget* parent)
    : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("UserGuide"));
    setWindowTitle(QStringLiteral("VF Turn Entry - User's Guide"));
    setOpenExternalLinks(true);
    // The player's part: what comes before the building of the program from its source.
    QFile file(guide);
    QString text = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    const qsizetype building = text.indexOf(QStringLiteral("\n## Building from source"));
    if (building >= 0)
        text.truncate(building + 1);
    document()->setBaseUrl(QUrl::fromLocalFile(guide)); // where its pictures are
    setMarkdown(text);
    resize(fittedToScreen(QSize(760, 600), screen));
    closeOnEscape(this);
}

void openUserGuide(AppContext& context, QWidget* over)
{
    if (!QFileInfo::exists(context.userGuide)) {
        context.dialogs.warn(QStringLiteral("Imperial Library Entry"),
                             QStringLiteral("The user's guide was looked for as %1, and it is "
                                            "not there.")
                                 .arg(QDir::toNativeSeparators(context.userGuide)));
        return;
    }
    auto* window = new UserGuideWindow(context.userGuide, context.screen, over);
    window->show();
    window->activateWindow();
}

void showAbout(AppContext& context)
{
    DialogRequest about{
        DialogIcon::Information, QStringLiteral("About VF Turn Entry"),
        QStringLiteral("VF Turn Entry %1\n\nTurn entry for the play-by-mail game Voidfire: "
                       "Dominara: register your empires, import their turn results, enter orders "
                       "and write the orders file you upload.\n\nFree software under the GNU "
                       "General Public License, version 3 or (at your choice) any later version "
                       "(GPL-3.0-or-later).\n\nYour data folder: %2")
            .arg(QStringLiteral(VFTURN_VERSION), context.dataFolder.displayFolderName()),
        DialogButtons::Ok};
    about.folderToOpen = context.dataFolder.folder();
    context.dialogs.ask(about);
}

} // namespace vf
