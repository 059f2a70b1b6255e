#include "Startup.h"

#include "AppWindows.h"
#include "Error.h"
#include "common/AppContext.h"
#include "common/QtDialogs.h"
#include "common/ScreenMetrics.h"
#include "platform/Clock.h"
#include "store/Store.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <cstdio>
#include <memory>

namespace vf {

namespace {

std::unique_ptr<Store> openStore(const DataFolder& folder)
{
    if (!QDir().mkpath(folder.folder()))
        throw Error(QStringLiteral("Could not create the data folder %1.")
                        .arg(QDir::toNativeSeparators(folder.folder())));
    return std::make_unique<Store>(folder.databaseFile());
}

} // namespace

StartupOptions parseStartupOptions(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("VF Turn Entry"));
    QApplication::setApplicationVersion(QStringLiteral(VFTURN_VERSION));
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
    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        options.exitCode = 2;
        return options;
    }
    if (parser.isSet(help)) {
        std::printf("%s", qPrintable(parser.helpText()));
        options.exitCode = 0;
    } else if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QApplication::applicationName()),
                    qPrintable(QApplication::applicationVersion()));
        options.exitCode = 0;
    }
    options.dataFolder = parser.isSet(dataDir) ? parser.value(dataDir) : DataFolder::defaultFolder();
    return options;
}

int runProgram(QApplication& app, const StartupOptions& options)
{
    const DataFolder folder(options.dataFolder);
    std::unique_ptr<Store> store;
    try {
        store = openStore(folder);
    } catch (const Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        QMessageBox::critical(nullptr, kApplicationTitle, error.message());
        return 1;
    }
    QtDialogs dialogs;
    SystemClock clock;
    QtScreenMetrics screen;
    AppContext context{*store, folder, dialogs, clock, screen,
                       QDir(QApplication::applicationDirPath())
                           .filePath(QStringLiteral("vfturn-turnfile"))};
    AppWindows windows(context);
    windows.start();
    return app.exec();
}

} // namespace vf
