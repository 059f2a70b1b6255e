#include "EntryBoxes.h"

#include <QComboBox>
#include <QLineEdit>

namespace vf {

void makePickOnlyComboBox(QComboBox* box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
}

} // namespace vf
