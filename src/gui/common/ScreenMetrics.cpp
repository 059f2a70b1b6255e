#include "ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

namespace vf {

int QtScreenMetrics::screenWidth() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1024;
}

int QtScreenMetrics::screenHeight() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 768;
}

} // namespace vf
