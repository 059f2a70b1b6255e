#pragma once

#include "warpmap/MapDrawing.h"
#include "warpmap/Route.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vf {

// The route between two stars of the map: From and To boxes (a star's name, any letter case,
// completed as typed), the fewest jumps over the warp points the empire knows in words, the
// stars avoided, and Order This Route. What it plans is drawn over the map (overlay()).
class RoutePanel : public QWidget {
    Q_OBJECT
public:
    RoutePanel(const WarpMap& map, QWidget* parent = nullptr);
    ~RoutePanel() override;

    void setFrom(int star);
    void setTo(int star);
    // Avoids the star, or no longer does.
    void toggleAvoided(int star);
    bool isAvoided(int star) const;

    const Route& route() const { return m_route; }
    const RouteFinder& finder() const { return m_finder; }
    const MapOverlay& overlay() const { return m_overlay; }
    QLineEdit& from() { return *m_from; }
    QLineEdit& to() { return *m_to; }
    QLabel& told() { return *m_told; }
    QPushButton& orderButton() { return *m_order; }

Q_SIGNALS:
    // The route, or the stars avoided, changed: the map draws them anew.
    void changed();
    // Order This Route was pressed on a route of one jump at least.
    void orderWanted();

private:
    QLineEdit* starBox(const QString& name, const QString& accessible);
    // Searches again from what the boxes hold and tells the result.
    void search();
    int starIn(const QLineEdit* box) const;

    const WarpMap& m_map;
    RouteFinder m_finder;
    std::vector<bool> m_avoided;
    Route m_route;
    MapOverlay m_overlay;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLabel* m_told = nullptr;
    QLabel* m_avoidedList = nullptr;
    QPushButton* m_order = nullptr;
};

} // namespace vf
