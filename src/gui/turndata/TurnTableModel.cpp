#include "TurnTableModel.h"

namespace vf {

TurnTableModel::TurnTableModel(const ShownTable& table, QList<ShownColumn> columns, int totalRows,
                               std::function<TableRows()> read, QObject* parent)
    : QAbstractTableModel(parent)
    , m_table(table)
    , m_columns(std::move(columns))
    , m_total(totalRows)
    , m_read(std::move(read))
{
}

void TurnTableModel::load()
{
    if (!m_loaded)
        take(m_read());
}

void TurnTableModel::take(TableRows rows)
{
    if (m_loaded)
        return;
    m_loaded = true;
    beginResetModel();
    m_rows = std::move(rows);
    m_columns = m_rows.columns;
    m_total = int(m_rows.rows.size());
    showMatching();
    endResetModel();
}

const QStringList& TurnTableModel::cells(int row) const
{
    return m_rows.rows[std::size_t(m_shown[std::size_t(row)])];
}

std::vector<QStringList> TurnTableModel::shownRows() const
{
    std::vector<QStringList> rows;
    rows.reserve(m_shown.size());
    for (const int row : m_shown)
        rows.push_back(m_rows.rows[std::size_t(row)]);
    return rows;
}

void TurnTableModel::setFilter(const QString& text, QSet<int> leftOut)
{
    m_filter = text;
    m_leftOut = std::move(leftOut);
    if (!m_loaded)
        return;
    beginResetModel();
    showMatching();
    endResetModel();
}

void TurnTableModel::showMatching()
{
    m_shown.clear();
    for (std::size_t i = 0; i < m_rows.rows.size(); ++i) {
        if (rowHolds(m_rows.rows[i], m_filter) && !leftOut(m_rows.rows[i]))
            m_shown.push_back(int(i));
    }
    applySort();
}

bool TurnTableModel::leftOut(const QStringList& row) const
{
    const int key = m_table.keyColumn();
    if (m_leftOut.isEmpty() || key < 0)
        return false;
    bool read = false;
    const int number = row.value(key).toInt(&read);
    return read && m_leftOut.contains(number);
}

int TurnTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int TurnTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TurnTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return cells(index.row()).value(index.column());
    if (role == Qt::TextAlignmentRole && m_columns.value(index.column()).number)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TurnTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return m_columns.value(section).heading;
}

void TurnTableModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    Q_EMIT layoutAboutToBeChanged();
    applySort();
    Q_EMIT layoutChanged();
}

void TurnTableModel::applySort()
{
    sortRows(m_shown, m_rows, m_sortColumn, m_sortOrder);
}

} // namespace vf
