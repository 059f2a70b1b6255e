#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

namespace vf {

// The primary screen's size in pixels, injected so that tests choose the width.
class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // The room windows have: the screen without its task bars.
    virtual QSize availableSize() const { return {screenWidth(), screenHeight()}; }
};

class QtScreenMetrics final : public ScreenMetrics {
public:
    int screenWidth() const override;
    int screenHeight() const override;
    QSize availableSize() const override;
};

// A window's size for content of the wanted size, limited to the room the screen has (with
// room left for the window's frame): a window larger than the screen scrolls inside.
QSize fittedToScreen(QSize wanted, const ScreenMetrics& screen);

// A scroll area that shows the body at its designed size; scroll bars appear only when the
// window is smaller than the body.
QScrollArea* scrollingBody(QWidget* body, QWidget* parent);

// Sizes the window so that the area shows its whole body, within the room the screen has; and
// once more when the window is first shown, measured then (menu bars and fonts differ between
// systems), unless the window was given another size meanwhile (one the player left it at).
void sizeToBody(QWidget* window, QScrollArea* area, const ScreenMetrics& screen);

// Scrolls the area so that the whole of the child shows (Qt's own ensureWidgetVisible settles
// for a box's text cursor).
void scrollIntoView(QScrollArea* area, QWidget* child);

} // namespace vf
