#include "Startup.h"

#include "AppWindows.h"
#include "Error.h"
#include "common/AppContext.h"
#include "common/QtDialogs.h"
#include "common/ScreenMetrics.h"
#include "platform/Clock.h"
#include "platform/ProgramFiles.h"
#include "platform/WholeFile.h"
#include "store/Store.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>

// Resources of a static library are registered by name, outside any namespace.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace vf {

StartupOptions parseStartupOptions(const QStringList& arguments)
{
    QCoreApplication::setApplicationName(QStringLiteral("VF Turn Entry"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VFTURN_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turn entry for Voidfire: Dominara: register empires, import turn results, "
                       "enter orders and write the orders file."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption dataDir(
        QStringList{QStringLiteral("data-dir")},
        QStringLiteral("Keep the database, turn results files and orders files in <dir> "
                       "instead of %1.")
            .arg(QDir::toNativeSeparators(DataFolder::defaultFolder())),
        QStringLiteral("dir"));
    parser.addOption(dataDir);

    StartupOptions options;
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        options.exitCode = 2;
        return options;
    }
    if (parser.isSet(help)) {
        // Parsed before the application object exists, so name the program ourselves.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"),
                     QFileInfo(arguments.value(0, QStringLiteral("vfturn"))).fileName());
        std::printf("%s", qPrintable(text));
        options.exitCode = 0;
    } else if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        options.exitCode = 0;
    }
    options.dataFolder =
        parser.isSet(dataDir) ? parser.value(dataDir) : DataFolder::defaultFolder();
    return options;
}

QIcon programIcon()
{
    registerIconResources();
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/org.vfturn.VFTurnEntry.png").arg(size));
    return icon;
}

std::unique_ptr<Store> openTurnEntryDatabase(const DataFolder& folder, Dialogs& dialogs)
{
    try {
        if (!QDir().mkpath(folder.folder()))
            throw Error(QStringLiteral("Could not create the data folder %1.")
                            .arg(QDir::toNativeSeparators(folder.folder())));
        auto store = std::make_unique<Store>(folder.databaseFile());
        if (store->readOnly())
            dialogs.inform(QString(),
                           QStringLiteral("The data folder %1 cannot be written to, so nothing can "
                                          "be stored: you can look at your empires and orders, "
                                          "but not change them, import turn results or save "
                                          "orders.")
                               .arg(folder.displayFolderName()),
                           DialogIcon::Warning);
        return store;
    } catch (const Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        dialogs.inform(QString(), error.message(), DialogIcon::Warning);
    }
    return nullptr;
}

int runProgram(QApplication& app, const StartupOptions& options)
{
    const DataFolder folder(options.dataFolder);
    QApplication::setWindowIcon(programIcon());
    QtDialogs dialogs;
    const std::unique_ptr<Store> store = openTurnEntryDatabase(folder, dialogs);
    if (!store)
        return 1;
    // What an earlier run was writing when it was ended.
    removeUnfinishedFiles(folder.foldersWritten());
    SystemClock clock;
    QtScreenMetrics screen;
    const QString programFolder = QApplication::applicationDirPath();
    AppContext context{*store, folder, dialogs, clock, screen, readerPathIn(programFolder)};
    context.userGuide = userGuidePath(programFolder);
    AppWindows windows(context);
    windows.start();
    return app.exec();
}

} // namespace vf
