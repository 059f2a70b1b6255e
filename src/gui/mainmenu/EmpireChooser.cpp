#include "EmpireChooser.h"

#include "common/AppContext.h"
#include "common/Decorative.h"
#include "common/EntryBoxes.h"
#include "common/GuardedAction.h"
#include "common/Twips.h"
#include "orders/NumberReading.h"
#include "store/EmpireRepository.h"
#include "store/RememberedState.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace vf {

namespace {

const QString kPasswordTip = QStringLiteral(
    "The password for this Empire--do not reveal this to other players or they could submit "
    "Orders for you; to change it, use the PASS order");

// A key press counts as choosing by key only when it changes the text or is Enter; moving
// through the window (Tab, arrows, Shift and the like) leaves the choice as it was.
bool editsOrEnters(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        break;
    }
    if (key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Cut) ||
        key.matches(QKeySequence::Undo) || key.matches(QKeySequence::Redo))
        return true;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

EmpireChooser::EmpireChooser(AppContext& context, QWidget* body)
    : QObject(body)
    , m_context(context)
{
    buildEmpireFrame(body);
    buildPasswordFrame(body);
    guarded(m_context.dialogs, [this] { load(); });
}

QString EmpireChooser::typedName() const
{
    return m_name->currentText();
}

void EmpireChooser::showPassword(const QString& password)
{
    m_password->setText(password);
}

void EmpireChooser::settle(const QWidget* focus)
{
    if (focus && (focus == m_name || m_name->isAncestorOf(focus)))
        lookUpByName();
}

void EmpireChooser::buildEmpireFrame(QWidget* body)
{
    auto* frame = new QGroupBox(QStringLiteral("Empire"), body);
    frame->setObjectName(QStringLiteral("Frame1"));
    placeTwips(frame, 240, 480, 4575, 975);
    m_name = new QComboBox(frame);
    m_name->setObjectName(QStringLiteral("EmpireName"));
    makePickOnlyComboBox(m_name);
    m_name->setToolTip(
        QStringLiteral("Select an Empire before Entering, Editing or Saving your orders"));
    m_name->setAccessibleName(QStringLiteral("Empire name"));
    placeTwips(m_name, 360, 360, 3015, 315);
    m_name->installEventFilter(this);
    // A file dropped on a box goes to the window, which imports it; its path is not typed.
    m_name->lineEdit()->setAcceptDrops(false);
    connect(m_name->lineEdit(), &QLineEdit::textEdited, this, [this] { m_nameChanged = true; });
    connect(m_name, &QComboBox::activated, this, [this] { onPicked(); });

    auto* hash = new QLabel(QStringLiteral("#"), frame);
    hash->setObjectName(QStringLiteral("Label5"));
    markDecorative(hash); // the number box is named "Empire number"
    placeTwips(hash, 3420, 390, 165, 255);
    m_number = new QLineEdit(frame);
    m_number->setObjectName(QStringLiteral("Text2"));
    m_number->setAccessibleName(QStringLiteral("Empire number"));
    // Shown, not typed: the empire is chosen by its name.
    m_number->setReadOnly(true);
    m_number->setAcceptDrops(false);
    placeTwips(m_number, 3600, 360, 615, 285);
}

void EmpireChooser::buildPasswordFrame(QWidget* body)
{
    auto* frame = new QGroupBox(QStringLiteral("Password"), body);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setToolTip(kPasswordTip);
    placeTwips(frame, 5040, 480, 2415, 975);
    m_password = new QLineEdit(frame);
    m_password->setObjectName(QStringLiteral("Text1"));
    m_password->setToolTip(kPasswordTip);
    m_password->setAccessibleName(QStringLiteral("Password"));
    m_password->setReadOnly(true); // changed through File, Change Password
    m_password->setAcceptDrops(false);
    placeTwips(m_password, 240, 360, 1815, 285);
}

std::optional<int> EmpireChooser::empireNumber() const
{
    return wholeNumber(m_number->text());
}

void EmpireChooser::load()
{
    const EmpireRepository empires(m_context.store);
    for (const Empire& empire : empires.all())
        m_name->addItem(empire.name);
    m_name->setCurrentIndex(-1);
    m_name->setEditText(QString());
    if (m_context.currentEmpireId == 0)
        return;
    if (const auto chosen = empires.findById(m_context.currentEmpireId)) {
        m_name->setEditText(chosen->name);
        m_number->setText(QString::number(chosen->id));
        m_password->setText(chosen->password);
    }
}

void EmpireChooser::reload()
{
    m_name->clear();
    m_nameChanged = false;
    guarded(m_context.dialogs, [this] { load(); });
}

void EmpireChooser::loadAfresh()
{
    m_number->clear();
    m_password->clear();
    reload();
}

bool EmpireChooser::lookUpByName()
{
    const auto empire = EmpireRepository(m_context.store).findByName(m_name->currentText());
    m_number->clear();
    if (!empire)
        return false;
    m_number->setText(QString::number(empire->id));
    m_password->setText(empire->password);
    return true;
}

void EmpireChooser::onPicked()
{
    m_nameChanged = true;
    onKey();
}

void EmpireChooser::onKey()
{
    if (!m_nameChanged)
        return;
    guarded(m_context.dialogs, [this] {
        if (lookUpByName()) {
            m_context.currentEmpireId = empireNumber().value_or(0);
            RememberedState(m_context.store).setLastEmpire(m_context.currentEmpireId);
        }
    });
    m_nameChanged = false;
}

bool EmpireChooser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_name) {
        // The wheel would step through the empires: choosing one is the player's click or key.
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() == QEvent::KeyPress && editsOrEnters(*static_cast<QKeyEvent*>(event)))
            onKey();
        else if (event->type() == QEvent::FocusOut &&
                 static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            guarded(m_context.dialogs, [this] { lookUpByName(); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vf
