#include "AppWindows.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const vf::StartupOptions options = vf::parseStartupOptions(app);
    if (options.exitCode)
        return *options.exitCode;
    return vf::runProgram(app, options);
}
