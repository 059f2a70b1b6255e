#pragma once

#include "turndata/ShownTables.h"

#include <QAbstractTableModel>

namespace vf {

// One table of the turn data for a view: every row read once, the filter and the sort kept
// as a list of the rows shown.
class TurnTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TurnTableModel(TableRows rows, QObject* parent = nullptr);

    const ShownTable& table() const { return *m_rows.table; }
    int totalRows() const { return int(m_rows.rows.size()); }
    // The cells of a row as shown (row: a row of the view).
    const QStringList& cells(int row) const;

    // Keeps only the rows that hold the text in any cell, letter case ignored.
    void setFilter(const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void applySort();

    TableRows m_rows;
    std::vector<int> m_shown; // indices into m_rows.rows
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace vf
