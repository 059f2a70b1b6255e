#pragma once

#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QScrollArea;
class QTableView;

namespace vf {

struct AppContext;
class Navigator;
class WidgetOrderForm;
class OrdersGridModel;
class OrderRepository;
class TurnDataRepository;
class OrderStorer;
class EnterKeyRoutes;
struct OrderFormWidgets;
struct OrderStart;
struct ChoiceEntry;

// The order entry window: the code chooser, the description line, 51 entry boxes with their
// prompts, the message templates and the grid of the empire's stored orders. It wires the
// widgets to the order rules; the rules themselves live in the core library.
class OrderEntryWindow : public QWidget {
    Q_OBJECT
public:
    OrderEntryWindow(AppContext& context, Navigator& navigator, int empireId,
                     QWidget* parent = nullptr);
    ~OrderEntryWindow() override;

    WidgetOrderForm& form() { return *m_form; }
    OrdersGridModel& grid() { return *m_gridModel; }
    int empireId() const { return m_empireId; }

    // Runs when the player clicks Save Order.
    void saveOrder();
    // Chooses the code and picks the record in its slot (after the star, for a warp point), as
    // the player would.
    void startOrder(const OrderStart& start);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void wireControls(const OrderFormWidgets& widgets);
    bool handleKey(QComboBox* combo, int slot, QKeyEvent* key);
    bool typeAhead(QComboBox* combo, int slot, QKeyEvent* key);
    void showMessage(const QString& text);
    void fitBodyToWindow();
    void showStoredOrders();
    // Picks the first entry of the slot's list that matches.
    void pick(int slot, const std::function<bool(const ChoiceEntry&)>& matches);

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    QScrollArea* m_scroll = nullptr;
    QSize m_designedBody; // the body's size at the window's designed size
    QComboBox* m_chooser = nullptr;
    QLineEdit* m_description = nullptr;
    QList<QComboBox*> m_boxes;
    QTableView* m_grid = nullptr;
    OrdersGridModel* m_gridModel = nullptr;
    std::unique_ptr<WidgetOrderForm> m_form;
    std::unique_ptr<OrderRepository> m_orders;
    std::unique_ptr<TurnDataRepository> m_turnData;
    std::unique_ptr<OrderStorer> m_storer;
    std::unique_ptr<EnterKeyRoutes> m_enter;
    bool m_quietFocus = false; // a focus given by the program: the slot's rules do not run
};

} // namespace vf
