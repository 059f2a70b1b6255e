#include "OrderCellDelegate.h"

#include "common/EntryBoxes.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

namespace vf {

OrderCellDelegate::OrderCellDelegate(QAbstractScrollArea* grid)
    : QStyledItemDelegate(grid)
    , m_grid(grid)
{
}

QWidget* OrderCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    keepOnOneLine(editor);
    return editor;
}

void OrderCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
}

bool OrderCellDelegate::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(m_grid->viewport(), event);
        return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

} // namespace vf
