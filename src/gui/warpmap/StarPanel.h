#pragma once

#include "warpmap/WarpMap.h"

#include <QWidget>

#include <optional>

class QCheckBox;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace vf {

struct AppContext;
class Navigator;

// The panel of one star of the map: its warp points, orbits, population groups and fleets
// (Enter, the right mouse button or Shift+F10 on a warp point, a population group or a fleet
// begins a new order with it), and Near This Star: only the stars within so many jumps of it
// drawn.
class StarPanel : public QWidget {
    Q_OBJECT
public:
    StarPanel(AppContext& context, Navigator& navigator, int empireId, const WarpMap& map,
              QWidget* parent = nullptr);

    // Lists what the star holds.
    void showStar(int star);
    // The star listed; -1: none yet.
    int shownStar() const { return m_star; }
    // How many jumps Near This Star reaches; 0: it is off (or no star is listed).
    int nearJumps() const;

    QTreeWidget& tree() { return *m_tree; }
    QCheckBox& nearBox() { return *m_near; }
    QSpinBox& jumpsBox() { return *m_jumps; }

Q_SIGNALS:
    // Near This Star was turned on or off, its jumps changed, or another star listed.
    void nearChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void offerNewOrder(QTreeWidgetItem* item, std::optional<QPoint> at);

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    const WarpMap& m_map;
    int m_star = -1;
    QTreeWidget* m_tree = nullptr;
    QCheckBox* m_near = nullptr;
    QSpinBox* m_jumps = nullptr;
};

} // namespace vf
