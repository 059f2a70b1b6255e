#include "AppFixture.h"
#include "Error.h"
#include "ReaderStream.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "protocol/ImportedTables.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "turnimport/OldDatabaseImporter.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace vf;
using namespace vf::test;

namespace {

QString oldDatabase()
{
    return TestStore::dataFile(QStringLiteral("legacy/VF Turn Entry Data.mdb"));
}

// An order of the old database: empire, priority, code, and 51 blank slots.
QStringList oldOrder(const char* empire, const char* code)
{
    QStringList row{QString::fromLatin1(empire), QStringLiteral("I10"), QString::fromLatin1(code)};
    for (int slot = 0; slot < 51; ++slot)
        row << QStringLiteral("S ");
    return row;
}

constexpr int kOldEmpires = 0;
constexpr int kOldOrders = 1;
constexpr int kOldFleets = 4;

} // namespace

// Players coming from the old program bring its database over: empires with their
// passwords, the orders already typed, the turn data.
class TestOldDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bringsEverythingOverExactly()
    {
        AppFixture f;
        const QByteArray before = TestStore::contentsOf(oldDatabase());
        const OldDatabaseReport report =
            OldDatabaseImporter(f.t.store(), TestStore::readerPath()).importFile(oldDatabase());
        QCOMPARE(report.empires, 3);
        QCOMPARE(report.orders, 5);
        QCOMPARE(report.turnDataRows,
                 f.t.count(QStringLiteral("Fleets")) + f.t.count(QStringLiteral("Items")));
        QVERIFY(report.turnDataRows > 0);
        QVERIFY(report.alreadyHere.isEmpty());
        QCOMPARE(f.t.dump(QStringLiteral("Empires"), QStringLiteral("*")),
                 (QStringList{"123|Sable Concord|tinderly", "456|Iron Veil|s3cret!",
                              "77|Free Worlds|tinderly"}));
        // Slots as stored: a zero-length text stays one, a missing value stays missing.
        QCOMPARE(
            f.t.dump(QStringLiteral("Orders"),
                     QStringLiteral("EmpireID, Priority, OrderCode, quote(i1), quote(i2), "
                                    "quote(i3), quote(i51)")),
            (QStringList{"123|10|NM|'12'|'Sol'|'3'|' '", "123|30|TREE|' '|' '|' '|' '",
                         "123|20|BOMB|'27'|'ALL'|'Missile Launcher'|' '",
                         "456|10|MESS|'77'|'1'|' '|' '", "123|40|SRP|'Jump Drive'|' '|''|' '"}));
        QCOMPARE(TestStore::contentsOf(oldDatabase()), before);

        // The orders file carries the password brought over, the orders in priority order.
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 456);
        const QString orders = QDir(f.t.folder().ordersFolder())
                                   .filePath(QStringLiteral("KELVAR Orders 12-07-2026.456"));
        QVERIFY(TestStore::contentsOf(orders).startsWith(
            "\"KELVAR Orders\",\"456\",\"s3cret!\"\r\n\"MESS\",\"77\",\"1\""));
        QStringList codes;
        for (const Order& order : OrderRepository(f.t.store()).ordersOf(123))
            codes << order.code;
        QCOMPARE(codes, (QStringList{"NM", "BOMB", "TREE", "SRP"}));
    }

    void anEmpireAlreadyHereIsLeftAsItIs()
    {
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("mine"));
        OrderRepository(t.store()).append(123, QStringLiteral("RTD"), TestStore::slots());
        t.importFixture(QStringLiteral("123.mdb"), 123);
        const QStringList fleetsBefore =
            t.dump(QStringLiteral("Fleets"), QStringLiteral("EmpireID, FleetID, FleetName"))
                .filter(QStringLiteral("123|"));
        const OldDatabaseReport report =
            OldDatabaseImporter(t.store(), TestStore::readerPath()).importFile(oldDatabase());
        QCOMPARE(report.alreadyHere, QList<qint64>{123});
        QCOMPARE(report.empires, 2);
        QCOMPARE(report.orders, 1);
        QCOMPARE(EmpireRepository(t.store()).findById(123)->password, QStringLiteral("mine"));
        QCOMPARE(t.dump(QStringLiteral("Orders"), QStringLiteral("EmpireID, OrderCode")),
                 (QStringList{"123|RTD", "456|MESS"}));
        QCOMPARE(t.dump(QStringLiteral("Fleets"), QStringLiteral("EmpireID, FleetID, FleetName"))
                     .filter(QStringLiteral("123|")),
                 fleetsBefore);
        QCOMPARE(t.count(QStringLiteral("Fleets"), 456), 1);
    }

    void onlyRowsOfTheEmpiresItRegistersComeOver()
    {
        TestStore t;
        const QByteArray output = readerOutput(
            {{kOldEmpires, {{"I123", "SSable Concord", "Stinderly"}}},
             {kOldOrders, {oldOrder("I123", "STREE"), oldOrder("I999", "SRTD")}},
             {kOldFleets,
              {{"I123", "I1", "SMine"}, {"I999", "I2", "SOther"}, {"N", "I3", "SNobody's"}}}},
            -1, reader::kOldDatabaseTables);
        const OldDatabaseReport report =
            OldDatabaseImporter(t.store(), readerWriting(t, output)).importFile(oldDatabase());
        QCOMPARE(report.empires, 1);
        QCOMPARE(report.orders, 1);
        QCOMPARE(report.turnDataRows, 1);
        QCOMPARE(leftOutSummary(report.leftOut),
                 QStringLiteral("3 rows were not stored: 1 names no empire, 2 name Empire # 999."));
        QCOMPARE(t.dump(QStringLiteral("Orders"), QStringLiteral("EmpireID, OrderCode")),
                 QStringList{"123|TREE"});
        QCOMPARE(t.dump(QStringLiteral("Fleets"), QStringLiteral("EmpireID, FleetID, FleetName")),
                 QStringList{"123|1|Mine"});
    }

    void anEmpireWithoutNumberNameOrPasswordRefusesItAll_data()
    {
        QTest::addColumn<QStringList>("empire");
        QTest::addColumn<QString>("cause");
        QTest::newRow("no number") << QStringList{"N", "SIron Veil", "Ss3cret!"} << "no EmpireID";
        QTest::newRow("no name") << QStringList{"I456", "N", "Ss3cret!"} << "no EmpireName";
        QTest::newRow("empty name") << QStringList{"I456", "S", "Ss3cret!"} << "empty EmpireName";
        QTest::newRow("no password") << QStringList{"I456", "SIron Veil", "N"} << "no Password";
    }
    void anEmpireWithoutNumberNameOrPasswordRefusesItAll()
    {
        QFETCH(QStringList, empire);
        QFETCH(QString, cause);
        TestStore t;
        const QStringList empty = t.snapshot();
        const QByteArray output =
            readerOutput({{kOldEmpires, {{"I123", "SSable Concord", "Stinderly"}, empire}},
                          {kOldOrders, {oldOrder("I123", "STREE")}}},
                         -1, reader::kOldDatabaseTables);
        try {
            OldDatabaseImporter(t.store(), readerWriting(t, output)).importFile(oldDatabase());
            QFAIL("an empire without all it needs was brought over");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(cause), qPrintable(error.message()));
        }
        QCOMPARE(t.snapshot(), empty);
    }

    void aDamagedOldDatabaseChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("contents");
        const QByteArray whole = TestStore::contentsOf(oldDatabase());
        QTest::newRow("cut short at a page") << whole.left(whole.size() - 4096);
        QTest::newRow("cut short anywhere") << whole.left(whole.size() / 3 + 17);
        QByteArray zeroed = whole;
        zeroed.replace(whole.size() - 8192, 4096, QByteArray(4096, '\0'));
        QTest::newRow("a page lost") << zeroed;
        QTest::newRow("a turn results file")
            << TestStore::contentsOf(TestStore::dataFile(QStringLiteral("123.mdb")));
    }
    void aDamagedOldDatabaseChangesNothing()
    {
        QFETCH(QByteArray, contents);
        TestStore t;
        t.addEmpire(900, QStringLiteral("Vast Dominion"));
        const QString path = t.fileWith(QStringLiteral("old.mdb"), contents);
        const QStringList before = t.snapshot();
        try {
            OldDatabaseImporter(t.store(), TestStore::readerPath()).importFile(path);
            QFAIL("a damaged old database was brought over");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("could not be brought over")),
                     qPrintable(error.message()));
            // It was never downloaded.
            QVERIFY2(!error.message().contains(QStringLiteral("download")),
                     qPrintable(error.message()));
        }
        QCOMPARE(t.snapshot(), before);
        QCOMPARE(TestStore::contentsOf(path), contents);
    }
};

QTEST_MAIN(TestOldDatabase)
#include "tst_olddatabase.moc"
