#include "MainMenuWindow.h"

#include "ButtonPictures.h"
#include "ClearOrdersDialogue.h"
#include "NewEmpireDialogue.h"
#include "OldDatabaseDialogue.h"
#include "PasswordDialogue.h"
#include "SaveOrdersDialogue.h"
#include "UpdateDataDialogue.h"
#include "check/CheckOrdersWindow.h"
#include "common/AppContext.h"
#include "common/Decorative.h"
#include "common/EntryBoxes.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/ScreenMetrics.h"
#include "common/Twips.h"
#include "common/WindowMemory.h"
#include "help/HelpWindows.h"
#include "orders/NumberReading.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "turndata/WhatChangedWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QShortcut>
#include <QToolButton>

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

MainMenuWindow::MainMenuWindow(AppContext& context, Navigator& navigator, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Voidfire: Dominara (Castellan)"));
    setAcceptDrops(true);
    buildMenu();
    buildControls();
    new WindowMemory(this, RememberedState(context.store), context.screen);
    guarded(m_context.dialogs, [this] { runLoadSteps(); });
}

void MainMenuWindow::buildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* importOld =
        file->addAction(QStringLiteral("&Import from the old turn entry database\u2026"));
    importOld->setObjectName(QStringLiteral("mnuFile_ImportOld"));
    connect(importOld, &QAction::triggered, this,
            [this] { runAction([this] { importOldDatabase(); }); });
    QAction* check = file->addAction(QStringLiteral("&Check Orders"));
    check->setObjectName(QStringLiteral("mnuFile_CheckOrders"));
    connect(check, &QAction::triggered, this, [this] { runAction([this] { checkOrders(); }); });
    QAction* restore = file->addAction(QStringLiteral("&Restore Cleared Orders\u2026"));
    restore->setObjectName(QStringLiteral("mnuFile_RestoreCleared"));
    connect(restore, &QAction::triggered, this, [this] {
        runAction([this] {
            runRestoreClearedOrdersDialogue(m_context.dialogs, OrderRepository(m_context.store),
                                            empireNumber());
        });
    });
    QAction* password = file->addAction(QStringLiteral("Change &Password\u2026"));
    password->setObjectName(QStringLiteral("mnuFile_ChangePassword"));
    connect(password, &QAction::triggered, this,
            [this] { runAction([this] { changePassword(); }); });
    file->addSeparator();
    QAction* turnData = file->addAction(QStringLiteral("&Turn Data"));
    turnData->setObjectName(QStringLiteral("mnuFile_TurnData"));
    turnData->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(turnData, &QAction::triggered, this, [this] { runAction([this] { showTurnData(); }); });
    QAction* warpMap = file->addAction(QStringLiteral("Warp &Map"));
    warpMap->setObjectName(QStringLiteral("mnuFile_WarpMap"));
    warpMap->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(warpMap, &QAction::triggered, this, [this] { runAction([this] { showWarpMap(); }); });
    QAction* changed = file->addAction(QStringLiteral("What C&hanged"));
    changed->setObjectName(QStringLiteral("mnuFile_WhatChanged"));
    changed->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    connect(changed, &QAction::triggered, this,
            [this] { runAction([this] { openWhatChanged(m_context, empireNumber(), this); }); });
    QAction* compare = file->addAction(QStringLiteral("Compare T&urns\u2026"));
    compare->setObjectName(QStringLiteral("mnuFile_CompareTurns"));
    connect(compare, &QAction::triggered, this,
            [this] { runAction([this] { openCompareTurns(m_context, empireNumber(), this); }); });
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuFile_Exit"));
    // Ctrl+Q on every system (Windows has no standard key to quit).
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, [this] { m_navigator.exitProgram(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* guide = help->addAction(QStringLiteral("&User's Guide"));
    guide->setObjectName(QStringLiteral("mnuHelp_Guide"));
    guide->setShortcut(QKeySequence::HelpContents);
    connect(guide, &QAction::triggered, this,
            [this] { guarded(m_context.dialogs, [this] { openUserGuide(m_context, this); }); });
    QAction* about = help->addAction(QStringLiteral("&About VF Turn Entry"));
    about->setObjectName(QStringLiteral("mnuHelp_About"));
    connect(about, &QAction::triggered, this,
            [this] { guarded(m_context.dialogs, [this] { showAbout(m_context); }); });
}

struct MainMenuWindow::PictureButton {
    const char* name;
    ButtonPicture picture;
    const char* caption;
    const char* labelName;
    const char* tooltip;
    int left;
    int top;
    int labelWidth;
    void (MainMenuWindow::*action)();
    // Alt and this letter presses the button. (The captions stay as they are; the user's guide
    // lists the keys.)
    Qt::Key mnemonic;
};

void MainMenuWindow::addPictureButton(QWidget* body, const PictureButton& b)
{
    const QString caption = QString::fromLatin1(b.caption);
    const QString tooltip = QString::fromLatin1(b.tooltip);
    auto* button = new QToolButton(body);
    button->setObjectName(QString::fromLatin1(b.name));
    placeTwips(button, b.left, b.top, 975, 615);
    button->setIconSize(button->size() - QSize(8, 6));
    button->setIcon(buttonPicture(b.picture, button->iconSize()));
    button->setToolTip(tooltip);
    button->setAccessibleName(caption);
    const auto action = b.action;
    connect(button, &QToolButton::clicked, this,
            [this, action] { runAction([this, action] { (this->*action)(); }); });
    button->installEventFilter(this); // Enter presses it, as it presses a push button
    auto* key = new QShortcut(QKeySequence(Qt::ALT | b.mnemonic), this);
    key->setObjectName(QStringLiteral("Key ") + caption);
    connect(key, &QShortcut::activated, button, &QToolButton::click);

    auto* label = new QLabel(caption, body);
    label->setObjectName(QString::fromLatin1(b.labelName));
    placeTwips(label, b.left + 1200, b.top + 120, b.labelWidth, 375);
    label->setToolTip(tooltip);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.15);
    label->setFont(font);
    markDecorative(label); // the button carries the caption as its name
}

