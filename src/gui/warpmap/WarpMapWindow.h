#pragma once

#include "warpmap/MapDrawing.h"
#include "warpmap/WarpMap.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSplitter;
class QTreeWidget;

namespace vf {

struct AppContext;
class MapView;
class Navigator;
class RoutePanel;
class StarPanel;

// The empire's map laid out: the places kept with its import, else laid out now off the
// window's thread with a progress bar and Cancel (nothing when cancelled), and kept.
std::optional<WarpMap> laidOutMap(AppContext& context, int empireId, QWidget* parent);

// The warp map of the empire: find a star by name, a star's panel (its warp points, orbits,
// population groups and fleets; a warp point starts a new order), a route between two stars
// (avoiding stars, ordered in one step), this turn's moves drawn (following the orders
// stored), Fit, export as PNG or SVG.
// The player's zoom and position are kept for the empire when the window closes.
class WarpMapWindow : public QWidget {
    Q_OBJECT
public:
    WarpMapWindow(AppContext& context, Navigator& navigator, int empireId, WarpMap map,
                  QWidget* parent = nullptr);

    int empireId() const { return m_empireId; }
    const WarpMap& map() const { return m_map; }
    MapView& view() { return *m_view; }
    QLineEdit& find() { return *m_find; }
    QTreeWidget& panel();
    StarPanel& starPanel() { return *m_star; }
    RoutePanel& routePanel() { return *m_route; }
    QCheckBox& showOrders() { return *m_showOrders; }
    QLabel& movesNote() { return *m_movesNote; }
    const MapOverlay& overlay() const { return m_overlay; }
    // Marks the star, brings it to the middle and lists what it holds; a star the map does
    // not hold is told beside Find.
    void showStarNamed(const QString& name);
    // Shows the route panel, the focus in its first empty box.
    void showRoutePanel();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showStar(int star);
    void askExport(const QString& kind);
    void offerStarMenu(int star, QPoint at);
    // The moves of the orders stored now, and the route planned, drawn anew.
    void refreshMoves();
    void updateOverlay();
    void escape();
    // The star the text names (see WarpMap::bestMatch), or -1 and a word saying there is none.
    int findStar(const QString& text);
    // Shows the route panel with the room it needs beside the star's.
    void revealRoutePanel();

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    WarpMap m_map;
    MapView* m_view = nullptr;
    QLineEdit* m_find = nullptr;
    StarPanel* m_star = nullptr;
    RoutePanel* m_route = nullptr;
    QSplitter* m_side = nullptr; // the star's panel above the route's
    QCheckBox* m_showOrders = nullptr;
    QLabel* m_movesNote = nullptr;
    QLabel* m_findNote = nullptr;
    std::vector<MapMove> m_moves;
    MapOverlay m_overlay;
    bool m_placed = false;
};

} // namespace vf
