#include "Startup.h"
#include "platform/System.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // --help and --version answer before any window system is needed.
    const vf::StartupOptions options =
        vf::parseStartupOptions(vf::platform::commandLineArguments(argc, argv));
    if (options.exitCode)
        return *options.exitCode;
    QApplication app(argc, argv);
    return vf::runProgram(app, options);
}
