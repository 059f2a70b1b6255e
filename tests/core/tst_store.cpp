#include "DiskLimits.h"
#include "Error.h"
#include "TestStore.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "store/StoreNotices.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace vf;
using namespace vf::test;

namespace {

QStringList fieldsOf(Store& store, const QString& table)
{
    QSqlQuery query =
        store.run(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(Store::quoted(table)));
    QStringList fields;
    for (int i = 0; i < query.record().count(); ++i)
        fields << query.record().fieldName(i);
    return fields;
}

} // namespace

class TestStoreDb : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What a write tells, once committed, whichever connection wrote it; a write rolled back,
    // and the program's own settings, tell nothing.
    void tellsWhatEachCommitChanged_data()
    {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<int>("told"); // StoredDataSet, 0: nothing told
        const int orders = int(StoredData::Orders);
        const int turnData = int(StoredData::TurnData);
        QTest::newRow("an order") << QStringList{"INSERT INTO Orders (EmpireID, Priority, "
                                                 "OrderCode) VALUES (123, 10, 'NM')"}
                                  << orders;
        QTest::newRow("a fleet") << QStringList{"INSERT INTO Fleets (EmpireID, FleetID) VALUES "
                                                "(123, 7)"}
                                 << turnData;
        QTest::newRow("both in one transaction")
            << QStringList{"BEGIN", "INSERT INTO Fleets (EmpireID, FleetID) VALUES (123, 7)",
                           "UPDATE Orders SET Priority = 20",
                           "INSERT INTO Orders (EmpireID, Priority, OrderCode) VALUES (1, 1, 'X')",
                           "COMMIT"}
            << (orders | turnData);
        QTest::newRow("rolled back")
            << QStringList{"BEGIN", "INSERT INTO Fleets (EmpireID, FleetID) VALUES (123, 7)",
                           "ROLLBACK"}
            << 0;
        QTest::newRow("a setting") << QStringList{"INSERT INTO Settings VALUES ('a', 'b')"} << 0;
        QTest::newRow("nothing changed")
            << QStringList{"DELETE FROM Orders WHERE EmpireID = 5"} << 0;
    }
    void tellsWhatEachCommitChanged()
    {
        QFETCH(QStringList, statements);
        QFETCH(int, told);
        TestStore t;
        QList<std::pair<QString, int>> heard;
        const QMetaObject::Connection listening =
            QObject::connect(&StoreNotices::instance(), &StoreNotices::committed,
                             [&](const QString& path, StoredDataSet what) {
                                 heard.append({path, int(what)});
                             });
        std::thread writing([&] {
            const Store other(t.store().path());
            for (const QString& statement : statements)
                other.run(statement);
        });
        writing.join();
        QCoreApplication::processEvents();
        QObject::disconnect(listening);
        const QList<std::pair<QString, int>> expected =
            told == 0 ? QList<std::pair<QString, int>>{}
                      : QList<std::pair<QString, int>>{{t.store().path(), told}};
        QCOMPARE(heard, expected);
    }

    void createsEveryTableWithItsFields_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("Empires") << "Empires" << QStringList{"EmpireID", "EmpireName", "Password"};
        QStringList orders{"OrderID", "EmpireID", "Priority", "OrderCode"};
        for (int k = 1; k <= 51; ++k)
            orders << QStringLiteral("i%1").arg(k);
        QTest::newRow("Orders") << "Orders" << orders;
        QTest::newRow("Warp Points")
            << "Warp Points"
            << QStringList{"EmpireID", "StarName", "DestinationStarName", "WarpPointID", "More"};
        QTest::newRow("Legendary Commanders")
            << "Legendary Commanders"
            << QStringList{"EmpireID", "CommanderRank", "CommanderName", "CommanderID", "More"};
        QTest::newRow("Population Groups") << "Population Groups"
                                           << QStringList{"EmpireID", "PopulationGroupID",
                                                          "SystemName", "OrbitalLocation", "More"};
        QTest::newRow("Force Battle Plans")
            << "Force Battle Plans" << QStringList{"EmpireID", "ForceBattlePlan", "More"};
    }
    void createsEveryTableWithItsFields()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, fields);
        TestStore t;
        QCOMPARE(fieldsOf(t.store(), table), fields);
        QCOMPARE(t.count(table), 0);
    }

    void reopensAnExistingDatabaseKeepingItsRows()
    {
        TestStore t;
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        Store again(t.folder().databaseFile());
        QCOMPARE(EmpireRepository(again).all().size(), 1);
    }

    void refusesAFileThatIsNotADatabase()
    {
        TestStore t;
        const QString path = t.path() + QStringLiteral("/not a database.sqlite");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray junk(8192, 'x');
        file.write(junk);
        file.close();
        try {
            Store store(path);
            QFAIL("a file that is not a database was opened");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), junk);
    }

    void refusesAFolderItCannotWriteTo()
    {
        // A "folder" that is a regular file: not even the superuser can create a file in it.
        TestStore t;
        const QString notAFolder = t.emptyFile(QStringLiteral("plain file"));
        const QString path = notAFolder + QStringLiteral("/db.sqlite");
        try {
            Store store(path);
            QFAIL("a database was opened where none can be written");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        }
        QCOMPARE(QFileInfo(notAFolder).size(), 0);
    }

    void opensWhileAnotherCopyIsWriting()
    {
        // The schema is there: opening only reads, so another copy's long write does not
        // keep the program from starting.
        TestStore t;
        t.addEmpire(1, QStringLiteral("One"));
        Store writer(t.folder().databaseFile());
        writer.run(QStringLiteral("BEGIN EXCLUSIVE"));
        writer.run(QStringLiteral("DELETE FROM Empires"));
        Store reader(t.folder().databaseFile());
        QCOMPARE(EmpireRepository(reader).all().size(), 1);
        writer.run(QStringLiteral("ROLLBACK"));
    }

    // A data folder that cannot be written: a database there is opened for reading, and
    // every change is refused saying why; without a database the program cannot start.
    void aReadOnlyFolderIsReadAndSaysWhyNothingIsStored()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("VF Turn Entry Data.sqlite"));
        {
            Store before(path); // closed again: its journal merged, as after a run
            EmpireRepository(before).add({1, QStringLiteral("One"), QStringLiteral("x")});
        }
        const QString empty = dir.filePath(QStringLiteral("empty"));
        QDir().mkpath(empty);
        ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.active())
            QSKIP("no right to make a folder read-only here");
        Store store(path);
        QVERIFY(store.readOnly());
        QCOMPARE(EmpireRepository(store).all().size(), 1);
        try {
            EmpireRepository(store).add({2, QStringLiteral("Two"), QStringLiteral("x")});
            QFAIL("a change was reported as stored in a folder that cannot be written");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("cannot be written to, so nothing "
                                                             "can be stored")),
                     qPrintable(error.message()));
        }
        try {
            Store none(empty + QStringLiteral("/VF Turn Entry Data.sqlite"));
            QFAIL("a database was made in a folder that cannot be written");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("the program cannot start")),
                     qPrintable(error.message()));
        }
    }

    void refusesAFolderAsTheDatabase()
    {
        TestStore t;
        QVERIFY_THROWS_EXCEPTION(Error, Store(t.path()));
    }

    void priorityRefusesText()
    {
        TestStore t;
        QVERIFY_THROWS_EXCEPTION(Error,
                                 t.store().run(QStringLiteral(
                                     "INSERT INTO Orders (EmpireID, Priority) VALUES (1, 'abc')")));
        t.store().run(QStringLiteral("INSERT INTO Orders (EmpireID, Priority) VALUES (1, '15')"));
        QCOMPARE(t.dump(QStringLiteral("Orders"), QStringLiteral("typeof(Priority)")),
                 QStringList{"integer"});
    }

    void empiresComeInStoredOrderAndAreFoundByName()
    {
        TestStore t;
        t.addEmpire(456, QStringLiteral("Iron Veil"));
        t.addEmpire(123, QStringLiteral("O'Neil's Realm"), QStringLiteral("s3cret!"));
        t.addEmpire(77, QStringLiteral("Iron Veil"));
        const EmpireRepository empires(t.store());
        QStringList names;
        for (const Empire& e : empires.all())
            names << e.name;
        QCOMPARE(names, (QStringList{"Iron Veil", "O'Neil's Realm", "Iron Veil"}));
        QCOMPARE(empires.findByName(QStringLiteral("O'Neil's Realm"))->password,
                 QStringLiteral("s3cret!"));
        QCOMPARE(empires.findByName(QStringLiteral("Iron Veil"))->id, 456);
        // Letter case does not count, as in the old program's database, of any letter; the
        // name stays as it was entered.
        QCOMPARE(empires.findByName(QStringLiteral("iron veil"))->id, 456);
        QCOMPARE(empires.findByName(QStringLiteral("IRON VEIL"))->name,
                 QStringLiteral("Iron Veil"));
        t.addEmpire(88, QStringLiteral("Ærendel Reach"));
        t.addEmpire(89, QStringLiteral("ÆRENDEL REACH"));
        QCOMPARE(empires.findByName(QStringLiteral("ærendel reach"))->id, 88);
        QCOMPARE(empires.findByName(QStringLiteral("ÆRENDEL REACH"))->id, 89); // as typed first
        QVERIFY(!empires.findByName(QStringLiteral("Iron Veil ")));
        QVERIFY(!empires.findById(5));
    }

    void appendNumbersPrioritiesByTens()
    {
        TestStore t;
        const OrderRepository orders(t.store());
        QCOMPARE(orders.append(123, QStringLiteral("NM"), TestStore::slots()), 10);
        QCOMPARE(orders.append(123, QStringLiteral("TREE"), TestStore::slots()), 20);
        QCOMPARE(orders.append(456, QStringLiteral("RTD"), TestStore::slots()), 10);
        t.store().run(QStringLiteral("DELETE FROM Orders WHERE Priority = 20"));
        QCOMPARE(orders.append(123, QStringLiteral("PRIV"), TestStore::slots()), 20);
        t.store().run(QStringLiteral("UPDATE Orders SET Priority = 95 WHERE OrderCode = 'NM'"));
        QCOMPARE(orders.append(123, QStringLiteral("SS"), TestStore::slots()), 105);
        QStringList codes;
        for (const Order& o : orders.ordersOf(123))
            codes << o.code;
        QCOMPARE(codes, (QStringList{"PRIV", "NM", "SS"}));
    }

    void equalPrioritiesAreBothKept()
    {
        TestStore t;
        const OrderRepository orders(t.store());
        orders.append(1, QStringLiteral("A"), TestStore::slots());
        orders.append(1, QStringLiteral("B"), TestStore::slots());
        t.store().run(QStringLiteral("UPDATE Orders SET Priority = 10"));
        QCOMPARE(orders.ordersOf(1).size(), 2);
    }

    void clearDeletesOnlyThatEmpire()
    {
        TestStore t;
        const OrderRepository orders(t.store());
        orders.append(1, QStringLiteral("A"), TestStore::slots());
        orders.append(1, QStringLiteral("B"), TestStore::slots());
        orders.append(2, QStringLiteral("C"), TestStore::slots());
        QCOMPARE(orders.clear(1), 2);
        QCOMPARE(orders.count(1), 0);
        QCOMPARE(orders.count(2), 1);
        QCOMPARE(orders.append(1, QStringLiteral("D"), TestStore::slots()), 10);
    }

    void blankFillTurnsEmptySlotsIntoBlanks()
    {
        TestStore t;
        const OrderRepository orders(t.store());
        auto slots = TestStore::slots();
        slots[0] = QStringLiteral("12");
        orders.append(1, QStringLiteral("NM"), slots);
        orders.append(2, QStringLiteral("NM"), slots);
        t.store().run(QStringLiteral("UPDATE Orders SET i2 = '', i3 = NULL"));
        orders.blankFill(1);
        QCOMPARE(t.dump(QStringLiteral("Orders"), QStringLiteral("EmpireID, i1, i2, i3")),
                 (QStringList{"1|12| | ", "2|12||<null>"}));
    }

    void twoConnectionsShareTheFile()
    {
        TestStore t;
        Store second(t.folder().databaseFile());
        t.addEmpire(1, QStringLiteral("One"));
        EmpireRepository(second).add({2, QStringLiteral("Two"), QStringLiteral("x")});
        QCOMPARE(EmpireRepository(t.store()).all().size(), 2);
        QCOMPARE(OrderRepository(second).append(1, QStringLiteral("RTD"), TestStore::slots()), 10);
    }

    void aBusyDatabaseIsReportedAfterWaiting()
    {
        TestStore t;
        Store second(t.folder().databaseFile());
        second.run(QStringLiteral("BEGIN EXCLUSIVE"));
        try {
            OrderRepository(t.store()).append(1, QStringLiteral("RTD"), TestStore::slots());
            QFAIL("an order was stored into a database another program holds");
        } catch (const Error& error) {
            QVERIFY2(error.message().contains(QStringLiteral("in use by another program (or by a "
                                                             "second copy of this one)")),
                     qPrintable(error.message()));
        }
        second.run(QStringLiteral("ROLLBACK"));
        QCOMPARE(OrderRepository(t.store()).append(1, QStringLiteral("RTD"), TestStore::slots()),
                 10);
    }

    // A data folder on a disk with no room left: whatever the store writes is refused in a
    // player's words, naming the folder, and nothing is changed.
    void aFullDiskIsToldAsSuchAndNothingChanges_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("storing an order") << "order";
        QTest::newRow("Update Data") << "import";
        QTest::newRow("starting with no database yet") << "start";
        QTest::newRow("starting with the database there") << "restart";
    }
    void aFullDiskIsToldAsSuchAndNothingChanges()
    {
        QFETCH(QString, action);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(folder));
        SmallDisk disk(folder, 1024);
        if (!disk.mounted())
            QSKIP("no right to mount a small disk here");
        QString message;
        int ordersBefore = 0;
        const QString file = QDir(folder).filePath(QStringLiteral("turns.sqlite"));
        if (action == QLatin1String("restart")) {
            Store(file).run(QStringLiteral("SELECT 1"));
            disk.fill();
            try {
                Store store(file);
                OrderRepository(store).count(123);
            } catch (const Error& error) {
                message = error.message();
            }
        } else {
            Store store(file);
            EmpireRepository(store).add(
                {123, QStringLiteral("Sable Concord"), QStringLiteral("tinderly")});
            OrderRepository orders(store);
            orders.append(123, QStringLiteral("TREE"), TestStore::slots());
            ordersBefore = orders.count(123);
            disk.fill();
            try {
                if (action == QLatin1String("order"))
                    orders.append(123, QStringLiteral("MESS"),
                                  TestStore::slots({QString(4000, u'm')}));
                else if (action == QLatin1String("import"))
                    TurnImporter(store, TestStore::readerPath())
                        .importFile(123, TestStore::dataFile(QStringLiteral("900.mdb")));
                else
                    Store(QDir(folder).filePath(QStringLiteral("new.sqlite")));
            } catch (const Error& error) {
                message = error.message();
            }
            QCOMPARE(orders.count(123), ordersBefore);
        }
        QVERIFY2(message.contains(QStringLiteral("The disk holding %1 is full")
                                      .arg(QDir::toNativeSeparators(folder))),
                 qPrintable(message));
        QVERIFY2(!message.contains(QStringLiteral("..")), qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestStoreDb)
#include "tst_store.moc"
