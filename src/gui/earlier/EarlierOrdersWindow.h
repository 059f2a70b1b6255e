#pragma once

#include "earlier/EarlierOrders.h"

#include <QHash>
#include <QKeySequence>
#include <QWidget>

#include <optional>

class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;

namespace vf {

struct AppContext;
class Navigator;
class SavedOrdersModel;

// The earlier turns of an empire's orders, newest first (the copies Save Orders kept, and the
// orders Clear Orders kept aside), and the orders of the one chosen in a read-only grid. Copy
// to This Turn stores the orders selected as new orders after the empire's last one; when one
// of them will fail to execute, Check Orders opens. A copy that cannot be read is listed as
// damaged; the others are not touched by it. The list follows Save Orders and Clear Orders.
class EarlierOrdersWindow : public QWidget {
    Q_OBJECT
public:
    EarlierOrdersWindow(AppContext& context, Navigator& navigator, int empireId,
                        QWidget* parent = nullptr);
    ~EarlierOrdersWindow() override;

    int empireId() const { return m_empireId; }
    QTableWidget& turns() { return *m_turns; }
    QTableView& orders() { return *m_grid; }
    // Lists the earlier turns again when they changed; the turn shown stays shown.
    void reload();
    // Whether every copy listed has been read whole once, its damage (if any) told.
    bool checkedWhole() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void fillTurns();
    void showTurn();
    void copySelected();
    void tellCopied(const CopiedOrders& copied);
    void checkCopiesWhole();
    // The turn as listed, with the damage found when it was read whole.
    EarlierTurn shownAs(const EarlierTurn& turn) const;

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    QTableWidget* m_turns = nullptr;
    QLabel* m_about = nullptr;
    QTableView* m_grid = nullptr;
    SavedOrdersModel* m_model = nullptr;
    QPushButton* m_copy = nullptr;
    QList<EarlierTurn> m_list;
    // What reading a copy whole found, by its place and version: empty when it is sound.
    QHash<QString, QString> m_readWhole;
    QString m_shown; // the place and version of the turn the grid shows
    bool m_checking = false;
};

// Ctrl+Shift+E, in the main menu's File menu.
QKeySequence earlierOrdersKey();

// Opens Earlier Orders for the empire over the window given (the one open for the empire comes
// to the front), or warns that none is chosen.
void openEarlierOrders(AppContext& context, Navigator& navigator, std::optional<int> empireId,
                       QWidget* over);

} // namespace vf
