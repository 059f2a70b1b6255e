#include "AppFixture.h"
#include "ModalAnswerer.h"
#include "store/OrderRepository.h"
#include "store/TurnDataRepository.h"
#include "warpmap/MapView.h"
#include "warpmap/RoutePanel.h"
#include "warpmap/StarPanel.h"
#include "warpmap/WarpMapWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace vf;
using namespace vf::test;

namespace {

// The warp map of empire 123 (Tarsis → Sol by Warp Point # 14, Sol → Vega by # 5), shown.
struct MapOf123 : AppFixture {
    std::unique_ptr<WarpMapWindow> window;

    MapOf123()
    {
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
        window = std::make_unique<WarpMapWindow>(context, navigator, 123,
                                                 *laidOutMap(context, 123, nullptr));
        window->show();
    }
    int star(const QString& name) const { return window->map().indexOf(name); }

    // The right mouse button on the star, and the menu's entry of that name chosen.
    void chooseFromStarMenu(const QString& name, const QString& entry)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        MapView& view = window->view();
        QTimer::singleShot(0, [entry] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QAction* action = menu->findChild<QAction*>(entry);
            QVERIFY(action);
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        // As the window system delivers it: the press of the right button asks for the menu.
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {},
                          view.mapTo(window.get(), view.screenPointOf(star(name)).toPoint()));
    }
};

} // namespace

// A route planned on the map, avoided stars, the route ordered in one step, this turn's moves
// drawn.
class TestMapRoute : public QObject {
    Q_OBJECT

