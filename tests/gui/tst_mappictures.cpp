#include "TestStore.h"
#include "warpmap/MapDrawing.h"
#include "warpmap/MapLayout.h"
#include "warpmap/MapPictures.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QVector3D>

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

// The map's one drawing, saved as PNG and as SVG.
class TestMapPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
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

QTEST_MAIN(TestMapPictures)
#include "tst_mappictures.moc"
