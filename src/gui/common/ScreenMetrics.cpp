#include "ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>

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

QSize QtScreenMetrics::availableSize() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(screenWidth(), screenHeight());
}

QSize fittedToScreen(QSize wanted, const ScreenMetrics& screen)
{
    constexpr int kFrame = 16;    // the window's borders
    constexpr int kTitleBar = 40; // and its title bar
    const QSize room = screen.availableSize() - QSize(kFrame, kTitleBar);
    return wanted.boundedTo(room);
}

QScrollArea* scrollingBody(QWidget* body, QWidget* parent)
{
    auto* area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("WindowScroller"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidget(body);
    return area;
}

void scrollIntoView(QScrollArea* area, QWidget* child)
{
    constexpr int kMargin = 8;
    const QRect shown(child->mapTo(area->widget(), QPoint(0, 0)), child->size());
    area->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + kMargin,
                        shown.height() / 2 + kMargin);
}

} // namespace vf
