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
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QVector3D>
#include <qpa/qwindowsysteminterface.h>

#include <array>
#include <set>

using namespace vf;
using namespace vf::test;

namespace {

// The marks a picture shows: for each of the map's colours, the cells of 8 by 8 pixels that
// hold it (pixels near the colour itself; the smoothed edges between colours do not count).
using Marks = std::array<std::set<std::pair<int, int>>, 6>;

Marks marksOf(const QImage& picture)
{
    const std::array<QColor, 6> colours{mapstyle::kLink,      mapstyle::kStub,  mapstyle::kStar,
                                        mapstyle::kPopulated, mapstyle::kFleet, mapstyle::kName};
    constexpr int kCell = 8;
    constexpr int kNear = 40 * 40;
    Marks marks;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            for (std::size_t c = 0; c < colours.size(); ++c) {
                const int r = pixel.red() - colours[c].red();
                const int g = pixel.green() - colours[c].green();
                const int b = pixel.blue() - colours[c].blue();
                if (r * r + g * g + b * b <= kNear)
                    marks[c].insert({x / kCell, y / kCell});
            }
        }
    }
    return marks;
}

// The cells of one picture's colour that the other shows nowhere near (a cell beside counts:
// the two drawings smooth their edges a pixel apart).
int missing(const std::set<std::pair<int, int>>& from, const std::set<std::pair<int, int>>& in)
{
    int count = 0;
    for (const auto& [x, y] : from) {
        bool near = false;
        for (int dx = -1; dx <= 1 && !near; ++dx) {
            for (int dy = -1; dy <= 1 && !near; ++dy)
                near = in.count({x + dx, y + dy}) > 0;
        }
        count += near ? 0 : 1;
    }
    return count;
}

QImage drawnBack(const QByteArray& svg, QSize size)
{
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace

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
        for (const QString& file : {png, svg}) {
            f.dialogs.choose(file);
            f.dialogs.answerOk();
            f.click(map, file.endsWith(QStringLiteral("png")) ? QStringLiteral("ExportPng")
                                                              : QStringLiteral("ExportSvg"));
            QCOMPARE(
                f.dialogs.last().request.text,
                QStringLiteral("The warp map is saved in %1.").arg(QDir::toNativeSeparators(file)));
        }
        // What was written is the map's drawing, whole.
        QCOMPARE(QImage(png), mapImage(map->map()));
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

    // Save as PNG and Save as SVG are one drawing: the SVG drawn back shows every mark the PNG
    // shows, where the PNG shows it, colour by colour (links, unexplored warp points, stars,
    // population rings, fleet marks, names), and no other.
    void thePngAndTheSvgShowTheSameMarks_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("empireId");
        QTest::addColumn<bool>("everyMark"); // the map holds every kind of mark
        QTest::newRow("123.mdb") << "123.mdb" << 123 << true;
        QTest::newRow("126.mdb, awkward names") << "126.mdb" << 126 << false;
    }
    void thePngAndTheSvgShowTheSameMarks()
    {
        QFETCH(QString, file);
        QFETCH(int, empireId);
        QFETCH(bool, everyMark);
        TestStore t;
        t.importFixture(file, empireId);
        WarpMap map = readWarpMap(t.store(), empireId);
        QVERIFY(layOutMap(map));
        const QImage png = mapImage(map);
        const Marks shown = marksOf(png);
        const Marks drawnFromSvg = marksOf(drawnBack(mapSvg(map), png.size()));
        const char* names[] = {"links", "unexplored", "stars", "rings", "fleets", "names"};
        for (std::size_t c = 0; c < shown.size(); ++c) {
            QVERIFY2(!everyMark || !shown[c].empty(), names[c]);
            QVERIFY2(missing(shown[c], drawnFromSvg[c]) == 0, names[c]);
            QVERIFY2(missing(drawnFromSvg[c], shown[c]) == 0, names[c]);
        }
    }

    // What the PNG shows, where the map lays it: each star's dot, a ring where population groups
    // are, a mark over a star where fleets are, nothing of them elsewhere.
    void thePngShowsEachStarWithWhatItHolds()
    {
        WarpMap map;
        map.stars = {{QStringLiteral("Sol"), QPointF(0, 0), 2, 1},
                     {QStringLiteral("Vega"), QPointF(200, 0), 0, 0},
                     {QStringLiteral("Tarsis"), QPointF(0, 200), 1, 0}};
        map.links = {{0, 1}};
        const QImage png = mapImage(map);
        const MapPicture picture = wholeMapPicture(map);
        QCOMPARE(png.size(), picture.size);
        // A pixel beside the point drawn in the colour, or in the colour smoothed into the
        // white around it (a mix of the two, at least a third of it the colour).
        const auto near = [&png](QPointF at, const QColor& colour) {
            const QVector3D white(255, 255, 255);
            const QVector3D towards =
                white - QVector3D(colour.red(), colour.green(), colour.blue());
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    const QColor pixel = png.pixelColor(at.toPoint() + QPoint(dx, dy));
                    const QVector3D away =
                        white - QVector3D(pixel.red(), pixel.green(), pixel.blue());
                    const float share =
                        QVector3D::dotProduct(away, towards) / towards.lengthSquared();
                    if (share >= 0.35f && (away - share * towards).length() <= 16)
                        return true;
                }
            }
            return false;
        };
        for (int i = 0; i < map.stars.size(); ++i) {
            const MapStar& star = map.stars[i];
            const QPointF at = picture.toPicture.map(star.at);
            QVERIFY2(near(at, mapstyle::kStar), qPrintable(star.name));
            QCOMPARE(near(at + QPointF(mapstyle::kRingRadius, 0), mapstyle::kPopulated),
                     star.populationGroups > 0);
            QCOMPARE(
                near(at - QPointF(0, (mapstyle::kFleetMarkBottom + mapstyle::kFleetMarkTop) / 2),
                     mapstyle::kFleet),
                star.fleets > 0);
        }
        const QPointF between = picture.toPicture.map(QPointF(100, 0));
        QVERIFY(near(between, mapstyle::kLink));
        QVERIFY(!near(picture.toPicture.map(QPointF(0, 100)), mapstyle::kLink));
    }
};

QTEST_MAIN(TestWarpMapWindow)
#include "tst_warpmapwindow.moc"