void MainMenuWindow::buildControls()
{
    auto* body = new QWidget;
    body->setFixedSize(twips(7920), twips(4695));
    auto* area = scrollingBody(body, this);
    setCentralWidget(area);
    // At the designed size, unless the screen has less room: then the body scrolls.
    sizeToBody(this, area, m_context.screen);
    buildEmpireFrame(body);
    buildPasswordFrame(body);

    static const PictureButton buttons[] = {
        {"EnterOrders", ButtonPicture::EnterOrders, "Enter Orders", "Label2",
         "Enter Orders for this Empire", 600, 1800, 2055, &MainMenuWindow::enterOrders, Qt::Key_E},
        {"EditOrders", ButtonPicture::EditOrders, "Edit Orders", "Label1",
         "Opens up the Order Editing form", 600, 2640, 2055, &MainMenuWindow::editOrders,
         Qt::Key_D},
        {"UpdateData", ButtonPicture::UpdateData, "Update Data", "Label3",
         "Update this Empire's data from a turn results file", 600, 3480, 2055,
         &MainMenuWindow::updateData, Qt::Key_U},
        {"SaveOrders", ButtonPicture::SaveOrders, "Save Orders", "Label4",
         "Click this button to save the orders for the currently selected Empire to disk; a file "
         "will be created that you will upload to Quillmoor",
         4200, 1800, 2175, &MainMenuWindow::saveOrders, Qt::Key_S},
        {"ClearOrders", ButtonPicture::ClearOrders, "Clear Orders", "Label6",
         "Click this button to clear the orders you have entered for this Empire - *use with "
         "care!*",
         4200, 2640, 2175, &MainMenuWindow::clearOrders, Qt::Key_C},
        {"NewEmpire", ButtonPicture::NewEmpire, "New Empire", "Label7", "", 4200, 3480, 2175,
         &MainMenuWindow::newEmpire, Qt::Key_N},
    };
    for (const PictureButton& button : buttons)
        addPictureButton(body, button);
}

