#include "ScreenMetrics.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
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

namespace {

// The window's size that leaves the area room for its whole body, whatever else the window
// holds (a menu bar, margins), limited to the screen.
QSize sizeShowingBody(QWidget* window, const QScrollArea* area, const ScreenMetrics& screen)
{
    if (QLayout* layout = window->layout())
        layout->activate();
    const QSize around = window->size() - area->size();
    return fittedToScreen(area->widget()->size() + around, screen);
}

class BodyFit final : public QObject {
public:
    BodyFit(QWidget* window, QScrollArea* area, const ScreenMetrics& screen)
        : QObject(window)
        , m_window(window)
        , m_area(area)
        , m_screen(screen)
    {
        m_window->resize(sizeShowingBody(m_window, m_area, m_screen));
        m_asked = m_window->size();
        m_window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            m_window->removeEventFilter(this);
            if (m_window->size() == m_asked)
                m_window->resize(sizeShowingBody(m_window, m_area, m_screen));
        }
        return false;
    }

private:
    QWidget* m_window;
    QScrollArea* m_area;
    const ScreenMetrics& m_screen;
    QSize m_asked;
};

} // namespace

void sizeToBody(QWidget* window, QScrollArea* area, const ScreenMetrics& screen)
{
    new BodyFit(window, area, screen);
}

void scrollIntoView(QScrollArea* area, QWidget* child)
{
    constexpr int kMargin = 8;
    const QRect shown(child->mapTo(area->widget(), QPoint(0, 0)), child->size());
    area->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + kMargin,
                        shown.height() / 2 + kMargin);
}

} // namespace vf
