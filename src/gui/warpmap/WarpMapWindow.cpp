#include "WarpMapWindow.h"

#include "MapView.h"
#include "RouteOrdering.h"
#include "RoutePanel.h"
#include "StarPanel.h"
#include "common/AppContext.h"
#include "common/BackgroundWork.h"
#include "common/Dialogs.h"
#include "common/FindKey.h"
#include "common/GuardedAction.h"
#include "common/Navigator.h"
#include "common/ProgramKeys.h"
#include "common/SaveFileName.h"
#include "common/ScreenMetrics.h"
#include "common/StoreFollower.h"
#include "platform/WholeFile.h"
#include "store/OrderRepository.h"
#include "store/Store.h"
#include "store/TurnImports.h"
#include "warpmap/MapLayout.h"
#include "warpmap/MapMoves.h"
#include "warpmap/MapPictures.h"
#include "warpmap/MapPlaces.h"

#include "Error.h"
#include "Wording.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vf {

namespace {

// Lays the map out off the window's thread while a progress dialog shows how far it is.
bool layOutWithProgress(WarpMap& map, QWidget* parent)
{
    constexpr int kShowAfterMs = 300;
    try {
        return waitFor(parent,
                       {QStringLiteral("Laying out the warp map ..."),
                        QStringLiteral("MapLayoutProgress"), kShowAfterMs},
                       [&map](const Progress& progress) { return layOutMap(map, progress); });
    } catch (const Error& error) {
        throw Error(QStringLiteral("The warp map could not be laid out: %1.")
                        .arg(asClause(error.message())));
    }
}

} // namespace

std::optional<WarpMap> laidOutMap(AppContext& context, int empireId, QWidget* parent)
{
    WarpMap map = readWarpMap(context.store, empireId);
    const QDateTime imported = lastImportOf(context.store, empireId).when;
    if (readKeptPlaces(context.store, empireId, imported, map))
        return map;
    if (!layOutWithProgress(map, parent))
        return std::nullopt;
    if (!context.store.readOnly() && imported.isValid())
        keepPlaces(context.store, empireId, imported, map);
    return map;
}

