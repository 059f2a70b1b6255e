// Renders the windows of the program, filled from the test data, into PNG files for
// the user's guide: make-screenshots <folder>. Each window is sized for the screen it runs on
// (the room Qt reports, in its own pixels). Run by scripts/screenshots.sh under Xvfb.

#include "AppFixture.h"
#include "Startup.h"
#include "check/CheckOrdersWindow.h"
#include "check/FixDialog.h"
#include "store/OrderFixes.h"
#include "common/ScreenMetrics.h"
#include "earlier/EarlierOrdersWindow.h"
#include "help/HelpWindows.h"
#include "listing/OrderListingWindow.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "ordersfile/OrdersArchive.h"
#include "store/EmpireOrderCheck.h"
#include "store/OrderRepository.h"
#include "turndata/RecordsWithOrders.h"
#include "turndata/TurnChanges.h"
#include "turndata/TurnDataWindow.h"
#include "turndata/WhatChangedWindow.h"
#include "turnimport/TurnImporter.h"
#include "warpmap/MapView.h"
#include "warpmap/RoutePanel.h"
#include "warpmap/StarPanel.h"
#include "warpmap/WarpMapWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <cstdio>

using namespace vf;
using namespace vf::test;

namespace {

void addOrders(Store& store)
{
    const OrderRepository orders(store);
    orders.append(123, QStringLiteral("NM"), TestStore::slots({"12", "Sol", "3"}));
    orders.append(123, QStringLiteral("MOVE"), TestStore::slots({"27", "Barnard's Star", "21"}));
    orders.append(123, QStringLiteral("BI"),
                  TestStore::slots({"4", "Laser Cannon", "7", "1", "Yes"}));
    orders.append(123, QStringLiteral("MESS"),
                  TestStore::slots({"77", " ", "Greetings from the Sable Concord."}));
    orders.append(123, QStringLiteral("TREE"), TestStore::slots());
    // An order left over from an earlier turn, for Check Orders to find.
    orders.append(123, QStringLiteral("MOVE"), TestStore::slots({"31", "Vega", "14"}));
}

bool save(QWidget& window, const QString& folder, const QString& name)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(200); // let the window system settle the frame
    const QString path = QDir(folder).filePath(name);
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    window.hide();
    return saved;
}

// 900.mdb's 5,000 stars: only those near a star marked.
bool saveLargeMap(AppFixture& f, const QString& folder)
{
    f.t.addEmpire(900, QStringLiteral("Vast Dominion"));
    f.t.importFixture(QStringLiteral("900.mdb"), 900);
    auto laidOut = laidOutMap(f.context, 900, nullptr);
    if (!laidOut)
        return false;
    WarpMapWindow map(f.context, f.navigator, 900, std::move(*laidOut));
    map.resize(QSize(860, 560).boundedTo(map.size()));
    map.show();
    map.showStarNamed(QStringLiteral("Arar 1"));
    map.starPanel().nearBox().setChecked(true);
    return save(map, folder, QStringLiteral("warp-map-near.png"));
}

