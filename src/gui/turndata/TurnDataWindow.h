#pragma once

#include "model/RecordKind.h"

#include "turndata/TurnDataView.h"
#include <QSet>

#include <QWidget>

#include <map>
#include <optional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QSplitter;
class QTabWidget;
class QTableView;

namespace vf {

struct AppContext;
class Navigator;
class TurnTableModel;

// The empire's imported turn data, read only: the tables listed beside the grid with their
// row counts, a filter over every table (the tables holding matches marked), the fleets,
// armies, population groups and commanders no stored order names, copying rows, exporting
// tables as CSV, and a new order from a fleet's, army's, population group's, commander's or
// warp point's row. The table, filter and sorts are kept for the empire.
class TurnDataWindow : public QWidget {
    Q_OBJECT
public:
    TurnDataWindow(AppContext& context, Navigator& navigator, int empireId,
                   QWidget* parent = nullptr);

    int empireId() const { return m_empireId; }
    QLineEdit& filter() { return *m_filter; }
    QCheckBox& withoutOrders() { return *m_withoutOrders; }
    QTabWidget& tabs() { return *m_tabs; }
    QListWidget& tableList() { return *m_tableList; }
    QTableView& view(int tab) const;
    TurnTableModel& model(int tab) const;

    // The selected rows of the tab shown, as tab-separated text under their headings.
    QString selectedText() const;

    // The shown table's rows as shown (filtered, sorted), or every table's, written as CSV to a
    // file the player chooses.
    void exportTable();
    void exportAllTables();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void addTable(QTableView* view, TurnTableModel* model);
    // Reads the tables from the tab on, one by one, off the window's thread.
    void readAheadFrom(int tab);
    void buildWithoutOrders();
    void applyFilter();
    // Reads which records the empire's stored orders name, while only those without are shown.
    void readOrderedRecords();
    // Whether the tab's rows are narrowed by the filter or by Without Orders.
    bool narrowed(int tab) const;
    void titleTab(int tab);
    QMenuBar* buildMenu();
    void buildTableList();
    void switchTable(int step);
    // The first table holding matches when the one shown holds none.
    void showTableWithMatches();
    // The table and the sorts kept for the empire shown; the view kept, for its filters.
    TurnDataView restoreView();
    void keepView() const;
    // at: where the mouse asked for the menu; nothing: Enter asked, the codes come at once.
    void offerNewOrder(QTableView* view, std::optional<QPoint> at);
    void escape();

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    QLineEdit* m_filter = nullptr;
    QCheckBox* m_withoutOrders = nullptr;
    // While Without Orders is checked: of each kind it narrows, the records the orders name.
    std::map<RecordKind, QSet<int>> m_ordered;
    QTabWidget* m_tabs = nullptr;
    QListWidget* m_tableList = nullptr;
    QSplitter* m_split = nullptr;
    int m_listWidth = 0; // wide enough for every title with its counts
    bool m_listSized = false;
    QList<QTableView*> m_views;
    bool m_readingAhead = false;
};

} // namespace vf
