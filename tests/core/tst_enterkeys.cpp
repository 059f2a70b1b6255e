#include "OrderFixture.h"
#include "RulesTable.h"
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

struct Route {
    QList<int> slots;
    QStringList codes; // empty: any other code
    QString action;
};

QList<int> slotNumbers(const QString& ranges)
{
    QList<int> numbers;
    for (const QString& range : ranges.split(QLatin1Char(','))) {
        const QStringList ends = range.split(QLatin1Char('-'));
        for (int n = ends.first().toInt(); n <= ends.last().toInt(); ++n)
            numbers << n;
    }
    return numbers;
}

QList<Route> readRoutes()
{
    QList<Route> routes;
    for (const QStringList& row : readRulesTable(QStringLiteral("enter-routes.tsv")))
        routes << Route{slotNumbers(row[0]),
                        row[1] == QLatin1String("any") ? QStringList() : row[1].split(u','),
                        row[2]};
    return routes;
}

// The action of the first row naming the slot and the code, else of its "any" row. With
// every slot holding a picked entry, DECF converts slot 1, AC (slot 2 neither Army nor World)
// does nothing, and the population group check finds slot 3 filled and stores.
QString routeFor(const QList<Route>& routes, int slot, const QString& code)
{
    QString any;
    for (const Route& route : routes) {
        if (!route.slots.contains(slot))
            continue;
        if (route.codes.contains(code)) {
            if (route.action == QLatin1String("DECF"))
                return QStringLiteral("convert 1; store");
            if (route.action == QLatin1String("AC"))
                return QStringLiteral("nothing");
            return QString(route.action)
                .replace(QStringLiteral("population group check"), QStringLiteral("store"));
        }
        if (route.codes.isEmpty() && any.isEmpty())
            any = route.action;
    }
    return any;
}

QList<int> convertedSlots(const QString& action)
{
    if (!action.startsWith(QLatin1String("convert ")))
        return {};
    return slotNumbers(action.section(QLatin1Char(' '), 1, 1).remove(QLatin1Char(';')));
}

} // namespace

class TestEnterKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyCodeAndSlotFollowsTheTable_data()
    {
        QTest::addColumn<QString>("code");
        for (const QString& code : catalogue::chooserCodes() + QStringList{"xx", "bomb", "RTL"})
            QTest::newRow(qPrintable(code)) << code;
    }
    void everyCodeAndSlotFollowsTheTable()
    {
        // Every slot holds a picked entry "E<k>" whose attached number is 1000 + k, so that
        // each conversion shows; the table says what Enter does in each slot.
        QFETCH(QString, code);
        const QList<Route> routes = readRoutes();
        Fixture f;
        for (int slot = 1; slot <= 51; ++slot) {
            const QString expected = routeFor(routes, slot, code);
            f.t.store().run(QStringLiteral("DELETE FROM Orders"));
            f.messages.clear();
            f.enter(code);
            for (int s = 1; s <= 51; ++s) {
                f.form.setSlotVisible(s, true); // so that every move can be seen
                f.pick(s, {{QStringLiteral("E%1").arg(s), 1000 + s}}, 0);
            }
            f.form.focusSlot(slot);
            f.keys.onSlotEnter(slot);
            const QString where =
                QStringLiteral("%1 slot %2: %3").arg(code).arg(slot).arg(expected);
            const bool stored = !f.stored().isEmpty();
            if (expected == QLatin1String("next") || expected == QLatin1String("nothing")) {
                QVERIFY2(!stored && f.messages.isEmpty(), qPrintable(where));
                QVERIFY2(f.form.focusedSlot() ==
                             (expected == QLatin1String("next") ? slot + 1 : slot),
                         qPrintable(where));
                continue;
            }
            // A store: the order is stored, or its checks answer with a message.
            QVERIFY2(stored || !f.messages.isEmpty(), qPrintable(where));
            for (const int converted : convertedSlots(expected)) {
                const QString value =
                    stored ? f.stored().at(0).slots[converted - 1] : f.form.slotText(converted);
                QVERIFY2(value == QString::number(1000 + converted), qPrintable(where));
            }
        }
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
