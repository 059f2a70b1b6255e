#include "Error.h"
#include "OrderFixture.h"
#include "TestStore.h"
#include "orders/ChosenCode.h"
#include "orders/OrderStorer.h"
#include "store/OrderRepository.h"

#include <QTest>

using namespace vf;
using namespace vf::test;

using Slots = SlotValues;
using Fixture = OrderFixture;

namespace {

const QString kPopulationTail = QStringLiteral(
    "\r\n\r\nThis order WILL FAIL TO EXECUTE correctly even if you only have one Population Group "
    "in the game."
    "\r\n\r\nThis order will not be saved and should be re-entered with a Population Group #.");
const QString kSavedTail = QStringLiteral("\r\n\r\nThis order has been saved, but you could delete "
                                          "and re-enter it by using the Edit Order screen "
                                          "if you would like to make a change.");

// Which check spoke: the first words of its own sentence.
QString checkOf(const QString& message)
{
    return message.section(QStringLiteral("\r\n\r\n"), 1, 1);
}

} // namespace

class TestStoreOrder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void checks_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<Slots>("values");
        QTest::addColumn<QStringList>("checks");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<Slots>("expected");
        const QString r2 = QStringLiteral(
            "You have forgotten to enter a Population Group # for an EB (Edit Build), BI");
        const QString tr = QStringLiteral(
            "You have forgotten to enter a Population Group # for a TR (Transfer Item");
        const QString k1 =
            QStringLiteral("You have forgotten to enter a Tooled option for an EB (Edit Bui");
        const QString k2 =
            QStringLiteral("You have forgotten to enter a Quantity for a BI (Build Item), C");
        const QString w1 =
            QStringLiteral("You have entered an unusually low Warp Point number for a Move ");
        const QString w2 =
            QStringLiteral("You have entered an unusually high orbital location number for ");
        const QString a1 =
            QStringLiteral("You have entered the keyword ALL in a Quantity field for an RN ");
        QTest::newRow("BI without group")
            << "BI" << Slots{{1, "5"}, {2, "Laser Cannon"}, {5, "Yes"}} << QStringList{r2} << false
            << Slots{};
        QTest::newRow("BI without quantity")
            << "BI" << Slots{{3, "12"}, {5, "No"}} << QStringList{k2} << true << Slots{{1, "1"}};
        QTest::newRow("BI tooled yes in lower case")
            << "BI" << Slots{{1, "2"}, {3, "12"}, {5, "yes"}} << QStringList{} << true
            << Slots{{5, "yes"}};
        QTest::newRow("BI tooled Y") << "BI" << Slots{{1, "2"}, {3, "12"}, {5, "Y"}}
                                     << QStringList{k1} << true << Slots{{5, "No"}};
        QTest::newRow("EB clear all alone")
            << "EB" << Slots{{2, "clear all"}}
            << QStringList{"You have forgotten to enter a Population Group # for an EB (Edit "
                           "Build) order w"}
            << false << Slots{};
        QTest::newRow("eb checked in lower case")
            << "eb" << Slots{{1, "1"}, {2, "x"}} << QStringList{r2} << false << Slots{};
        QTest::newRow("CON without group")
            << "CON" << Slots{{1, "1"}} << QStringList{r2} << false << Slots{};
        QTest::newRow("DISM without quantity")
            << "DISM" << Slots{{3, "12 (Sol-3)"}} << QStringList{k2} << true << Slots{{1, "1"}};
        QTest::newRow("SHIP without group")
            << "SHIP" << Slots{{1, "1"}}
            << QStringList{"You have forgotten to enter a Population Group # for a SHIP (Build "
                           "Ship) order."}
            << false << Slots{};
        QTest::newRow("XSHIP without group")
            << "XSHIP" << Slots{{3, " "}}
            << QStringList{"You have forgotten to enter a Population Group # for a SHIP (Build "
                           "Ship) order."}
            << false << Slots{};
        QTest::newRow("TR to group 0")
            << "TR" << Slots{{1, "7"}, {2, "0"}} << QStringList{tr} << false << Slots{};
        QTest::newRow("XTR from nothing")
            << "XTR" << Slots{{2, "7"}} << QStringList{tr} << false << Slots{};
        QTest::newRow("CTRN without group")
            << "CTRN" << Slots{{2, "5"}}
            << QStringList{"You have forgotten to enter a Population Group # for a CTRN (Colonist "
                           "Training) "}
            << false << Slots{};
        QTest::newRow("CTRN without quantity")
            << "CTRN" << Slots{{1, "7"}}
            << QStringList{"You have forgotten to enter a Quantity for a CTRN (Colonist Training) "
                           "order."}
            << true << Slots{{2, "1"}};
        QTest::newRow("XCTRN is not checked")
            << "XCTRN" << Slots{} << QStringList{} << true << Slots{{1, " "}, {2, " "}};
        QTest::newRow("LC without group") << "LC" << Slots{{2, "12"}}
                                          << QStringList{"You have forgotten to enter a Population "
                                                         "Group # for an LC (Load Cargo) order."}
                                          << false << Slots{};
        QTest::newRow("XOC without group")
            << "XOC" << Slots{{1, "12"}}
            << QStringList{"You have forgotten to enter a Population Group # for an OC (Offload "
                           "Cargo) order."}
            << false << Slots{};
        QTest::newRow("MOVE 12 warns")
            << "MOVE" << Slots{{3, "12"}} << QStringList{w1} << true << Slots{{3, "12"}};
        QTest::newRow("MOVE 13 passes")
            << "MOVE" << Slots{{3, "13"}} << QStringList{} << true << Slots{{3, "13"}};
        QTest::newRow("XMOVE 5 warns")
            << "XMOVE" << Slots{{3, "5"}} << QStringList{w1} << true << Slots{{3, "5"}};
        QTest::newRow("NM 31 warns")
            << "NM" << Slots{{3, "31"}} << QStringList{w2} << true << Slots{{3, "31"}};
        QTest::newRow("NM 30 passes")
            << "NM" << Slots{{3, "30"}} << QStringList{} << true << Slots{{3, "30"}};
        QTest::newRow("RN ALL twice")
            << "RN" << Slots{{3, "ALL"}, {4, "ALL"}, {6, "all"}} << QStringList{a1, a1} << true
            << Slots{{3, "ALL"}, {4, "9999"}, {6, "9999"}};
        QTest::newRow("OC ALL")
            << "OC" << Slots{{2, "12"}, {50, "ALL"}}
            << QStringList{"You have entered the keyword ALL in a Quantity field for an OC "}
            << true << Slots{{50, "9999999"}};
        QTest::newRow("LC ALL")
            << "LC" << Slots{{1, "7"}, {4, "All"}}
            << QStringList{"You have entered the keyword ALL in a Quantity field for a LC (L"}
            << true << Slots{{4, "9999999"}};
        QTest::newRow("XOC ALL is kept")
            << "XOC" << Slots{{2, "12"}, {4, "ALL"}} << QStringList{} << true << Slots{{4, "ALL"}};
        QTest::newRow("SCUT ALL is kept")
            << "SCUT" << Slots{{4, "ALL"}} << QStringList{} << true << Slots{{4, "ALL"}};
        QTest::newRow("NEWF without name") << "NEWF" << Slots{{1, "12"}, {2, "7"}} << QStringList{}
                                           << true << Slots{{3, "Fleet 7"}};
        QTest::newRow("NEWF with name") << "NEWF" << Slots{{2, "7"}, {3, "Raiders"}}
                                        << QStringList{} << true << Slots{{3, "Raiders"}};
        QTest::newRow("NEWA without name")
            << "NEWA" << Slots{{2, "3"}} << QStringList{} << true << Slots{{3, "Army 3"}};
        QTest::newRow("MESS empties slot 3")
            << "MESS" << Slots{{1, "77"}, {2, "1"}, {3, "x"}} << QStringList{} << true
            << Slots{{1, "77"}, {2, "1"}, {3, " "}};
        QTest::newRow("NUD mission letter")
            << "NUD" << Slots{{3, "A (Assault)"}} << QStringList{} << true << Slots{{3, "A"}};
        QTest::newRow("three-slot order")
            << "ABP" << Slots{{1, "2"}, {2, "Encircle"}, {3, "Fortify"}} << QStringList{} << true
            << Slots{{4, " "}, {50, " "}, {51, " "}};
        QTest::newRow("no code at all")
            << "" << Slots{} << QStringList{} << true << Slots{{1, " "}};
    }
    void checks()
    {
        QFETCH(QString, code);
        QFETCH(Slots, values);
        QFETCH(QStringList, checks);
        QFETCH(bool, stored);
        QFETCH(Slots, expected);
        Fixture f;
        f.enter(code, values);
        QCOMPARE(f.storer.storeOrder(), stored);
        QCOMPARE(f.messages.size(), checks.size());
        for (int i = 0; i < checks.size(); ++i) {
            QVERIFY2(checkOf(f.messages[i]).startsWith(checks[i]), qPrintable(f.messages[i]));
            QVERIFY(f.messages[i].startsWith(QStringLiteral("<< WARNING >>\r\n\r\n")));
            QVERIFY(f.messages[i].endsWith(stored ? kSavedTail : kPopulationTail));
        }
        const QList<Order> orders = f.stored();
        QCOMPARE(orders.size(), stored ? 1 : 0);
        QCOMPARE(f.refreshes, stored ? 1 : 0);
        if (!stored) {
            QCOMPARE(f.form.code(), code.isEmpty() ? QStringLiteral(" ") : code);
            QCOMPARE(f.form.slotText(51), QStringLiteral(" ")); // the blanks stay in the window
            return;
        }
        QCOMPARE(orders[0].code, code.isEmpty() ? QStringLiteral(" ") : code);
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(orders[0].slots[it.key() - 1], it.value());
        for (const QString& slot : orders[0].slots)
            QVERIFY(!slot.isEmpty());
        QCOMPARE(f.form.code(), QString());
        QCOMPARE(f.form.focusedSlot(), 0);
        for (int slot = 1; slot <= 51; ++slot)
            QVERIFY(!f.form.isSlotVisible(slot));
    }

    void messagesReadInFull()
    {
        Fixture f;
        f.enter(QStringLiteral("TR"), {{1, "7"}});
        f.storer.storeOrder();
        QCOMPARE(
            f.messages.value(0),
            QStringLiteral(
                "<< WARNING >>\r\n\r\nYou have forgotten to enter a Population Group # for a TR "
                "(Transfer Items) order.") +
                kPopulationTail);
        Fixture g;
        g.enter(QStringLiteral("RN"), {{4, "ALL"}});
        g.storer.storeOrder();
        QCOMPARE(
            g.messages.value(0),
            QStringLiteral(
                "<< WARNING >>\r\n\r\nYou have entered the keyword ALL in a Quantity field for an "
                "RN "
                "(Reorganize Naval) order.  Use the ALL keyword here to transfer every ship in the "
                "'from' fleet, but not as a substitute for a quantity related to a specific ship "
                "type."
                "\r\n\r\nI have changed this entry to 9999.") +
                kSavedTail);
    }

    void prioritiesRiseByTen()
    {
        Fixture f;
        f.enter(QStringLiteral("TREE"), {});
        QVERIFY(f.storer.storeOrder());
        f.enter(QStringLiteral("RTD"), {});
        QVERIFY(f.storer.storeOrder());
        QCOMPARE(f.stored().at(0).priority, 10);
        QCOMPARE(f.stored().at(1).priority, 20);
    }

    void theNextPriorityMustFitIn32Bits_data()
    {
        QTest::addColumn<qint64>("highest");
        QTest::addColumn<bool>("stored");
        QTest::newRow("just fits") << qint64(2147483637) << true;
        QTest::newRow("one past") << qint64(2147483638) << false;
        QTest::newRow("as seen") << qint64(2147483640) << false;
        QTest::newRow("the largest") << qint64(2147483647) << false;
        QTest::newRow("negative") << qint64(-2147483648) << true;
    }
    void theNextPriorityMustFitIn32Bits()
    {
        QFETCH(qint64, highest);
        QFETCH(bool, stored);
        Fixture f;
        f.enter(QStringLiteral("TREE"), {});
        QVERIFY(f.storer.storeOrder());
        f.t.store().run(QStringLiteral("UPDATE Orders SET Priority = ?"), {highest});
        f.enter(QStringLiteral("NM"), {{1, "12"}, {2, "Sol"}, {3, "3"}});
        if (stored) {
            QVERIFY(f.storer.storeOrder());
            QCOMPARE(qint64(f.stored().last().priority), highest + 10);
            return;
        }
        try {
            f.storer.storeOrder();
            QFAIL("an order was stored past the highest priority");
        } catch (const Error& error) {
            QVERIFY2(
                error.message().contains(QStringLiteral("Lower the Priorities in Edit Orders")),
                qPrintable(error.message()));
        }
        QCOMPARE(f.stored().size(), 1);
        QCOMPARE(f.form.code(), QStringLiteral("NM"));
        QCOMPARE(f.form.slotText(2), QStringLiteral("Sol"));
    }

    void aRefusedOrderStoredAgainHasOneBlank()
    {
        Fixture f;
        f.enter(QStringLiteral("CON"), {{1, "2"}, {2, "Mine"}});
        QVERIFY(!f.storer.storeOrder());
        QCOMPARE(f.form.slotText(3), QStringLiteral(" "));
        f.form.type(3, QStringLiteral("12"));
        QVERIFY(f.storer.storeOrder());
        const Order order = f.stored().at(0);
        QCOMPARE(order.slots[2], QStringLiteral("12"));
        QCOMPARE(order.slots[3], QStringLiteral(" "));
        QCOMPARE(order.slots[50], QStringLiteral(" "));
    }

    void pickedEntriesBecomeIdentifiers_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("DECF fleet") << "DECF" << 1 << "12 Home Guard"
                                    << "12";
        QTest::newRow("DECF HOME") << "DECF" << 1 << "HOME"
                                   << "HOME";
        QTest::newRow("DECF ALL") << "DECF" << 1 << "ALL"
                                  << "ALL";
        QTest::newRow("NM fleet") << "NM" << 1 << "12 Home Guard"
                                  << "12";
        QTest::newRow("MOVE warp point") << "MOVE" << 3 << "5 Sol -B- Vega"
                                         << "5";
        QTest::newRow("BI group") << "BI" << 3 << "7 (Tarsis-3)"
                                  << "7";
        QTest::newRow("bi in lower case is not converted") << "bi" << 3 << "7 (Tarsis-3)"
                                                           << "7 (Tarsis-3)";
        QTest::newRow("NENC CHANGE ALL has no number") << "NENC" << 1 << "CHANGE ALL"
                                                       << "0";
        QTest::newRow("JETT item stays text") << "JETT" << 2 << "Fuel Tank"
                                              << "Fuel Tank";
        QTest::newRow("question marks code converts even slots") << "????" << 4 << "12 Home Guard"
                                                                 << "12";
        QTest::newRow("unknown code converts nothing") << "ZZZ" << 1 << "12 Home Guard"
                                                       << "12 Home Guard";
    }
    void pickedEntriesBecomeIdentifiers()
    {
        QFETCH(QString, code);
        QFETCH(int, slot);
        QFETCH(QString, picked);
        QFETCH(QString, stored);
        Fixture f;
        f.enter(code, {{1, "1"}, {2, "1"}, {3, "1"}, {5, "No"}});
        const ChoiceList list = {
            {QStringLiteral("ALL"), {}},           {QStringLiteral("HOME"), {}},
            {QStringLiteral("CHANGE ALL"), {}},    {QStringLiteral("12 Home Guard"), 12},
            {QStringLiteral("5 Sol -B- Vega"), 5}, {QStringLiteral("7 (Tarsis-3)"), 7},
            {QStringLiteral("Fuel Tank"), {}}};
        f.form.setChoices(slot, list);
        f.form.pickText(slot, picked);
        QVERIFY(f.storer.storeOrder());
        QCOMPARE(f.stored().at(0).slots[slot - 1], stored);
    }

    void typedTextOverAPickedEntryIsKept()
    {
        Fixture f;
        f.enter(QStringLiteral("NM"), {});
        f.form.setChoices(
            1, {{QStringLiteral("12 Home Guard"), 12}, {QStringLiteral("3 Scout Wing"), 3}});
        f.form.pick(1, 0);
        f.form.type(1, QStringLiteral("99"));
        QVERIFY(f.storer.storeOrder());
        QCOMPARE(f.stored().at(0).slots[0], QStringLiteral("99"));
    }

    void aDatabaseFailureKeepsTheOrderInTheWindow()
    {
        Fixture f;
        f.enter(QStringLiteral("NM"), {{1, "12"}, {2, "Sol"}, {3, "3"}});
        f.t.store().run(QStringLiteral("DROP TABLE Orders"));
        QVERIFY_THROWS_EXCEPTION(Error, f.storer.storeOrder());
        QCOMPARE(f.form.code(), QStringLiteral("NM"));
        QCOMPARE(f.form.slotText(2), QStringLiteral("Sol"));
        QVERIFY(f.form.isSlotVisible(3));
        QCOMPARE(f.refreshes, 0);
    }
};

QTEST_GUILESS_MAIN(TestStoreOrder)
#include "tst_storeorder.moc"
