#include "EntryBoxes.h"

#include "orders/SingleLine.h"

#include <QComboBox>
#include <QLineEdit>
#include <QValidator>

namespace vf {

namespace {

// A validator may change what it is given: the line edit then shows the changed text,
// whether it was typed, pasted or set.
class OneLineValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = onOneLine(input);
        return Acceptable;
    }
};

} // namespace

void keepOnOneLine(QLineEdit* edit)
{
    edit->setValidator(new OneLineValidator(edit));
}

void makePickOnlyComboBox(QComboBox* box)
{
    box->setEditable(true);
    // A wheel notch over the box must not take the focus: the focus rules would then reset
    // the slot or the order being composed.
    box->setFocusPolicy(Qt::StrongFocus);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    QObject::disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    keepOnOneLine(box->lineEdit());
}

} // namespace vf