// Two turns saved and the orders of this one cleared: what Earlier Orders lists.
bool saveEarlierOrders(AppContext& context, Navigator& navigator, const QString& folder)
{
    const OrderRepository orders(context.store);
    const QList<Order> now = orders.ordersOf(123);
    const OrdersArchive archive(context.dataFolder.folder());
    const QDateTime imported(QDate(2026, 11, 23), QTime(9, 30));
    archive.keep({123, QDateTime(QDate(2026, 11, 24), QTime(21, 5)), {imported, "123.mdb"}, 3},
                 now.mid(0, 3));
    archive.keep({123,
                  QDateTime(QDate(2026, 12, 1), QTime(20, 40)),
                  {imported.addDays(7), "123.mdb"},
                  int(now.size())},
                 now);
    orders.clear(123, QDateTime(QDate(2026, 12, 7), QTime(8, 15)));
    EarlierOrdersWindow earlier(context, navigator, 123);
    earlier.setAttribute(Qt::WA_DeleteOnClose, false);
    earlier.turns().setCurrentCell(1, 0);
    earlier.orders().selectRow(1);
    return save(earlier, folder, QStringLiteral("earlier-orders.png"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(programIcon());
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    const QSize screen = QGuiApplication::primaryScreen()->availableSize();
    AppFixture f(screen.width(), screen.height());
    f.t.addEmpire(123, QStringLiteral("Sable Concord"));
    f.t.addEmpire(456, QStringLiteral("Iron Veil"), QStringLiteral("s3cret!"));
    f.t.importFixture(QStringLiteral("123.mdb"), 123);
    addOrders(f.t.store());
    f.context.currentEmpireId = 123;

    MainMenuWindow menu(f.context, f.navigator);
    bool ok = save(menu, folder, QStringLiteral("main-menu.png"));

    OrderEntryWindow entry(f.context, f.navigator, 123);
    entry.show();
    entry.activateWindow();
    if (!QTest::qWaitForWindowExposed(&entry))
        return 1;
    // A BOMB order begun by keyboard: the code by type-ahead, fleet 27 from its first digit.
    auto* chooser = entry.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QTest::keyClicks(chooser, QStringLiteral("bo"));
    QTest::keyClick(chooser, Qt::Key_Return);
    QTest::keyClick(entry.focusWidget(), '2');
    QTest::keyClick(entry.focusWidget(), Qt::Key_Return);
    ok = save(entry, folder, QStringLiteral("order-entry.png")) && ok;

    OrderListingWindow listing(f.context, f.navigator, 123);
    ok = save(listing, folder, QStringLiteral("order-listing.png")) && ok;

    CheckOrdersWindow check(checkEmpireOrders(f.t.store(), 123), 123, f.navigator, f.screen);
    check.setAttribute(Qt::WA_DeleteOnClose, false);
    check.showWithoutOrders(withoutOrders(f.t.store(), 123));
    ok = save(check, folder, QStringLiteral("check-orders.png")) && ok;
    for (const OrderFinding& finding : check.shownFindings()) {
        const FixOffer offer = offerFix(f.t.store(), 123, finding);
        if (offer.fixes()) {
            FixDialog fix(finding, offer, &check);
            ok = save(fix, folder, QStringLiteral("check-orders-fix.png")) && ok;
            break;
        }
    }

    TurnDataWindow data(f.context, f.navigator, 123);
    data.tabs().setCurrentIndex(5); // the warp points
    ok = save(data, folder, QStringLiteral("turn-data.png")) && ok;

    if (auto laidOut = laidOutMap(f.context, 123, nullptr)) {
        WarpMapWindow map(f.context, f.navigator, 123, std::move(*laidOut));
        map.resize(QSize(860, 520).boundedTo(map.size()));
        map.show();
        map.view().centreOn(map.map().indexOf(QStringLiteral("Sol")));
        map.view().fit();
        Q_EMIT map.view().starOpened(map.view().marked());
        ok = save(map, folder, QStringLiteral("warp-map.png")) && ok;
        // A route planned, one move stored: what the route panel and Show Orders draw.
        OrderRepository(f.t.store())
            .append(123, QStringLiteral("MOVE"), TestStore::slots({"12", "Sol", "6"}));
        QCoreApplication::processEvents(); // the map hears of the order stored
        map.showRoutePanel();
        map.routePanel().from().setText(QStringLiteral("Tarsis"));
        map.routePanel().to().setText(QStringLiteral("Vega"));
        map.view().fit();
        ok = save(map, folder, QStringLiteral("warp-map-route.png")) && ok;
    }

    // The next turn's file, and what changed with it.
    const QString next = f.t.fileWith(QStringLiteral("123.mdb"), TestStore::nextTurnOf123());
    TurnImporter(f.t.store(), TestStore::readerPath()).importFile(123, next);
    WhatChangedWindow changed(changesSince(f.t.store(), 123, TestStore::readerPath(),
                                           TestStore::dataFile(QStringLiteral("123.mdb")),
                                           QDateTime(QDate(2026, 12, 2), QTime(9, 30))),
                              QStringLiteral("Empire # 123 Sable Concord"), f.navigator, 123);
    changed.setAttribute(Qt::WA_DeleteOnClose, false);
    changed.resize(fittedToScreen(changed.size(), f.screen)); // as the menu opens it
    ok = save(changed, folder, QStringLiteral("what-changed.png")) && ok;

    UserGuideWindow guide(QStringLiteral(VFTURN_SOURCE_DIR "/README.md"), f.screen);
    guide.setAttribute(Qt::WA_DeleteOnClose, false);
    ok = save(guide, folder, QStringLiteral("user-guide.png")) && ok;
    ok = saveEarlierOrders(f.context, f.navigator, folder) && ok;
    return saveLargeMap(f, folder) && ok ? 0 : 1;
}
