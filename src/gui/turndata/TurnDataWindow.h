#pragma once

#include <QWidget>

#include <optional>

class QLineEdit;
class QListWidget;
class QMenuBar;
class QTabWidget;
class QTableView;

namespace vf {

struct AppContext;
class Navigator;
class TurnTableModel;

// The empire's imported turn data, read only: the tables listed beside the grid with their
// row counts, a filter over every table (the tables holding matches marked), copying rows,
// exporting tables as CSV, and a new order from a fleet's, army's, population group's,
// commander's or warp point's row. The table, filter and sorts are kept for the empire.
class TurnDataWindow : public QWidget {
    Q_OBJECT
public:
    TurnDataWindow(AppContext& context, Navigator& navigator, int empireId,
                   QWidget* parent = nullptr);

    int empireId() const { return m_empireId; }
    QLineEdit& filter() { return *m_filter; }
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

private:
    void addTable(QTableView* view, TurnTableModel* model);
    // Reads the tables from the tab on, one by one, off the window's thread.
    void readAheadFrom(int tab);
    void applyFilter(const QString& text);
    void titleTab(int tab);
    QMenuBar* buildMenu();
    void buildTableList();
    void switchTable(int step);
    // The first table holding matches when the one shown holds none.
    void showTableWithMatches();
    void restoreView();
    void keepView() const;
    // at: where the mouse asked for the menu; nothing: Enter asked, the codes come at once.
    void offerNewOrder(QTableView* view, std::optional<QPoint> at);
    void escape();

    AppContext& m_context;
    Navigator& m_navigator;
    int m_empireId;
    QLineEdit* m_filter = nullptr;
    QTabWidget* m_tabs = nullptr;
    QListWidget* m_tableList = nullptr;
    QList<QTableView*> m_views;
    bool m_readingAhead = false;
};

} // namespace vf