    // The list of names the box offers as it is typed in, closed by Escape as a player would.
    static void closeCompletions()
    {
        if (QWidget* list = QApplication::activePopupWidget())
            QTest::keyClick(list, Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }

private Q_SLOTS:
    // The route by the star menu and by typing, as the panel tells it and the map draws it.
    void aRouteIsPlannedByMouseAndKeys_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to"); // typed in the To box
        QTest::addColumn<QString>("avoided");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("jumps");
        QTest::newRow("two jumps")
            << "Tarsis"
            << "vega" << QString()
            << "2 jumps: Tarsis \u2192 Sol by Warp Point # 14, Sol \u2192 Vega "
               "by Warp Point # 5"
            << 2;
        QTest::newRow("cut by an avoided star")
            << "Tarsis"
            << "Vega"
            << "Sol"
            << "No known warp points lead from Tarsis to Vega without passing an avoided star" << 0;
        QTest::newRow("one way only") << "Vega"
                                      << "SOL" << QString()
                                      << "No known warp points lead from Vega to Sol: some warp "
                                         "points between them lead the other way only"
                                      << 0;
        QTest::newRow("already there") << "Sol"
                                       << "sol" << QString() << "Sol: already there" << 0;
        QTest::newRow("no such star") << "Sol"
                                      << "Solx" << QString() << "No star named Solx." << 0;
    }
    void aRouteIsPlannedByMouseAndKeys()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, avoided);
        QFETCH(QString, told);
        QFETCH(int, jumps);
        MapOf123 f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.chooseFromStarMenu(from, QStringLiteral("RouteFromHere"));
        RoutePanel& panel = f.window->routePanel();
        QVERIFY(panel.isVisible());
        QCOMPARE(panel.from().text(), from);
        QCOMPARE(f.window->focusWidget(), &panel.to()); // the box still empty
        QVERIFY(panel.orderButton().height() > 0);      // the panel has room
        QTest::keyClicks(&panel.to(), to);
        closeCompletions();
        if (!avoided.isEmpty())
            f.chooseFromStarMenu(avoided, QStringLiteral("AvoidStar"));
        QVERIFY2(panel.told().text().startsWith(told), qPrintable(panel.told().text()));
        QCOMPARE(int(f.window->overlay().route.size()), jumps);
        QCOMPARE(panel.orderButton().isEnabled(), jumps > 0);
        QCOMPARE(f.window->overlay().avoided,
                 avoided.isEmpty() ? std::vector<int>{} : std::vector<int>{f.star(avoided)});
        // Escape leaves the panel for the map; the map stays open.
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        panel.to().setFocus();
        QTest::keyClick(&panel.to(), Qt::Key_Escape);
        QVERIFY(!panel.isVisible());
        QVERIFY(f.window->isVisible());
    }

    // Order This Route stores a MOVE a jump for the fleet chosen, as many jumps as asked;
    // Cancel stores nothing. The map then draws the moves stored, and counts one it cannot.
    void theRouteIsOrderedInOneStep_data()
    {
        QTest::addColumn<int>("jumps"); // 0: cancelled
        QTest::newRow("both jumps") << 2;
        QTest::newRow("the first jump") << 1;
        QTest::newRow("cancelled") << 0;
    }
    void theRouteIsOrderedInOneStep()
    {
        QFETCH(int, jumps);
        MapOf123 f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        RoutePanel& panel = f.window->routePanel();
        f.window->showRoutePanel();
        QTest::keyClicks(&panel.from(), QStringLiteral("Tarsis"));
        QTest::keyClicks(&panel.to(), QStringLiteral("Vega"));
        QVERIFY2(panel.orderButton().isEnabled(), qPrintable(panel.told().text()));
        const int fleet = *TurnDataRepository(f.t.store(), 123).fleets().front().number;
        QString offered;
        const ModalAnswerer answer([&](QWidget* modal) {
            auto* fleets = modal->findChild<QComboBox*>(QStringLiteral("RouteFleet"));
            auto* count = modal->findChild<QSpinBox*>(QStringLiteral("RouteJumps"));
            auto* buttons = modal->findChild<QDialogButtonBox*>();
            QVERIFY(fleets && count && buttons);
            offered = fleets->currentText();
            fleets->setCurrentIndex(fleets->findData(fleet));
            count->setValue(jumps);
            QTest::mouseClick(
                buttons->button(jumps > 0 ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                Qt::LeftButton);
        });
        if (jumps == 2)
            f.dialogs.answerOk(); // Sol's Warp Point # 5: a low number, told once
        if (jumps > 0)
            f.dialogs.answerOk(); // how many were stored
        QTest::mouseClick(&panel.orderButton(), Qt::LeftButton);
        QVERIFY(offered.startsWith(QStringLiteral("Fleet # ")));
        const QList<Order> stored = OrderRepository(f.t.store()).ordersOf(123);
        QCOMPARE(stored.size(), jumps);
        const QStringList expected{QStringLiteral("%1|Tarsis|14").arg(fleet),
                                   QStringLiteral("%1|Sol|5").arg(fleet)};
        for (int i = 0; i < jumps; ++i) {
            QCOMPARE(stored[i].code, QStringLiteral("MOVE"));
            QCOMPARE(QStringList({stored[i].slots[0], stored[i].slots[1], stored[i].slots[2]})
                         .join(QLatin1Char('|')),
                     expected[i]);
            QCOMPARE(stored[i].priority, 10 * (i + 1));
        }
        if (jumps == 0)
            return;
        if (jumps == 2)
            QVERIFY2(f.dialogs.texts().value(0).startsWith(QStringLiteral("Jump 2: ")),
                     qPrintable(f.dialogs.texts().value(0)));
        QCOMPARE(
            f.dialogs.last().request.text,
            jumps == 1
                ? QStringLiteral("1 MOVE order stored for Fleet # %1, at priority 10.").arg(fleet)
                : QStringLiteral("2 MOVE orders stored for Fleet # %1, at priorities "
                                 "10, 20.")
                      .arg(fleet));
        // The moves follow the store: drawn, and one whose warp point is not at its star told.
        QTRY_COMPARE(int(f.window->overlay().moves.size()), jumps);
        QCOMPARE(f.window->overlay().moves.front(),
                 (MapMove{f.star(QStringLiteral("Tarsis")), f.star(QStringLiteral("Sol")), fleet}));
        OrderRepository(f.t.store())
            .append(123, QStringLiteral("MOVE"), TestStore::slots({"12", "Sol", "14"}));
        QTRY_VERIFY(f.window->movesNote().isVisible());
        QCOMPARE(f.window->movesNote().text(),
                 QStringLiteral("1 move not on the map: see Check Orders."));
        QCOMPARE(int(f.window->overlay().moves.size()), jumps);
        QTest::mouseClick(&f.window->showOrders(), Qt::LeftButton);
        QVERIFY(f.window->overlay().moves.empty());
    }

    // Near This Star, by keys: only the stars a fleet at the star reaches in so many jumps are
    // drawn and fitted; Tab goes through those alone; turned off, the whole map is back.
    void nearThisStarShowsOnlyTheStarsWithinItsJumps_data()
    {
        QTest::addColumn<int>("jumps");
        QTest::addColumn<QStringList>("near");
        QTest::newRow("one jump") << 1 << QStringList{"Sol", "Tarsis"};
        QTest::newRow("two jumps") << 2 << QStringList{"Sol", "Tarsis", "Vega"};
    }
    void nearThisStarShowsOnlyTheStarsWithinItsJumps()
    {
        QFETCH(int, jumps);
        QFETCH(QStringList, near);
        MapOf123 f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->showStarNamed(QStringLiteral("Tarsis"));
        StarPanel& panel = f.window->starPanel();
        const double wholeMap = f.window->view().place().scale;
        panel.jumpsBox().setFocus();
        QTest::keyClick(&panel.jumpsBox(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&panel.jumpsBox(), QString::number(jumps));
        QTest::keyClick(f.window.get(), Qt::Key_N, Qt::AltModifier);
        QTRY_VERIFY(panel.nearBox().isChecked()); // (a mnemonic clicks after a moment)
        const auto drawn = [&f] {
            QStringList names;
            const std::vector<bool>& only = f.window->overlay().onlyStars;
            for (std::size_t i = 0; i < only.size(); ++i) {
                if (only[i])
                    names << f.window->map().stars[qsizetype(i)].name;
            }
            return names;
        };
        QCOMPARE(drawn(), near);
        QVERIFY(f.window->view().place().scale > wholeMap); // fewer stars, fitted closer
        // Tab from the first star to the last: the stars drawn, in name order, then out.
        MapView& view = f.window->view();
        view.setFocus();
        QTest::keyClick(&view, Qt::Key_Home);
        QStringList visited{f.window->map().stars[view.marked()].name};
        while (view.hasFocus() && visited.size() <= near.size()) {
            QTest::keyClick(&view, Qt::Key_Tab);
            if (view.hasFocus())
                visited << f.window->map().stars[view.marked()].name;
        }
        QCOMPARE(visited, near);
        QTest::mouseClick(&panel.nearBox(), Qt::LeftButton);
        QVERIFY(f.window->overlay().onlyStars.empty());
        QCOMPARE(view.place().scale, wholeMap);
    }

    // The star panel's fleets begin new orders as Turn Data's rows do.
    void aFleetInTheStarPanelBeginsANewOrder()
    {
        MapOf123 f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.window->showStarNamed(QStringLiteral("Sol"));
        QTreeWidget& tree = f.window->panel();
        QTreeWidgetItem* fleets = tree.topLevelItem(tree.topLevelItemCount() - 1);
        QVERIFY(fleets->text(0).startsWith(QStringLiteral("Fleets (")));
        QCOMPARE(fleets->child(0)->text(0), QStringLiteral("Fleet # 12 Home Guard"));
        tree.setFocus();
        tree.setCurrentItem(fleets->child(0));
        QTimer::singleShot(0, [] {
            QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            QWidget* menu = QApplication::activePopupWidget();
            QTest::keyClicks(menu, QStringLiteral("move"));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTest::keyClick(&tree, Qt::Key_Return);
        QCOMPARE(f.navigator.calls.value(0),
                 QStringLiteral("order 123: MOVE, slot 1 picks 12, slot 0 holds "));
    }

    // Find goes to a name that begins with the text, else to one that holds it; Enter opens
    // it. A text no name holds is told, and Enter opens nothing.
    void findMatchesAnyPartOfAName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found"); // empty: none
        QTest::newRow("the start") << "tar"
                                   << "Tarsis";
        QTest::newRow("a part") << "ceti"
                                << "Kappa Ceti";
        QTest::newRow("a part, capitals") << "CETI"
                                          << "Kappa Ceti";
        QTest::newRow("the start before a part") << "s"
                                                 << "Sol";
        QTest::newRow("no name") << "zzz" << QString();
    }
    void findMatchesAnyPartOfAName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, found);
        MapOf123 f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window.get(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(&f.window->find(), typed);
        QTest::keyClick(&f.window->find(), Qt::Key_Return);
        auto* note = f.window->findChild<QLabel*>(QStringLiteral("FindNote"));
        if (found.isEmpty()) {
            QCOMPARE(note->text(), QStringLiteral("No star named ") + typed);
            QCOMPARE(f.window->panel().headerItem()->text(0), QStringLiteral("Choose a star"));
            return;
        }
        QVERIFY(note->text().isEmpty());
        QCOMPARE(f.window->view().marked(), f.star(found));
        QCOMPARE(f.window->panel().headerItem()->text(0), found);
    }
};

QTEST_MAIN(TestMapRoute)
#include "tst_maproute.moc"
