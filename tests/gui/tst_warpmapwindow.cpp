#include "AppWindowsFixture.h"
#include "RealInput.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "orderentry/WidgetOrderForm.h"
#include "warpmap/MapDrawing.h"
#include "warpmap/MapLayout.h"
#include "warpmap/MapPictures.h"
#include "warpmap/MapView.h"
#include "warpmap/WarpMapWindow.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <qpa/qwindowsysteminterface.h>

#include <array>
#include <set>

using namespace vf;
using namespace vf::test;

// The warp map window, and the map's one drawing.
class TestWarpMapWindow : public QObject {
    Q_OBJECT

    using Fixture = AppWindowsFixture;

private Q_SLOTS:
    // The warp map by key and mouse: a star found by typing, one clicked, a warp point of its
    // panel leads to a MOVE order; Tab goes from star to star; the map saved as PNG and SVG;
    // the player's view comes back when the map is opened again.
    void theWarpMapFindsStarsAndLeadsToANewOrder()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        f.pick(QStringLiteral("Sable Concord"));
        QVERIFY(QTest::qWaitForWindowActive(&f.menu()));
        QTest::keyClick(&f.menu(), Qt::Key_M, Qt::ControlModifier);
        WarpMapWindow* map = f.windows->warpMap();
        QVERIFY(map && map->isVisible());
        QVERIFY(map->windowTitle().startsWith(
            QStringLiteral("Warp Map - Empire # 123 Sable Concord - imported ")));
        QVERIFY(QTest::qWaitForWindowActive(map));
        const auto header = [map] { return map->panel().headerItem()->text(0); };
        QTest::keyClick(map, Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(&map->find(), QStringLiteral("TAR"));
        QCOMPARE(map->view().marked(), map->map().indexOf(QStringLiteral("Tarsis")));
        QTest::keyClick(&map->find(), Qt::Key_Return);
        QCOMPARE(header(), QStringLiteral("Tarsis"));

        // Tab from star to star in name order, Enter opens the one reached.
        map->view().setFocus();
        QTest::keyClick(&map->view(), Qt::Key_Tab);
        QTest::keyClick(&map->view(), Qt::Key_Return);
        QCOMPARE(header(), QStringLiteral("Vega"));

        const int sol = map->map().indexOf(QStringLiteral("Sol"));
        QTest::mouseClick(&map->view(), Qt::LeftButton, Qt::NoModifier,
                          map->view().screenPointOf(sol).toPoint());
        QCOMPARE(header(), QStringLiteral("Sol"));
        QTest::keyClick(&map->view(), Qt::Key_Tab); // another star marked; the panel stays Sol's
        QCOMPARE(map->panel().currentItem()->text(0), QStringLiteral("Warp Point # 5 to Vega (B)"));
        QTimer::singleShot(0, [] {
            QVERIFY(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (action->text() == QStringLiteral("MOVE (Move to Warp Point)")) {
                    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                                      menu->actionGeometry(action).center());
                    return;
                }
            }
            menu->close();
        });
        QTest::keyClick(&map->panel(), Qt::Key_Return);
        OrderEntryWindow* entry = f.windows->orderEntry();
        QVERIFY(entry && entry->isVisible());
        QCOMPARE(entry->form().code(), QStringLiteral("MOVE"));
        QCOMPARE(entry->form().slotText(2), QStringLiteral("Sol"));
        QVERIFY2(entry->form().slotText(3).startsWith(QStringLiteral("5 Sol ")),
                 qPrintable(entry->form().slotText(3)));

        const QString png = f.t.folder().folder() + QStringLiteral("/map.png");
        const QString svg = f.t.folder().folder() + QStringLiteral("/map.svg");
        const QStringList files = canSaveSvg() ? QStringList{png, svg} : QStringList{png};
        for (const QString& file : files) {
            f.dialogs.choose(file.chopped(4)); // typed without its extension: it is added
            f.dialogs.answerOk();
            f.click(map, file.endsWith(QStringLiteral("png")) ? QStringLiteral("ExportPng")
                                                              : QStringLiteral("ExportSvg"));
            QCOMPARE(
                f.dialogs.last().request.text,
                QStringLiteral("The warp map is saved in %1.").arg(QDir::toNativeSeparators(file)));
        }
        // What was written is the map's drawing, whole.
        QCOMPARE(QImage(png), mapImage(map->map()));
        if (canSaveSvg())
            QCOMPARE(TestStore::contentsOf(svg), mapSvg(map->map()));