WarpMapWindow::WarpMapWindow(AppContext& context, Navigator& navigator, int empireId, WarpMap map,
                             QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
    , m_navigator(navigator)
    , m_empireId(empireId)
    , m_map(std::move(map))
{
    setObjectName(QStringLiteral("WarpMap"));
    setWindowTitle(importTitle(context.store, empireId, QStringLiteral("Warp Map")));
    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("FindStar"));
    m_find->setAccessibleName(QStringLiteral("Find a star"));
    m_find->setPlaceholderText(QStringLiteral("Type a star's name (Ctrl+F)"));
    auto* findLabel = new QLabel(QStringLiteral("F&ind:"), this);
    findLabel->setBuddy(m_find);
    m_findNote = new QLabel(this);
    m_findNote->setObjectName(QStringLiteral("FindNote"));
    connect(m_find, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const int star = findStar(text); star >= 0)
            m_view->centreOn(star);
    });
    connect(m_find, &QLineEdit::returnPressed, this, [this] {
        if (const int star = findStar(m_find->text()); star >= 0)
            showStar(star);
    });
    const auto button = [this](const QString& text, const QString& name) {
        auto* pressed = new QPushButton(text, this);
        pressed->setObjectName(name);
        return pressed;
    };
    QPushButton* fit = button(QStringLiteral("&Fit"), QStringLiteral("Fit"));
    QPushButton* route = button(QStringLiteral("&Route\u2026"), QStringLiteral("Route"));
    route->setToolTip(QStringLiteral("The fewest jumps between two stars (Ctrl+R)"));
    m_showOrders = new QCheckBox(QStringLiteral("Show &Orders"), this);
    m_showOrders->setObjectName(QStringLiteral("ShowOrders"));
    m_showOrders->setChecked(true);
    m_showOrders->setToolTip(QStringLiteral("This turn's MOVE and XMOVE orders as arrows"));
    QPushButton* png = button(QStringLiteral("Save as &PNG\u2026"), QStringLiteral("ExportPng"));
    QPushButton* svg = button(QStringLiteral("Save as &SVG\u2026"), QStringLiteral("ExportSvg"));
    m_view = new MapView(this);
    m_view->setMap(&m_map);
    connect(fit, &QPushButton::clicked, m_view, &MapView::fit);
    connect(route, &QPushButton::clicked, this, &WarpMapWindow::showRoutePanel);
    connect(m_showOrders, &QCheckBox::toggled, this, &WarpMapWindow::updateOverlay);
    connect(m_view, &MapView::starMenuRequested, this, &WarpMapWindow::offerStarMenu);
    connect(png, &QPushButton::clicked, this, [this] { askExport(QStringLiteral("png")); });
    connect(svg, &QPushButton::clicked, this, [this] { askExport(QStringLiteral("svg")); });
    svg->setVisible(canSaveSvg());
    connect(m_view, &MapView::starOpened, this, &WarpMapWindow::showStar);

    m_star = new StarPanel(context, navigator, empireId, m_map, this);
    connect(m_star, &StarPanel::nearChanged, this, &WarpMapWindow::updateOverlay);
    m_route = new RoutePanel(m_map, this);
    m_route->hide();
    connect(m_route, &RoutePanel::changed, this, &WarpMapWindow::updateOverlay);
    connect(m_route, &RoutePanel::orderWanted, this,
            [this] { orderRoute(m_context, m_empireId, m_map, m_route->route(), this); });
    m_movesNote = new QLabel(this);
    m_movesNote->setObjectName(QStringLiteral("MovesNotOnMap"));
    m_movesNote->hide();
    m_side = new QSplitter(Qt::Vertical, this);
    m_side->addWidget(m_star);
    m_side->addWidget(m_route);
    m_side->setChildrenCollapsible(false);
    auto* split = new QSplitter(this);
    split->addWidget(m_view);
    split->addWidget(m_side);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(findLabel);
    top->addWidget(m_find, 1);
    top->addWidget(m_findNote);
    top->addWidget(fit);
    top->addWidget(route);
    top->addWidget(m_showOrders);
    top->addWidget(png);
    top->addWidget(svg);
    auto* hint = new QLabel(QStringLiteral("Drag or arrow keys to move, wheel or + and - to zoom; "
                                           "Tab goes from star to star, Enter or a click opens "
                                           "one. Enter on a warp point starts a new order."),
                            this);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addWidget(m_movesNote);
    auto* legend = new QLabel(
        QStringLiteral("Key: green ring, population groups (their count after the name); red "
                       "mark, fleets; ?, an unexplored warp point; the letter after a "
                       "destination, the warp point arrived at; blue arrow, a move ordered this "
                       "turn (its fleet); purple, the route; red cross, a star avoided."),
        this);
    legend->setObjectName(QStringLiteral("Legend"));
    legend->setWordWrap(true);
    layout->addWidget(legend);
    layout->addWidget(hint);
    focusOnFindKey(this, m_find);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &WarpMapWindow::escape);
    auto* routeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    connect(routeKey, &QShortcut::activated, this, &WarpMapWindow::showRoutePanel);
    addProgramKeys(this, navigator, empireId);
    // The moves follow the orders stored, changed or deleted while the map is open.
    followStore(this, context.store, StoredData::Orders, [this] { refreshMoves(); });
    refreshMoves();
    resize(fittedToScreen(QSize(980, 680), context.screen));
}

void WarpMapWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // Where the player left it; else the whole map.
    m_view->setPlace(readViewPlace(m_context.store, m_empireId));
}

void WarpMapWindow::closeEvent(QCloseEvent* event)
{
    if (!m_context.store.readOnly())
        guarded(m_context.dialogs,
                [&] { keepViewPlace(m_context.store, m_empireId, m_view->place()); });
    QWidget::closeEvent(event);
}

QTreeWidget& WarpMapWindow::panel()
{
    return m_star->tree();
}

void WarpMapWindow::showStarNamed(const QString& name)
{
    const int star = m_map.indexOf(name);
    m_findNote->setText(star < 0 ? QStringLiteral("No star named %1").arg(name) : QString());
    if (star < 0)
        return;
    m_view->centreOn(star);
    showStar(star);
}

void WarpMapWindow::showStar(int star)
{
    m_star->showStar(star);
}

