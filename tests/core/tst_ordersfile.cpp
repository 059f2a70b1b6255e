#include "DiskLimits.h"
#include "Error.h"
#include "OrdersFileFixture.h"
#include "common/GuardedAction.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "ordersfile/OrdersFile.h"
#include "platform/DataFolder.h"
#include "platform/WholeFile.h"
#include "store/OrderRepository.h"
#include "turnimport/TurnResultsArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace vf;
using namespace vf::test;

namespace {

QByteArray blankSlots(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += ",\" \"";
    return bytes;
}

} // namespace

// The orders file: its name, its bytes, and what Save Orders tells and refuses.
class TestOrdersFile : public QObject {
    Q_OBJECT

    using Fixture = OrdersFileFixture;

private Q_SLOTS:
    void fileNameUsesTheDateWhateverTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::newRow("English") << "en_US";
        QTest::newRow("German") << "de_DE";
        QTest::newRow("Arabic digits") << "ar_EG";
    }
    void fileNameUsesTheDateWhateverTheLocale()
    {
        QFETCH(QString, locale);
        // The locale goes back to what it was however the checks end.
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(ordersfile::fileName(QDate(2026, 12, 7), QStringLiteral("123")),
                 QStringLiteral("KELVAR Orders 12-07-2026.123"));
        QCOMPARE(ordersfile::fileName(QDate(2027, 1, 31), QStringLiteral("5")),
                 QStringLiteral("KELVAR Orders 01-31-2027.5"));
    }

    void writesTheUploadFormatByteForByte()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("tinderly"));
        f.orders.append(123, QStringLiteral("NM"), TestStore::slots({"12", "Sol", "3"}));
        QStringList bomb{"44", "15"};
        for (int pair = 1; pair <= 24; ++pair)
            bomb << QStringLiteral("Item %1").arg(pair) << QString::number(pair * 10);
        f.orders.append(123, QStringLiteral("BOMB"), TestStore::slots(bomb));
        f.orders.append(123, QStringLiteral("CNVR"),
                        TestStore::slots({"Route \"Quoted\", with comma"}));
        f.orders.append(123, QStringLiteral("FNAM"),
                        TestStore::slots({"5", "\u00C6rendel \u03A9mega"}));
        f.orders.append(456, QStringLiteral("TREE"), TestStore::slots());
        // No turn data: Check Orders finds the fleet and the items unknown.
        f.dialogs.answer(DialogAnswer::SaveAnyway);
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);

        QByteArray expected = "\"KELVAR Orders\",\"123\",\"tinderly\"\r\n";
        expected += "\"NM\",\"12\",\"Sol\",\"3\"" + blankSlots(48) + "\r\n";
        expected += "\"BOMB\",\"44\",\"15\"";
        for (int pair = 1; pair <= 24; ++pair)
            expected += ",\"Item " + QByteArray::number(pair) + "\",\"" +
                        QByteArray::number(pair * 10) + "\"";
        expected += blankSlots(1) + "\r\n";
        expected += "\"CNVR\",\"Route \"Quoted\", with comma\"" + blankSlots(50) + "\r\n";
        expected += "\"FNAM\",\"5\",\"\xC6rendel ?mega\"" + blankSlots(49) + "\r\n";
        QCOMPARE(
            TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123"))),
            expected);
        QCOMPARE(f.filesWritten(), QStringList{"KELVAR Orders 12-07-2026.123"});
    }

    void aStoredControlCharacterIsWrittenAsABlank_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("CR LF") << QStringLiteral("Hail\r\nall") << QByteArray("Hail  all");
        QTest::newRow("LF") << QStringLiteral("Hail\nall") << QByteArray("Hail all");
        QTest::newRow("CR") << QStringLiteral("Hail\rall") << QByteArray("Hail all");
        QTest::newRow("tab") << QStringLiteral("Hail\tall") << QByteArray("Hail all");
        QTest::newRow("NUL") << QStringLiteral("Hail") + QChar(0) + QStringLiteral("all")
                             << QByteArray("Hail all");
        QTest::newRow("at the end") << QStringLiteral("Hail all\r\n") << QByteArray("Hail all  ");
    }
    void aStoredControlCharacterIsWrittenAsABlank()
    {
        // An old database or an import can hold one; the order stays on one line.
        QFETCH(QString, stored);
        QFETCH(QByteArray, written);
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("tin\nderly"));
        f.orders.append(123, QStringLiteral("MESS"), TestStore::slots({"7", stored}));
        f.orders.append(123, QStringLiteral("TREE\t"), TestStore::slots({stored}));
        f.dialogs.answer(DialogAnswer::SaveAnyway); // "TREE\t" is no order code
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        const QList<QByteArray> lines =
            TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123")))
                .split('\n');
        QCOMPARE(lines.size(), 4); // three lines, each ended by CR LF
        QCOMPARE(lines[0], QByteArray("\"KELVAR Orders\",\"123\",\"tin derly\"\r"));
        QCOMPARE(lines[1], "\"MESS\",\"7\",\"" + written + "\"" + blankSlots(49) + "\r");
        QCOMPARE(lines[2], "\"TREE \",\"" + written + "\"" + blankSlots(50) + "\r");
        QVERIFY(lines[3].isEmpty());
    }

    void confirmsCountsAndReportsWhereTheFileIs()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.dialogs.records().size(), 2);
        const DialogRequest confirm = f.dialogs.records()[0].request;
        QCOMPARE(confirm.text,
                 QStringLiteral("1 orders have been entered for Empire # 123\r\n\r\nContinue?"));
        QCOMPARE(confirm.title, QStringLiteral("Imperial Bureaucrat Note"));
        QCOMPARE(confirm.buttons, DialogButtons::OkCancel);
        QCOMPARE(confirm.icon, DialogIcon::Information);
        const DialogRequest done = f.dialogs.records()[1].request;
        QCOMPARE(done.title, QStringLiteral("Imperial Bureaucrat Report"));
        const QString folder =
            QDir::toNativeSeparators(f.t.folder().ordersFolder() + QLatin1Char('/'));
        QCOMPARE(
            done.text,
            QStringLiteral("Your orders were saved in the following folder on your hard drive:") +
                QString(8, QLatin1Char(' ')) + folder + QString(6, QLatin1Char(' ')) +
                QStringLiteral("\r\n\r\nThey were saved into a file named") +
                QString(56, QLatin1Char(' ')) +
                QStringLiteral("KELVAR Orders 12-07-2026.123      \r\n\r\n") +
                QString(133, QLatin1Char(' ')) + QStringLiteral("|\r\n") +
                QString(133, QLatin1Char(' ')) +
                QStringLiteral("|\r\nThis is the file you need to upload to Quillmoor "
                               "--------------------------------------"));
    }

    void aSecondExportTheSameDayReplacesTheFile()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        f.clock.setToday(QDate(2026, 12, 6));
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        f.clock.setToday(QDate(2026, 12, 7));
        f.orders.append(123, QStringLiteral("RTD"), TestStore::slots());
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.filesWritten(),
                 (QStringList{"KELVAR Orders 12-06-2026.123", "KELVAR Orders 12-07-2026.123"}));
        QVERIFY(TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123")))
                    .contains("\"RTD\""));
        QVERIFY(!TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-06-2026.123")))
                     .contains("\"RTD\""));
    }

    void blankFillsZeroLengthSlotsInFileAndDatabase()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("SRP"), TestStore::slots({"Jump Drive", "x"}));
        f.t.store().run(QStringLiteral("UPDATE Orders SET i2 = ''"));
        f.dialogs.answer(DialogAnswer::SaveAnyway); // no turn data: "Jump Drive" is unknown
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("quote(i2)")),
                 QStringList{"' '"});
        QVERIFY(TestStore::contentsOf(f.ordersFile(QStringLiteral("KELVAR Orders 12-07-2026.123")))
                    .startsWith("\"KELVAR Orders\",\"123\",\"tinderly\"\r\n\"SRP\",\"Jump "
                                "Drive\",\" \",\" \""));
    }

    void refusals_data()
    {
        QTest::addColumn<int>("empire");
        QTest::addColumn<bool>("registered");
        QTest::addColumn<int>("orders");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("no empire")
            << -1 << true << 1 << QStringList{"You need to select an Empire before Saving Orders"};
        QTest::newRow("zero") << 0 << true << 1
                              << QStringList{"You need to select an Empire before Saving Orders"};
        QTest::newRow("no orders")
            << 123 << true << 0 << QStringList{"No orders have been entered yet for Empire # 123"};
        QTest::newRow("not registered")
            << 123 << false << 2
            << QStringList{"2 orders have been entered for Empire # 123\r\n\r\nContinue?",
                           "The currently selected Empire has not been set up for Turn Entry"};
    }
    void refusals()
    {
        QFETCH(int, empire);
        QFETCH(bool, registered);
        QFETCH(int, orders);
        QFETCH(QStringList, texts);
        Fixture f;
        if (registered)
            f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        for (int i = 0; i < orders; ++i)
            f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answerOk(texts.size());
        runSaveOrdersDialogue(f.context, empire < 0 ? std::nullopt : std::optional<int>(empire));
        QCOMPARE(f.dialogs.texts(), texts);
        QCOMPARE(f.dialogs.last().request.icon, DialogIcon::Warning);
        QCOMPARE(f.dialogs.last().request.title, QStringLiteral("Imperial Bureaucrat Report"));
        QVERIFY(f.filesWritten().isEmpty());
    }

    void cancelWritesNothing()
    {
        Fixture f;
        f.t.addEmpire(123, QStringLiteral("Sable Concord"));
        f.orders.append(123, QStringLiteral("TREE"), TestStore::slots());
        f.dialogs.answer(DialogAnswer::Cancel);
        runSaveOrdersDialogue(f.context, 123);
        QCOMPARE(f.dialogs.records().size(), 1);
        QVERIFY(f.filesWritten().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOrdersFile)
#include "tst_ordersfile.moc"
