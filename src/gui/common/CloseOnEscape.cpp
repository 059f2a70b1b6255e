#include "CloseOnEscape.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace vf {

void closeOnEscape(QWidget* window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

} // namespace vf
