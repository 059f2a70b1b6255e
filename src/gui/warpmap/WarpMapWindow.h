#pragma once

#include "warpmap/WarpMap.h"

#include <QWidget>

#include <optional>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace vf {

struct AppContext;
class MapView;
class Navigator;

// The empire's map laid out: the places kept with its import, else laid out now off the
// window's thread with a progress bar and Cancel (nothing when cancelled), and kept.
std::optional<WarpMap> laidOutMap(AppContext& context, int empireId, QWidget* parent);

// The warp map of the empire: find a star by name, a star's panel (its warp points, orbits,
// population groups and fleets; a warp point starts a new order), Fit, export as PNG or SVG.
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
    QTreeWidget& panel() { return *m_panel; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showStar(int star);
    void offerNewOrder(QTreeWidgetItem* item, std::optional<QPoint> at);
    void askExport(const QString& kind);

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    WarpMap m_map;
    MapView* m_view = nullptr;
    QLineEdit* m_find = nullptr;
    QTreeWidget* m_panel = nullptr;
    bool m_placed = false;
    QString m_shownStar; // the star the panel lists (the map may have marked another since)
};

} // namespace vf