void MainMenuWindow::buildEmpireFrame(QWidget* body)
{
    auto* frame = new QGroupBox(QStringLiteral("Empire"), body);
    frame->setObjectName(QStringLiteral("Frame1"));
    placeTwips(frame, 240, 480, 4575, 975);
    m_empireName = new QComboBox(frame);
    m_empireName->setObjectName(QStringLiteral("EmpireName"));
    makePickOnlyComboBox(m_empireName);
    m_empireName->setToolTip(
        QStringLiteral("Select an Empire before Entering, Editing or Saving your orders"));
    m_empireName->setAccessibleName(QStringLiteral("Empire name"));
    placeTwips(m_empireName, 360, 360, 3015, 315);
    m_empireName->installEventFilter(this);
    // A file dropped on a box goes to the window, which imports it; its path is not typed.
    m_empireName->lineEdit()->setAcceptDrops(false);
    connect(m_empireName->lineEdit(), &QLineEdit::textEdited, this,
            [this] { m_nameChanged = true; });
    connect(m_empireName, &QComboBox::activated, this, [this] { onEmpirePicked(); });

    auto* hash = new QLabel(QStringLiteral("#"), frame);
    hash->setObjectName(QStringLiteral("Label5"));
    markDecorative(hash); // the number box is named "Empire number"
    placeTwips(hash, 3420, 390, 165, 255);
    m_empireNumber = new QLineEdit(frame);
    m_empireNumber->setObjectName(QStringLiteral("Text2"));
    m_empireNumber->setAccessibleName(QStringLiteral("Empire number"));
    // Shown, not typed: the empire is chosen by its name.
    m_empireNumber->setReadOnly(true);
    m_empireNumber->setAcceptDrops(false);
    placeTwips(m_empireNumber, 3600, 360, 615, 285);
}

void MainMenuWindow::buildPasswordFrame(QWidget* body)
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

void MainMenuWindow::runAction(const std::function<void()>& action)
{
    guarded(m_context.dialogs, [this, &action] {
        settleEmpireName();
        action();
    });
}

void MainMenuWindow::settleEmpireName()
{
    // A picture button or a menu does not take the focus: the name box still holds it, and
    // what was typed there has not been looked up yet.
    QWidget* focus = focusWidget();
    if (focus == m_empireName || m_empireName->isAncestorOf(focus))
        lookUpEmpireByName();
}

std::optional<int> MainMenuWindow::empireNumber() const
{
    return wholeNumber(m_empireNumber->text());
}

void MainMenuWindow::runLoadSteps()
{
    const EmpireRepository empires(m_context.store);
    for (const Empire& empire : empires.all())
        m_empireName->addItem(empire.name);
    m_empireName->setCurrentIndex(-1);
    m_empireName->setEditText(QString());
    if (m_context.currentEmpireId == 0)
        return;
    if (const auto chosen = empires.findById(m_context.currentEmpireId)) {
        m_empireName->setEditText(chosen->name);
        m_empireNumber->setText(QString::number(chosen->id));
        m_password->setText(chosen->password);
    }
}

void MainMenuWindow::reloadEmpireList()
{
    m_empireName->clear();
    m_nameChanged = false;
    guarded(m_context.dialogs, [this] { runLoadSteps(); });
}

void MainMenuWindow::loadAfresh()
{
    m_empireNumber->clear();
    m_password->clear();
    reloadEmpireList();
}

bool MainMenuWindow::lookUpEmpireByName()
{
    const auto empire = EmpireRepository(m_context.store).findByName(m_empireName->currentText());
    m_empireNumber->clear();
    if (!empire)
        return false;
    m_empireNumber->setText(QString::number(empire->id));
    m_password->setText(empire->password);
    return true;
}

void MainMenuWindow::onEmpirePicked()
{
    m_nameChanged = true;
    onEmpireKey();
}

void MainMenuWindow::onEmpireKey()
{
    if (!m_nameChanged)
        return;
    guarded(m_context.dialogs, [this] {
        if (lookUpEmpireByName()) {
            m_context.currentEmpireId = empireNumber().value_or(0);
            RememberedState(m_context.store).setLastEmpire(m_context.currentEmpireId);
        }
    });
    m_nameChanged = false;
}

