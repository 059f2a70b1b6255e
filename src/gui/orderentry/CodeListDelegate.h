#pragma once

#include <QStyledItemDelegate>

class QComboBox;

namespace vf {

// Shows each code of the chooser's drop-down list with its meaning beside it ("BI  Build
// Item"); the entry's own text, what the box shows and stores, stays the code alone.
class CodeListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Puts the delegate on the chooser, its list wide enough for the longest line.
    static void install(QComboBox& chooser);
    // A screen reader reads each code of the list with its meaning ("ABP, Army Battle Plan"),
    // as the list draws it; the entry's text stays the code.
    static void tellMeanings(QComboBox& chooser);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // Where the meanings begin: after the widest code.
    static int codeColumn(const QFontMetrics& metrics);
};

} // namespace vf
