#pragma once

#include "turndata/ShownTables.h"

#include <QAbstractTableModel>
#include <QSet>

#include <functional>

namespace vf {

// One table of the turn data for a view: its rows read once, when first wanted (a large
// empire's window opens without reading every table), the filter and the sort kept as a list
// of the rows shown.
class TurnTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TurnTableModel(const ShownTable& table, QList<ShownColumn> columns, int totalRows,
                   std::function<TableRows()> read, QObject* parent = nullptr);

    const ShownTable& table() const { return m_table; }
    const QList<ShownColumn>& columns() const { return m_columns; }
    int totalRows() const { return m_total; }
    // Reads the rows, once.
    void load();
    // The rows read elsewhere; ignored once the rows were read.
    void take(TableRows rows);
    bool loaded() const { return m_loaded; }
    // The cells of a row as shown (row: a row of the view).
    const QStringList& cells(int row) const;
    // Every row shown, in the order shown.
    std::vector<QStringList> shownRows() const;

    // Keeps only the rows that hold the text in any cell, letter case ignored, and whose
    // record's number is not among those left out.
    void setFilter(const QString& text, QSet<int> leftOut);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    // The rows that hold the filter's text and are not left out, in the order sorted.
    void showMatching();
    bool leftOut(const QStringList& row) const;
    void applySort();

    const ShownTable& m_table;
    QList<ShownColumn> m_columns;
    int m_total;
    std::function<TableRows()> m_read;
    bool m_loaded = false;
    QString m_filter;
    QSet<int> m_leftOut; // records' numbers
    TableRows m_rows;
    std::vector<int> m_shown; // indices into m_rows.rows
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace vf
