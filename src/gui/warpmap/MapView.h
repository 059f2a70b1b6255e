#pragma once

#include "warpmap/MapDrawing.h"
#include "warpmap/MapPlaces.h"

#include <QWidget>

namespace vf {

// The map a player pans (drag, arrow keys), zooms (wheel, + and -) and picks stars on (a
// click, or Tab and Shift+Tab through the stars in name order, Home and End to the first and
// the last, Enter to open one).
class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);

    void setMap(const WarpMap* map);
    // What is drawn over the map (a route, avoided stars, moves), and which stars are drawn;
    // nothing: none. When it shows only some stars, or shows all again, they are fitted.
    void setOverlay(const MapOverlay* overlay);
    // The whole map (or the stars drawn) in sight (also after the view changes size, until the
    // player moves it).
    void fit();
    // Marks the star and brings it to the middle.
    void centreOn(int star);
    int marked() const { return m_marked; }
    MapViewPlace place() const { return {m_centre, m_scale}; }
    void setPlace(const MapViewPlace& place);
    // Where the star is drawn, in the view's own coordinates.
    QPointF screenPointOf(int star) const;
    QTransform toScreen() const;

Q_SIGNALS:
    void starOpened(int star);
    // The right mouse button on a star, or the Menu key or Shift+F10 on the marked one: the
    // star's menu, at that place on the screen.
    void starMenuRequested(int star, QPoint at);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void zoomBy(double factor, QPointF around);
    int starAt(QPointF point) const;
    bool isDrawn(int star) const;
    // Home: the first star drawn in name order; End: the last.
    void markFirstDrawn(bool first);
    void mark(int star);

    const WarpMap* m_map = nullptr;
    const MapOverlay* m_overlay = nullptr;
    std::vector<bool> m_drawn; // the stars drawn; empty: all
    QPointF m_centre;
    double m_scale = 1;
    int m_marked = -1;
    QPointF m_pressedAt;
    QPointF m_lastDrag;
    bool m_dragged = false;
    // The whole map stays in sight as the view changes size, until the player moves it.
    bool m_fitting = true;
};

} // namespace vf