void WarpMapWindow::askExport(const QString& kind)
{
    const QString upper = kind.toUpper();
    const auto chosen = m_context.dialogs.chooseSaveFile(
        QStringLiteral("Save the Warp Map as %1").arg(upper),
        m_context.dataFolder.folder() + QStringLiteral("/Warp Map %1.%2").arg(m_empireId).arg(kind),
        QStringLiteral("*.") + kind);
    if (!chosen)
        return;
    const auto named = saveFileNamed(m_context.dialogs, *chosen, kind);
    if (!named)
        return;
    const QString& path = *named;
    guarded(m_context.dialogs, [&] {
        saveMapPicture(m_map, path, m_overlay);
        m_context.dialogs.inform(
            QStringLiteral("Warp Map"),
            QStringLiteral("The warp map is saved in %1.").arg(QDir::toNativeSeparators(path)),
            DialogIcon::Information);
    });
}

void WarpMapWindow::revealRoutePanel()
{
    if (m_route->isVisible())
        return;
    m_route->show();
    const int wanted = m_route->sizeHint().height();
    const int room = m_side->height();
    m_side->setSizes({std::max(room - wanted, room / 3), std::min(wanted, room * 2 / 3)});
}

int WarpMapWindow::findStar(const QString& text)
{
    const QString wanted = text.trimmed();
    const int star = m_map.bestMatch(wanted);
    m_findNote->setText(
        star < 0 && !wanted.isEmpty() ? QStringLiteral("No star named %1").arg(wanted) : QString());
    return star;
}

void WarpMapWindow::showRoutePanel()
{
    revealRoutePanel();
    QLineEdit& first = m_route->from().text().isEmpty() ? m_route->from() : m_route->to();
    first.setFocus(Qt::ShortcutFocusReason);
}

void WarpMapWindow::offerStarMenu(int star, QPoint at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("StarMenu"));
    const auto add = [&](const QString& text, const QString& name, auto act) {
        QAction* action = menu.addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, act);
    };
    add(QStringLiteral("Route &From Here"), QStringLiteral("RouteFromHere"), [this, star] {
        m_route->setFrom(star);
        showRoutePanel();
    });
    add(QStringLiteral("Route &To Here"), QStringLiteral("RouteToHere"), [this, star] {
        m_route->setTo(star);
        showRoutePanel();
    });
    add(m_route->isAvoided(star) ? QStringLiteral("&Do Not Avoid This Star")
                                 : QStringLiteral("&Avoid This Star"),
        QStringLiteral("AvoidStar"), [this, star] {
            m_route->toggleAvoided(star);
            revealRoutePanel();
        });
    menu.addSeparator();
    add(QStringLiteral("&Show What It Holds"), QStringLiteral("ShowStar"),
        [this, star] { showStar(star); });
    menu.exec(at);
}

void WarpMapWindow::refreshMoves()
{
    guarded(m_context.dialogs, [&] {
        const MovesOnMap moves =
            movesOnMap(m_map, OrderRepository(m_context.store).ordersOf(m_empireId));
        m_moves = moves.drawn;
        m_movesNote->setText(
            QStringLiteral("%1 not on the map: see Check Orders.")
                .arg(countOf(moves.notOnMap, QStringLiteral("move"), QStringLiteral("moves"))));
        m_movesNote->setVisible(moves.notOnMap > 0);
    });
    updateOverlay();
}

void WarpMapWindow::updateOverlay()
{
    m_overlay = m_route->overlay();
    if (const int jumps = m_star->nearJumps(); jumps > 0)
        m_overlay.onlyStars = m_route->finder().within(m_star->shownStar(), jumps);
    if (m_showOrders->isChecked())
        m_overlay.moves = m_moves;
    m_view->setOverlay(&m_overlay);
}

// Escape closes a list of names open under a box, else leaves the route panel for the map,
// else closes the window.
void WarpMapWindow::escape()
{
    if (QWidget* list = QApplication::activePopupWidget()) {
        list->hide();
        return;
    }
    if (m_route->isVisible() && m_route->isAncestorOf(focusWidget())) {
        m_route->hide();
        m_view->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    close();
}

} // namespace vf