bool MainMenuWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (auto* button = qobject_cast<QToolButton*>(watched);
        button && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button->click();
            return true;
        }
    }
    if (watched == m_empireName) {
        // The wheel would step through the empires: choosing one is the player's click or key.
        if (event->type() == QEvent::Wheel)
            return true;
        if (event->type() == QEvent::KeyPress && editsOrEnters(*static_cast<QKeyEvent*>(event)))
            onEmpireKey();
        else if (event->type() == QEvent::FocusOut &&
                 static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            guarded(m_context.dialogs, [this] { lookUpEmpireByName(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainMenuWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_navigator.exitProgram();
}

void MainMenuWindow::enterOrders()
{
    const auto number = empireNumber();
    if (!number) {
        m_context.dialogs.warn(QStringLiteral("Imperial Bureaucrat Report"),
                               QStringLiteral("You need to select an Empire before proceeding to "
                                              "Order Entry"));
        return;
    }
    if (!EmpireRepository(m_context.store).findById(*number)) {
        m_context.dialogs.warn(QStringLiteral("Imperial Bureaucrat Report"),
                               QStringLiteral("The Empire you have selected has not been set up "
                                              "for Turn Entry"));
        return;
    }
    m_navigator.openOrderEntry(*number);
}

void MainMenuWindow::editOrders()
{
    const auto number = empireNumber();
    if (!number) {
        m_context.dialogs.warn(QStringLiteral("Imperial Advisor Report"),
                               QStringLiteral("You need to select an Empire before proceeding to "
                                              "Order Editing"));
        return;
    }
    m_navigator.openOrderListing(*number);
}

void MainMenuWindow::newEmpire()
{
    if (runNewEmpireDialogue(m_context.dialogs, EmpireRepository(m_context.store)))
        reloadEmpireList();
}

void MainMenuWindow::clearOrders()
{
    // The messages name the empire whose orders go, whatever the name box shows.
    const auto number = empireNumber();
    const auto empire =
        number ? EmpireRepository(m_context.store).findById(*number) : std::optional<Empire>();
    runClearOrdersDialogue(m_context.dialogs, OrderRepository(m_context.store), number,
                           empire ? empire->name : m_empireName->currentText());
}

void MainMenuWindow::saveOrders()
{
    const int empireId = empireNumber().value_or(0);
    runSaveOrdersDialogue(m_context, empireNumber(),
                          [this, empireId](const OrderCheckReport& report) {
                              showCheckReport(m_context, m_navigator, empireId, report, this);
                          });
}

void MainMenuWindow::checkOrders()
{
    openCheckOrders(m_context, m_navigator, empireNumber(), this);
}

void MainMenuWindow::showTurnData()
{
    openForEmpire(QStringLiteral("Turn Data"), QStringLiteral("turn data"),
                  &Navigator::openTurnData);
}

void MainMenuWindow::showWarpMap()
{
    openForEmpire(QStringLiteral("Warp Map"), QStringLiteral("warp map"), &Navigator::openWarpMap);
}

void MainMenuWindow::openForEmpire(const QString& title, const QString& what,
                                   void (Navigator::*open)(int))
{
    if (const auto number = empireNumber())
        (m_navigator.*open)(*number);
    else
        m_context.dialogs.warn(title, QStringLiteral("You need to select an Empire before "
                                                     "looking at its %1")
                                          .arg(what));
}

void MainMenuWindow::updateData()
{
    importTurnResults(std::nullopt);
}

void MainMenuWindow::importTurnResults(const std::optional<QString>& droppedFile)
{
    const std::optional<int> empireId = empireNumber();
    const auto answer = runUpdateDataDialogue(m_context, empireId, this, droppedFile);
    if (!answer)
        return;
    reloadEmpireList();
    if (*answer == DialogAnswer::WhatChanged)
        openWhatChanged(m_context, empireId, this);
    else if (*answer == DialogAnswer::CheckOrders)
        openCheckOrders(m_context, m_navigator, empireId, this);
}

void MainMenuWindow::importOldDatabase()
{
    if (chooseOldDatabase(m_context, this))
        reloadEmpireList();
}

void MainMenuWindow::offerOldDatabase()
{
    guarded(m_context.dialogs, [this] {
        if (vf::offerOldDatabase(m_context, this))
            reloadEmpireList();
    });
}

void MainMenuWindow::changePassword()
{
    const auto number = empireNumber();
    if (!runPasswordDialogue(m_context, number))
        return;
    if (const auto empire = EmpireRepository(m_context.store).findById(*number))
        m_password->setText(empire->password);
}

namespace {

// One local turn results file, or nothing.
std::optional<QString> droppedTurnFile(const QMimeData* data)
{
    if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return std::nullopt;
    const QString file = data->urls().first().toLocalFile();
    if (!file.endsWith(QStringLiteral(".mdb"), Qt::CaseInsensitive))
        return std::nullopt;
    return file;
}

} // namespace

void MainMenuWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedTurnFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainMenuWindow::dropEvent(QDropEvent* event)
{
    const auto file = droppedTurnFile(event->mimeData());
    if (!file)
        return;
    event->acceptProposedAction();
    // The import asks and shows progress: it runs once the drop has been answered.
    QMetaObject::invokeMethod(
        this, [this, file] { runAction([this, file] { importTurnResults(file); }); },
        Qt::QueuedConnection);
}

} // namespace vf
