#include "MainMenuWindow.h"

#include "ButtonPictures.h"
#include "EmpireChooser.h"
#include "MainMenuActions.h"
#include "common/AppContext.h"
#include "common/Decorative.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/ProgramKeys.h"
#include "common/ScreenMetrics.h"
#include "common/Twips.h"
#include "common/WindowMemory.h"
#include "earlier/EarlierOrdersWindow.h"
#include "help/HelpWindows.h"
#include "store/RememberedState.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QShortcut>
#include <QToolButton>

namespace vf {

MainMenuWindow::MainMenuWindow(AppContext& context, Navigator& navigator, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Voidfire: Dominara (Castellan)"));
    setAcceptDrops(true);
    buildMenu();
    addContextMenuKey(this);
    buildControls();
    new WindowMemory(this, RememberedState(context.store), context.screen);
}

MainMenuWindow::~MainMenuWindow() = default;

std::optional<int> MainMenuWindow::empireNumber() const
{
    return m_chooser->empireNumber();
}

void MainMenuWindow::reloadEmpireList()
{
    m_chooser->reload();
}

void MainMenuWindow::loadAfresh()
{
    m_chooser->loadAfresh();
}

void MainMenuWindow::offerOldDatabase()
{
    m_actions->offerOldDatabase();
}

QAction* MainMenuWindow::addAction(QMenu* menu, const QString& text, const QString& name,
                                   void (MainMenuActions::*action)(), const QKeySequence& key)
{
    QAction* added = menu->addAction(text);
    added->setObjectName(name);
    added->setShortcut(key);
    connect(added, &QAction::triggered, this, [this, action] { runAction(action); });
    return added;
}

void MainMenuWindow::buildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    using Actions = MainMenuActions;
    addAction(file, QStringLiteral("&Import from the old turn entry database\u2026"),
              QStringLiteral("mnuFile_ImportOld"), &Actions::importOldDatabase);
    addAction(file, QStringLiteral("&Check Orders"), QStringLiteral("mnuFile_CheckOrders"),
              &Actions::checkOrders);
    addAction(file, QStringLiteral("&Restore Cleared Orders\u2026"),
              QStringLiteral("mnuFile_RestoreCleared"), &Actions::restoreClearedOrders);
    addAction(file, QStringLiteral("&Earlier Orders"), QStringLiteral("mnuFile_EarlierOrders"),
              &Actions::earlierOrders, earlierOrdersKey());
    addAction(file, QStringLiteral("Change &Password\u2026"),
              QStringLiteral("mnuFile_ChangePassword"), &Actions::changePassword);
    file->addSeparator();
    addAction(file, QStringLiteral("&Turn Data"), QStringLiteral("mnuFile_TurnData"),
              &Actions::showTurnData, keyOf(ProgramKey::TurnData));
    addAction(file, QStringLiteral("Warp &Map"), QStringLiteral("mnuFile_WarpMap"),
              &Actions::showWarpMap, keyOf(ProgramKey::WarpMap));
    addAction(file, QStringLiteral("What C&hanged"), QStringLiteral("mnuFile_WhatChanged"),
              &Actions::whatChanged, keyOf(ProgramKey::WhatChanged));
    addAction(file, QStringLiteral("Compare T&urns\u2026"), QStringLiteral("mnuFile_CompareTurns"),
              &Actions::compareTurns);
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnuFile_Exit"));
    exit->setShortcut(keyOf(ProgramKey::Exit));
    connect(exit, &QAction::triggered, this, [this] { m_navigator.exitProgram(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* guide = help->addAction(QStringLiteral("&User's Guide"));
    guide->setObjectName(QStringLiteral("mnuHelp_Guide"));
    guide->setShortcut(keyOf(ProgramKey::UserGuide));
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
    void (MainMenuActions::*action)();
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
    connect(button, &QToolButton::clicked, this, [this, action] { runAction(action); });
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
    m_chooser = new EmpireChooser(m_context, body);
    m_actions = std::make_unique<MainMenuActions>(m_context, m_navigator, *m_chooser, this);

    static const PictureButton buttons[] = {
        {"EnterOrders", ButtonPicture::EnterOrders, "Enter Orders", "Label2",
         "Enter Orders for this Empire", 600, 1800, 2055, &MainMenuActions::enterOrders, Qt::Key_E},
        {"EditOrders", ButtonPicture::EditOrders, "Edit Orders", "Label1",
         "Opens up the Order Editing form", 600, 2640, 2055, &MainMenuActions::editOrders,
         Qt::Key_D},
        {"UpdateData", ButtonPicture::UpdateData, "Update Data", "Label3",
         "Update this Empire's data from a turn results file", 600, 3480, 2055,
         &MainMenuActions::updateData, Qt::Key_U},
        {"SaveOrders", ButtonPicture::SaveOrders, "Save Orders", "Label4",
         "Click this button to save the orders for the currently selected Empire to disk; a file "
         "will be created that you will upload to Quillmoor",
         4200, 1800, 2175, &MainMenuActions::saveOrders, Qt::Key_S},
        {"ClearOrders", ButtonPicture::ClearOrders, "Clear Orders", "Label6",
         "Click this button to clear the orders you have entered for this Empire - *use with "
         "care!*",
         4200, 2640, 2175, &MainMenuActions::clearOrders, Qt::Key_C},
        {"NewEmpire", ButtonPicture::NewEmpire, "New Empire", "Label7", "", 4200, 3480, 2175,
         &MainMenuActions::newEmpire, Qt::Key_N},
    };
    for (const PictureButton& button : buttons)
        addPictureButton(body, button);
}

void MainMenuWindow::runAction(void (MainMenuActions::*action)())
{
    guarded(m_context.dialogs, [this, action] {
        m_chooser->settle(focusWidget());
        ((*m_actions).*action)();
    });
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
    return QMainWindow::eventFilter(watched, event);
}

void MainMenuWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_navigator.exitProgram();
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
        this,
        [this, file] {
            guarded(m_context.dialogs, [this, file] {
                m_chooser->settle(focusWidget());
                m_actions->importTurnResults(file);
            });
        },
        Qt::QueuedConnection);
}

} // namespace vf
