#pragma once

#include <QStyledItemDelegate>

class QAbstractScrollArea;

namespace vf {

// Edits every cell of the order listing in a line edit that keeps its text on one line. A
// wheel notch over an open editor scrolls the grid instead of changing the value.
class OrderCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit OrderCellDelegate(QAbstractScrollArea* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractScrollArea* m_grid;
};

} // namespace vf
