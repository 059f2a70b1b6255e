#include "AppWindowsFixture.h"
#include "DrawnText.h"
#include "RealInput.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "orderentry/WidgetOrderForm.h"
#include "warpmap/MapDrawing.h"
#include "warpmap/MapLayout.h"
#include "warpmap/MapPictures.h"
#include "warpmap/MapView.h"
#include "warpmap/ThinLines.h"
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

namespace {

// 900.mdb's map laid out, once for the whole test program.
const WarpMap& largeMap()
{
    static const WarpMap map = [] {
        TestStore t;
        t.addEmpire(900, QStringLiteral("Vast Dominion"));
        t.importFixture(QStringLiteral("900.mdb"), 900);
        WarpMap laidOut = readWarpMap(t.store(), 900);
        layOutMap(laidOut);
        return laidOut;
    }();
    return map;
}

// The star with the most lines.
int busiestStar(const WarpMap& map)
{
    std::vector<int> lines(std::size_t(map.stars.size()), 0);
    for (const MapLink& link : map.links) {
        ++lines[std::size_t(link.from)];
        ++lines[std::size_t(link.to)];
    }
    return int(std::max_element(lines.begin(), lines.end()) - lines.begin());
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
    // A star's name that would cover one already written goes to the other side of its star;
    // a name with room is written to its right.
    void aNameThatWouldCoverAnotherGoesToTheOtherSide_data()
    {
        QTest::addColumn<QPointF>("secondAt");
        QTest::addColumn<bool>("toTheRight");
        QTest::newRow("on the first name") << QPointF(40, 20) << false;
        QTest::newRow("well below it") << QPointF(10, 80) << true;
    }
    void aNameThatWouldCoverAnotherGoesToTheOtherSide()
    {
        QFETCH(QPointF, secondAt);
        QFETCH(bool, toTheRight);
        WarpMap map;
        map.stars = {{QStringLiteral("Aerendel"), secondAt},
                     {QStringLiteral("Barnard's Star"), QPointF(10, 20)}};
        TextRecorder drawing(QSize(240, 120));
        {
            QPainter painter(&drawing);
            paintMap(painter, map, QTransform(), QRectF(0, 0, 240, 120), 1);
        }
        QCOMPARE(drawing.texts().size(), std::size_t(2));
        const DrawnText& second = drawing.texts()[1];
        QCOMPARE(second.text, QStringLiteral("Aerendel"));
        QCOMPARE(second.box.left() > secondAt.x(), toTheRight);
    }

    // 900.mdb's 5,000 stars drawn whole, at the zoom where every star may be named, and close
    // up, with a star marked or none: no name written covers another, the marked star is named,
    // and close up so are the stars its lines lead to; the rest is faded while a star is marked.
    void namesNeverCoverOneAnother_data()
    {
        QTest::addColumn<double>("zoom"); // of the zoom where every star may be named
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("neighboursNamed");
        QTest::newRow("the whole map") << 0.0 << false << false;
        QTest::newRow("the whole map, a star marked") << 0.0 << true << false;
        QTest::newRow("names written") << 1.0 << false << false;
        QTest::newRow("names written, a star marked") << 1.0 << true << false;
        QTest::newRow("close up, a star marked") << 3.0 << true << true;
    }
    void namesNeverCoverOneAnother()
    {
        QFETCH(double, zoom);
        QFETCH(bool, marked);
        QFETCH(bool, neighboursNamed);
        const WarpMap& map = largeMap();
        const QSize size(1000, 700);
        const QRectF bounds = mapBounds(map);
        const int star = marked ? busiestStar(map) : -1;
        QTransform toScreen;
        if (zoom > 0) {
            const double scale = zoom * mapstyle::kRoomForNames / kStarSpacing;
            toScreen.translate(size.width() / 2.0, size.height() / 2.0);
            toScreen.scale(scale, scale);
            toScreen.translate(-map.stars[star < 0 ? 0 : star].at.x(),
                               -map.stars[star < 0 ? 0 : star].at.y());
        } else {
            const double scale =
                std::min(size.width() / bounds.width(), size.height() / bounds.height());
            toScreen.scale(scale, scale);
            toScreen.translate(-bounds.left(), -bounds.top());
        }
        TextRecorder drawing(size);
        {
            QPainter painter(&drawing);
            paintMap(painter, map, toScreen, toScreen.inverted().mapRect(QRectF(QPoint(), size)),
                     star);
        }
        const std::vector<DrawnText>& texts = drawing.texts();
        QVERIFY(!texts.empty());
        for (std::size_t a = 0; a < texts.size(); ++a) {
            for (std::size_t b = a + 1; b < texts.size(); ++b)
                QVERIFY2(!texts[a].box.intersects(texts[b].box),
                         qPrintable(texts[a].text + QStringLiteral(" / ") + texts[b].text));
        }
        const auto strongly = [&texts](const QString& name) {
            return std::any_of(texts.begin(), texts.end(), [&name](const DrawnText& text) {
                return text.text.startsWith(name) && text.colour == mapstyle::kName;
            });
        };
        if (!marked)
            return;
        QVERIFY(strongly(map.stars[star].name));
        QVERIFY(std::any_of(texts.begin(), texts.end(),
                            [](const DrawnText& text) { return text.colour != mapstyle::kName; }) ||
                zoom == 0);
        for (const MapLink& link : map.links) {
            const int other = link.from == star ? link.to : link.from;
            const bool inSight = QRectF(QPoint(), size).contains(toScreen.map(map.stars[other].at));
            if (neighboursNamed && (link.from == star || link.to == star) && inSight)
                QVERIFY2(strongly(map.stars[other].name), qPrintable(map.stars[other].name));
        }
    }

    // A crowded map's links, set pixel by pixel, fall where the painter's own lines fall (a
    // pixel either way at most), on a picture of one or two pixels a unit, a line running off
    // it and one far too long for it included.
    void thinLinesFallWhereThePaintersFall_data()
    {
        QTest::addColumn<QLineF>("line");
        QTest::addColumn<double>("ratio");
        QTest::newRow("across") << QLineF(3, 10, 90, 10) << 1.0;
        QTest::newRow("gently down") << QLineF(5, 5, 95, 40) << 1.0;
        QTest::newRow("steeply up") << QLineF(50, 70, 60, 2) << 1.0;
        QTest::newRow("off the picture") << QLineF(-30, 20, 50, 60) << 1.0;
        QTest::newRow("far too long") << QLineF(-5000, 40, 5000, 41) << 1.0;
        QTest::newRow("double size") << QLineF(5, 5, 95, 40) << 2.0;
    }
    void thinLinesFallWhereThePaintersFall()
    {
        QFETCH(QLineF, line);
        QFETCH(double, ratio);
        const auto drawn = [&](bool thin) {
            QImage image(QSize(100, 80) * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            QPainter painter(&image);
            if (thin)
                drawThinLines(painter, {line}, Qt::black);
            else {
                painter.setPen(QPen(Qt::black, 0));
                painter.drawLine(line);
            }
            return image;
        };
        const QImage thin = drawn(true);
        const QImage painted = drawn(false);
        const auto inked = [](const QImage& image, int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (image.rect().contains(x + dx, y + dy) &&
                        image.pixel(x + dx, y + dy) != qRgb(255, 255, 255))
                        return true;
            return false;
        };
        int ink = 0;
        for (int y = 0; y < thin.height(); ++y) {
            for (int x = 0; x < thin.width(); ++x) {
                const bool here = thin.pixel(x, y) != qRgb(255, 255, 255);
                ink += here;
                if (here)
                    QVERIFY2(inked(painted, x, y),
                             qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                if (painted.pixel(x, y) != qRgb(255, 255, 255))
                    QVERIFY2(inked(thin, x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(ink > 0);
    }

    // A crowded map's marks, filled straight into a layer, are the painter's own squares.
    void squaresFillWhatThePainterFills_data()
    {
        QTest::addColumn<QRect>("square");
        QTest::addColumn<double>("ratio");
        QTest::newRow("inside") << QRect(10, 20, 3, 3) << 1.0;
        QTest::newRow("off the picture") << QRect(-2, 78, 5, 5) << 1.0;
        QTest::newRow("double size") << QRect(40, 30, 2, 2) << 2.0;
    }
    void squaresFillWhatThePainterFills()
    {
        QFETCH(QRect, square);
        QFETCH(double, ratio);
        const auto filled = [&](bool straight) {
            QImage image(QSize(100, 80) * ratio, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            QPainter painter(&image);
            if (straight)
                fillSquares(painter, {square}, Qt::darkGreen);
            else
                painter.fillRect(square, Qt::darkGreen);
            return image;
        };
        const QImage straight = filled(true);
        QCOMPARE(straight, filled(false));
        QVERIFY(straight != [&] {
            QImage blank = straight;
            blank.fill(Qt::white);
            return blank;
        }());
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
