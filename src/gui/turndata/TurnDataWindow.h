#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;
class QTabWidget;
class QTableView;

namespace vf {

struct AppContext;
class Navigator;
class TurnTableModel;

// The empire's imported turn data, read only: one tab per table with its row count, a filter
// over every tab, copying rows, and a new order from a fleet's, army's, population group's,
// commander's or warp point's row.
class TurnDataWindow : public QWidget {
    Q_OBJECT
public:
    TurnDataWindow(AppContext& context, Navigator& navigator, int empireId,
                   QWidget* parent = nullptr);

    int empireId() const { return m_empireId; }
    QLineEdit& filter() { return *m_filter; }
    QTabWidget& tabs() { return *m_tabs; }
    QTableView& view(int tab) const;
    TurnTableModel& model(int tab) const;

    // The selected rows of the tab shown, as tab-separated text under their headings.
    QString selectedText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addTable(QTableView* view, TurnTableModel* model);
    // Reads the tables from the tab on, one by one, off the window's thread.
    void readAheadFrom(int tab);
    void applyFilter(const QString& text);
    void titleTab(int tab);
    // at: where the mouse asked for the menu; nothing: Enter asked, the codes come at once.
    void offerNewOrder(QTableView* view, std::optional<QPoint> at);
    void escape();

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    QLineEdit* m_filter = nullptr;
    QTabWidget* m_tabs = nullptr;
    QList<QTableView*> m_views;
    bool m_readingAhead = false;
};

} // namespace vf
