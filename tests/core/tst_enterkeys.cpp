#include "OrderFixture.h"
#include "TestStore.h"
#include "orders/ChosenCode.h"
#include "orders/EnterKeyRoutes.h"
#include "orders/OrderCatalogue.h"
#include "orders/OrderStorer.h"
#include "orders/TypeAhead.h"
#include "store/OrderRepository.h"

#include <QTest>

using namespace vf;
using namespace vf::test;

using Slots = SlotValues;
using Fixture = OrderFixture;

namespace {

const ChoiceList kFleets = {{QStringLiteral("12 Home Guard"), 12},
                            {QStringLiteral("3 Scout Wing"), 3}};
const ChoiceList kGroups = {{QStringLiteral("7 (Tarsis-3)"), 7},
                            {QStringLiteral("12 (Sol-3)"), 12}};

} // namespace

class TestEnterKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void slotRoutes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("slot");
        QTest::addColumn<Slots>("values");
        QTest::addColumn<QString>("outcome"); // "store", "next" or "nothing"
        QTest::newRow("BALG 1 stores") << "BALG" << 1 << Slots{{1, "77"}} << "store";
        QTest::newRow("NM 1 moves on") << "NM" << 1 << Slots{} << "next";
        QTest::newRow("NM 2 moves on") << "NM" << 2 << Slots{} << "next";
        QTest::newRow("NM 3 stores") << "NM" << 3 << Slots{{3, "3"}} << "store";
        QTest::newRow("nm in lower case moves on") << "nm" << 3 << Slots{} << "next";
        QTest::newRow("bi in lower case moves on at 5") << "bi" << 5 << Slots{} << "next";
        QTest::newRow("CTRN 2 stores") << "CTRN" << 2 << Slots{{1, "7"}, {2, "5"}} << "store";
        QTest::newRow("PAP 2 stores") << "PAP" << 2 << Slots{} << "store";
        QTest::newRow("FUEL 3 stores") << "FUEL" << 3 << Slots{} << "store";
        QTest::newRow("AC 3 Army stores") << "AC" << 3 << Slots{{2, "Army"}} << "store";
        QTest::newRow("AC 3 Installation stores")
            << "AC" << 3 << Slots{{2, "Installation"}} << "store";
        QTest::newRow("AC 3 World moves on") << "AC" << 3 << Slots{{2, "World"}} << "next";
        QTest::newRow("AC 3 army does nothing") << "AC" << 3 << Slots{{2, "army"}} << "nothing";
        QTest::newRow("AC 4 stores") << "AC" << 4 << Slots{} << "store";
        QTest::newRow("REVO 4 stores") << "REVO" << 4 << Slots{} << "store";
        QTest::newRow("FORM 5 stores") << "FORM" << 5 << Slots{} << "store";
        QTest::newRow("ESTA 9 moves on") << "ESTA" << 9 << Slots{} << "next";
        QTest::newRow("ESTA 10 stores") << "ESTA" << 10 << Slots{} << "store";
        QTest::newRow("SRP 24 moves on") << "SRP" << 24 << Slots{} << "next";
        QTest::newRow("SRP 25 stores") << "SRP" << 25 << Slots{} << "store";
        QTest::newRow("BOMB 49 moves on") << "BOMB" << 49 << Slots{} << "next";
        QTest::newRow("BOMB 50 stores") << "BOMB" << 50 << Slots{} << "store";
        QTest::newRow("RA 50 stores") << "RA" << 50 << Slots{} << "store";
        QTest::newRow("NUD 50 moves on") << "NUD" << 50 << Slots{} << "next";
        QTest::newRow("NUD 51 stores") << "NUD" << 51 << Slots{} << "store";
        QTest::newRow("xx 7 does nothing") << "xx" << 7 << Slots{} << "nothing";
        QTest::newRow("xx 48 does nothing") << "xx" << 48 << Slots{} << "nothing";
        QTest::newRow("xx 10 moves on") << "xx" << 10 << Slots{} << "next";
        QTest::newRow("xx 25 moves on") << "xx" << 25 << Slots{} << "next";
        QTest::newRow("xx 49 moves on") << "xx" << 49 << Slots{} << "next";
    }
    void slotRoutes()
    {
        QFETCH(QString, code);
        QFETCH(int, slot);
        QFETCH(Slots, values);
        QFETCH(QString, outcome);
        Fixture f;
        f.enter(code, values);
        for (int s = 1; s <= 51; ++s)
            f.form.setSlotVisible(s, true); // so that every move can be seen
        f.form.focusSlot(slot);
        f.keys.onSlotEnter(slot);
        QCOMPARE(f.stored().size(), outcome == QLatin1String("store") ? 1 : 0);
        if (outcome == QLatin1String("next"))
            QCOMPARE(f.form.focusedSlot(), slot + 1);
        else if (outcome == QLatin1String("nothing"))
            QCOMPARE(f.form.focusedSlot(), slot);
        QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(QLatin1Char('\n'))));
    }

    void conversionsBeforeTheStore_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("enterSlot");
        QTest::addColumn<QList<int>>("pickedSlots");
        QTest::addColumn<QStringList>("storedSlots");
        QTest::newRow("NM fleet") << "NM" << 3 << QList<int>{1} << QStringList{"12"};
        QTest::newRow("MOVE fleet and warp point")
            << "MOVE" << 3 << QList<int>{1, 3} << QStringList{"12", "12"};
        QTest::newRow("NAME five characters") << "NAME" << 10 << QList<int>{1, 3, 5, 7, 9}
                                              << QStringList{"12", "12", "12", "12", "12"};
        QTest::newRow("SCRP groups") << "SCRP" << 4 << QList<int>{3, 4} << QStringList{"12", "12"};
        QTest::newRow("SHIP group and fleet")
            << "SHIP" << 5 << QList<int>{3, 5} << QStringList{"12", "12"};
        QTest::newRow("SENS fleet") << "SENS" << 1 << QList<int>{1} << QStringList{"12"};
        QTest::newRow("CSV both") << "CSV" << 2 << QList<int>{1, 2} << QStringList{"12", "12"};
        QTest::newRow("AC commander for a fleet")
            << "AC" << 3 << QList<int>{1} << QStringList{"12"};
    }
    void conversionsBeforeTheStore()
    {
        QFETCH(QString, code);
        QFETCH(int, enterSlot);
        QFETCH(QList<int>, pickedSlots);
        QFETCH(QStringList, storedSlots);
        Fixture f;
        f.enter(code,
                {{2, code == QLatin1String("AC") ? QStringLiteral("Fleet") : QStringLiteral("x")}});
        for (int slot : pickedSlots)
            f.pick(slot, kFleets, 0);
        if (code == QLatin1String("SCRP") || code == QLatin1String("SHIP"))
            f.pick(3, kGroups, 1);
        f.keys.onSlotEnter(enterSlot);
        QCOMPARE(f.stored().size(), 1);
        for (int i = 0; i < pickedSlots.size(); ++i)
            QCOMPARE(f.stored().at(0).slots[pickedSlots[i] - 1], storedSlots[i]);
    }

    void decommissionKeepsAllAndHome_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("stored");
        QTest::newRow("ALL") << 0 << "ALL";
        QTest::newRow("HOME") << 1 << "HOME";
        QTest::newRow("fleet") << 2 << "12";
    }
    void decommissionKeepsAllAndHome()
    {
        QFETCH(int, index);
        QFETCH(QString, stored);
        Fixture f;
        f.enter(QStringLiteral("DECF"));
        f.pick(1, ChoiceList{{QStringLiteral("ALL"), {}}, {QStringLiteral("HOME"), {}}} + kFleets,
               index);
        f.keys.onSlotEnter(1);
        QCOMPARE(f.stored().at(0).slots[0], stored);
    }

    void populationGroupCheckAtSlotFive_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        QTest::newRow("EB clear all")
            << "EB"
            << "clear all"
            << "for an EB (Edit Build) order with the CLEAR ALL option set.";
        QTest::newRow("EB item") << "EB"
                                 << "Mine"
                                 << "for an EB (Edit Build) or BI (Build Item) order.";
        QTest::newRow("DELS clear all")
            << "DELS"
            << "CLEAR ALL"
            << "for an EB (Edit Build) order with the CLEAR ALL option set.";
        QTest::newRow("DELS stores") << "DELS"
                                     << "20"
                                     << "";
    }
    void populationGroupCheckAtSlotFive()
    {
        QFETCH(QString, code);
        QFETCH(QString, item);
        QFETCH(QString, message);
        Fixture f;
        f.enter(code, {{1, "1"}, {2, item}, {5, "Yes"}});
        f.form.focusSlot(5);
        f.keys.onSlotEnter(5);
        if (message.isEmpty()) {
            QCOMPARE(f.stored().size(), 1);
            QVERIFY(f.messages.isEmpty());
            return;
        }
        QCOMPARE(f.stored().size(), 0);
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages[0].contains(
            QStringLiteral("You have forgotten to enter a Population Group # ") + message));
        QVERIFY(f.messages[0].endsWith(
            QStringLiteral("should be re-entered with a Population Group #.")));
        QCOMPARE(f.form.focusedSlot(), 5);
        QCOMPARE(f.form.slotText(3), QString()); // no blank fill: StoreOrder did not run
        f.pick(3, kGroups, 0);
        f.keys.onSlotEnter(5);
        QCOMPARE(f.stored().size(), 1);
        QCOMPARE(f.stored().at(0).slots[2], code == QLatin1String("bi")
                                                ? QStringLiteral("7 (Tarsis-3)")
                                                : QStringLiteral("7"));
    }

    void chooserEnter_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("storedAtOnce");
        QTest::addColumn<bool>("slotOneFocused");
        QTest::newRow("TREE") << "TREE" << true << false;
        QTest::newRow("PRIV") << "PRIV" << true << false;
        QTest::newRow("RTD") << "RTD" << true << false;
        QTest::newRow("RTL is typed only") << "RTL" << true << false;
        QTest::newRow("BOMB") << "BOMB" << false << true;
        QTest::newRow("lower-case tree") << "tree" << false << false;
    }
    void chooserEnter()
    {
        QFETCH(QString, code);
        QFETCH(bool, storedAtOnce);
        QFETCH(bool, slotOneFocused);
        Fixture f;
        f.form.setCode(code);
        f.keys.onChooserEnter();
        QCOMPARE(f.stored().size(), storedAtOnce ? 1 : 0);
        if (storedAtOnce)
            QCOMPARE(f.stored().at(0).code, code);
        QCOMPARE(f.form.focusedSlot(), slotOneFocused ? 1 : 0);
        if (slotOneFocused)
            QCOMPARE(f.form.prompt(3), QStringLiteral("      Item #1   ----------------------->"));
    }

    void typeAhead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("completed");
        QTest::addColumn<int>("selectionStart");
        QTest::newRow("b completes BALG") << "" << 0 << "b" << 4 << "BALG" << 1;
        QTest::newRow("then o gives BOMB") << "BALG" << 1 << "o" << 6 << "BOMB" << 2;
        QTest::newRow("x gives XBOMB") << "" << 0 << "x" << 69 << "XBOMB" << 1;
        QTest::newRow("xm gives XMOVE") << "XBOMB" << 1 << "M" << 74 << "XMOVE" << 2;
        QTest::newRow("digit continues nothing") << "" << 0 << "7" << -1 << "" << 0;
        QTest::newRow("Enter is never completed") << "BOMB" << 4 << "\r" << -1 << "" << 0;
        QTest::newRow("no code goes on with q") << "" << 0 << "q" << -1 << "" << 0;
    }
    void typeAhead()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, key);
        QFETCH(int, index);
        QFETCH(QString, completed);
        QFETCH(int, selectionStart);
        const auto match =
            autoCompleteCombo(choicesOf(catalogue::chooserCodes()), text, caret, key.at(0));
        QCOMPARE(match.has_value(), index >= 0);
        if (!match)
            return;
        QCOMPARE(match->index, index);
        QCOMPARE(match->text, completed);
        QCOMPARE(match->selectionStart, selectionStart);
        QCOMPARE(match->selectionLength, completed.size());
    }

    void typeAheadIgnoresCaseInLists()
    {
        const ChoiceList items =
            choicesOf({QStringLiteral("Fuel Tank"), QStringLiteral("ion thruster"),
                       QStringLiteral("Ion Cannon")});
        const auto match = autoCompleteCombo(items, QString(), 0, QLatin1Char('I'));
        QVERIFY(match);
        QCOMPARE(match->text, QStringLiteral("ion thruster"));
    }
};

QTEST_GUILESS_MAIN(TestEnterKeys)
#include "tst_enterkeys.moc"
