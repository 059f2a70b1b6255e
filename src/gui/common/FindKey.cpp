#include "FindKey.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>

namespace vf {

void focusOnFindKey(QWidget* window, QLineEdit* box)
{
    auto* find = new QShortcut(QKeySequence::Find, window);
    QObject::connect(find, &QShortcut::activated, box, [box] {
        box->setFocus(Qt::ShortcutFocusReason);
        box->selectAll();
    });
}

} // namespace vf