        // Zoomed by the wheel and by a pinch, as the window system delivers them; zoomed in by
        // key and moved: so it opens again.
        entry->close(); // (a pinch goes to the window under the fingers)
        MapView& view = map->view();
        const double scale = view.place().scale;
        wheelOver(&view, 120);
        QVERIFY(qAbs(view.place().scale / scale - 1.25) < 1e-9);
        const QPointF middle = view.mapTo(map, view.rect().center());
        QWindowSystemInterface::handleGestureEventWithRealValue(
            map->windowHandle(), 0, QPointingDevice::primaryPointingDevice(), Qt::ZoomNativeGesture,
            1.0, middle, view.mapToGlobal(view.rect().center()));
        QWindowSystemInterface::flushWindowSystemEvents();
        QVERIFY(qAbs(view.place().scale / scale - 2.5) < 1e-9);
        QTest::keyClick(&map->view(), Qt::Key_Plus);
        QTest::keyClick(&map->view(), Qt::Key_Left);
        const MapViewPlace left = map->view().place();
        // Ctrl+M again brings the same map to the front; closed and opened, it is where it was.
        f.windows->openWarpMap(123);
        QCOMPARE(f.windows->warpMap(), map);
        map->close();
        f.windows->openWarpMap(123);
        QVERIFY(f.windows->warpMap() != map);
        QCOMPARE(f.windows->warpMap()->view().place().centre, left.centre);
        QCOMPARE(f.windows->warpMap()->view().place().scale, left.scale);
    }

    // A large map is laid out behind a progress bar: Cancel opens no map and keeps nothing, the
    // next time it is laid out whole.
    // A star's name that would cover one already written is left out: the map then looks as
    // if that star had no name; a name with room is written.
    void theWarpMapLeavesOutANameThatWouldCoverAnother_data()
    {
        QTest::addColumn<QPointF>("secondAt");
        QTest::addColumn<bool>("secondNamed");
        QTest::newRow("on the first name") << QPointF(40, 20) << false;
        QTest::newRow("well below it") << QPointF(10, 80) << true;
    }
    void theWarpMapLeavesOutANameThatWouldCoverAnother()
    {
        QFETCH(QPointF, secondAt);
        QFETCH(bool, secondNamed);
        const auto picture = [&secondAt](const QString& secondName) {
            WarpMap map;
            map.stars = {{QStringLiteral("Barnard's Star"), QPointF(10, 20)},
                         {secondName, secondAt}};
            QImage image(240, 120, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            paintMap(painter, map, QTransform(), QRectF(0, 0, 240, 120), 0);
            return image;
        };
        QCOMPARE(picture(QStringLiteral("Aerendel")) != picture(QString()), secondNamed);
    }

    void theWarpMapLayoutCanBeCancelled()
    {
        Fixture f;
        f.t.addEmpire(900, QStringLiteral("Vast Dominion"));
        f.t.importFixture(QStringLiteral("900.mdb"), 900);
        bool cancelled = false;
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, [&cancelled] {
            auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
            if (progress && progress->objectName() == QStringLiteral("MapLayoutProgress") &&
                !cancelled) {
                cancelled = true;
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            }
        });
        cancel.start(20);
        f.windows->openWarpMap(900);
        cancel.stop();
        QVERIFY(cancelled);
        QVERIFY(!f.windows->warpMap());
        f.windows->openWarpMap(900);
        QVERIFY(f.windows->warpMap());
        QCOMPARE(f.windows->warpMap()->map().stars.size(), 5000);
    }
};

QTEST_MAIN(TestWarpMapWindow)
#include "tst_warpmapwindow.moc"
