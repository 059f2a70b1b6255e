#include "RulesTable.h"
#include "TestStore.h"
#include "orders/ChosenCode.h"
#include "orders/MemoryOrderForm.h"
#include "orders/OrderCatalogue.h"
#include "orders/SlotFocusRules.h"
#include "store/TurnDataRepository.h"

#include <QMap>
#include <QTest>

#include <array>
#include <functional>

using namespace vf;
using namespace vf::test;

namespace {

const QStringList kFleets = {"12 Home Guard",          "3 Scout Wing",         "27 Tarsis Patrol",
                             "5 \u00C6rendel Lancers", "44 O'Brien's Raiders", "8 Vanguard"};
const QStringList kItems = {"Armor Plate",   "Bulk Freight", "Cargo Hold",
                            "Colonists",     "Drone Bay",    "Fuel Tank",
                            "ion thruster",  "Laser Cannon", "Missile Launcher",
                            "Point Defense", "Sensor Array", "Warp Drive Mk II"};
const QStringList kResearch = {"Antimatter Warhead", "Cloaking Field", "Jump Drive", "Mass Driver",
                               "Tachyon Sensor"};
const QStringList kClasses = {"Battlecruiser", "Corvette",    "Courier",
                              "Destroyer",     "Dreadnought", "Frigate"};
const QStringList kGroups = {"7 (Tarsis-3)", "12 (Sol-3)", "15 (Barnard's Star-2)", "21 (Vega-4)"};

QList<int> numbersOf(const ChoiceList& list)
{
    QList<int> numbers;
    for (const ChoiceEntry& entry : list)
        numbers << entry.number.value_or(-1);
    return numbers;
}

struct FocusRow {
    QList<int> slots;
    QStringList codes; // empty: any other code
    QString effects;
};

// "3", "1-25", "3-49/2" (every second slot); "@" is the focused slot.
QList<int> slotSet(const QString& text, int focused)
{
    if (text == QLatin1String("@"))
        return {focused};
    QList<int> numbers;
    const QStringList stepped = text.split(QLatin1Char('/'));
    const QStringList ends = stepped.first().split(QLatin1Char('-'));
    const int step = stepped.size() > 1 ? stepped.last().toInt() : 1;
    for (int n = ends.first().toInt(); n <= ends.last().toInt(); n += step)
        numbers << n;
    return numbers;
}

QList<FocusRow> readFocusRows()
{
    QList<FocusRow> rows;
    for (const QStringList& row : readRulesTable(QStringLiteral("focus-rows.tsv")))
        rows << FocusRow{slotSet(row[0], 0),
                         row[1] == QLatin1String("any") ? QStringList() : row[1].split(u','),
                         row[2]};
    return rows;
}

// The game's fixed word lists as the rules give them (tests/data/rules/vocabularies.tsv).
const QMap<QString, QStringList>& fixedLists()
{
    static const QMap<QString, QStringList> lists = [] {
        QMap<QString, QStringList> read;
        for (const QStringList& row : readRulesTable(QStringLiteral("vocabularies.tsv")))
            read.insert(row.first(), row.mid(1));
        return read;
    }();
    return lists;
}

// A list by the name the rules give it: a source of the turn data, a fixed list or a
// "literal" entry.
ChoiceList namedList(const QString& name, const TurnDataRepository& data,
                     const MemoryOrderForm& form)
{
    if (name.startsWith(QLatin1Char('"')))
        return {{name.mid(1, name.size() - 2), std::nullopt}};
    if (fixedLists().contains(name))
        return choicesOf(fixedLists().value(name));
    const auto star = [&] { return form.slotText(name.right(1).toInt()); };
    const QMap<QString, std::function<ChoiceList()>> sources{
        {QStringLiteral("Fleets"), [&] { return data.fleets(); }},
        {QStringLiteral("Star names"), [&] { return data.starNames(); }},
        {QStringLiteral("Items"), [&] { return data.items(); }},
        {QStringLiteral("Commanders"), [&] { return data.commanders(); }},
        {QStringLiteral("Population groups"), [&] { return data.populationGroups(); }},
        {QStringLiteral("Ship classes"), [&] { return data.shipClasses(); }},
        {QStringLiteral("Installations"), [&] { return data.installations(); }},
        {QStringLiteral("Armies"), [&] { return data.armies(); }},
        {QStringLiteral("Battle plans"), [&] { return data.battlePlans(); }},
        {QStringLiteral("Researchable items"), [&] { return data.researchableItems(); }},
        {QStringLiteral("Convoy routes"), [&] { return data.convoyRoutes(); }},
        {QStringLiteral("Orbital locations of slot 2"),
         [&] { return data.orbitalLocationsOf(star()); }},
        {QStringLiteral("Orbital locations of slot 3"),
         [&] { return data.orbitalLocationsOf(star()); }},
        {QStringLiteral("Warp points of slot 2"), [&] { return data.warpPointsOf(star()); }},
    };
    if (!sources.contains(name))
        qFatal("no list is named %s", qPrintable(name));
    return sources.value(name)();
}

const ChoiceList kUntouched = {{QStringLiteral("untouched"), 99}};

} // namespace

class TestChoiceLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;

    // A form set up for the code as the player chooses it, with the rules of empire 123.
    struct Setup {
        MemoryOrderForm form;
        TurnDataRepository data;
        SlotFocusRules rules;
        Setup(Store& store, const QString& code, int empire = 123)
            : data(store, empire)
            , rules(form, data)
        {
            form.chooseCode(code);
            applyChosenCode(form);
        }
        void focus(int slot) { rules.onSlotFocus(slot); }
    };

private Q_SLOTS:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>();
        m_store->importFixture(QStringLiteral("123.mdb"), 123);
        m_store->importFixture(QStringLiteral("126.mdb"), 126);
    }

    void everyFocusRowOfTheRules_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<int>>("slots");
        QTest::addColumn<QString>("effects");
        const QStringList codes = catalogue::chooserCodes() + QStringList{"xx"};
        const QList<FocusRow> rows = readFocusRows();
        for (int r = 0; r < rows.size(); ++r) {
            for (const QString& code : codes) {
                QList<int> slots;
                for (const int slot : rows[r].slots) {
                    bool earlier = false;
                    for (int e = 0; e < r; ++e)
                        earlier = earlier ||
                                  (rows[e].slots.contains(slot) && (rows[e].codes.contains(code)));
                    const bool named = rows[r].codes.contains(code);
                    if (named || (rows[r].codes.isEmpty() && !earlier))
                        slots << slot;
                }
                if (!slots.isEmpty() && rows[r].effects != QLatin1String("by-other-slot"))
                    QTest::addRow("%s at %d (row %d)", qPrintable(code), int(slots.first()), r)
                        << code << slots << rows[r].effects;
            }
        }
    }
    void everyFocusRowOfTheRules()
    {
        // Every box holds a list of its own before the focus; what the rules do not name
        // must stay as it was.
        QFETCH(QString, code);
        QFETCH(QList<int>, slots);
        QFETCH(QString, effects);
        for (const int focused : slots) {
            Setup s(m_store->store(), code);
            for (int slot = 1; slot <= 51; ++slot) {
                s.form.setChoices(slot, kUntouched);
                s.form.type(slot, slot == 2 || slot == 3 ? QStringLiteral("Barnard's Star")
                                                         : QStringLiteral("kept %1").arg(slot));
            }
            std::array<ChoiceList, 51> lists;
            std::array<QString, 51> texts;
            std::array<int, 51> selected{};
            for (int slot = 1; slot <= 51; ++slot) {
                lists[slot - 1] = kUntouched;
                texts[slot - 1] = s.form.slotText(slot);
            }
            for (const QString& effect : effects.split(QStringLiteral("; "))) {
                if (effect == QLatin1String("unchanged"))
                    continue;
                const qsizetype equals = effect.indexOf(QLatin1Char('='));
                if (equals > 0) {
                    ChoiceList list;
                    const QString names = effect.mid(equals + 1);
                    if (names != QLatin1String("empty")) {
                        for (const QString& name : names.split(QLatin1Char('+')))
                            list += namedList(name, s.data, s.form);
                    }
                    for (const int slot : slotSet(effect.left(equals), focused)) {
                        lists[slot - 1] = list;
                        texts[slot - 1].clear();
                    }
                    continue;
                }
                const QStringList words = effect.split(QLatin1Char('"'));
                const int slot = words[0].section(QLatin1Char(' '), 0, 0).toInt();
                texts[slot - 1] = words[1];
                selected[slot - 1] = words[2].section(QLatin1Char(' '), -1).toInt();
            }
            s.focus(focused);
            for (int slot = 1; slot <= 51; ++slot) {
                const QByteArray where = QStringLiteral("%1, focus on slot %2: slot %3")
                                             .arg(code)
                                             .arg(focused)
                                             .arg(slot)
                                             .toUtf8();
                QVERIFY2(s.form.choices(slot) == lists[slot - 1], where.constData());
                QVERIFY2(s.form.slotText(slot) == texts[slot - 1], where.constData());
                if (selected[slot - 1] > 0)
                    QVERIFY2(s.form.box(slot).selectionLength == selected[slot - 1],
                             where.constData());
            }
        }
    }

    void offloadCargoFillsFleetsItemsAndExcludes()
    {
        Setup s(m_store->store(), QStringLiteral("OC"));
        s.form.setChoices(2, choicesOf({QStringLiteral("untouched")}));
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1), kFleets);
        QCOMPARE(numbersOf(s.form.choices(1)), (QList<int>{12, 3, 27, 5, 44, 8}));
        QCOMPARE(s.form.choiceTexts(3),
                 QStringList({"ALL", "ALL NO FUEL", "GLOBAL EXCLUDE"}) + kItems);
        for (int slot = 5; slot <= 49; slot += 2)
            QCOMPARE(s.form.choiceTexts(slot), kItems);
        for (int slot = 4; slot <= 50; slot += 2)
            QCOMPARE(s.form.choiceTexts(slot), QStringList{"EXCLUDE"});
        QCOMPARE(s.form.choiceTexts(2), QStringList{"untouched"});
        QVERIFY(s.form.choices(51).isEmpty());
    }

    void focusingTwiceGivesTheSameList()
    {
        Setup s(m_store->store(), QStringLiteral("BOMB"));
        s.focus(1);
        s.form.type(1, QStringLiteral("typed"));
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1), kFleets);
        QCOMPARE(s.form.slotText(1), QString());
        QCOMPARE(s.form.choiceTexts(49), kItems);
        s.focus(2);
        QCOMPARE(s.form.choiceTexts(2), QStringList{"ALL"});
    }

    void navalEncounterDependsOnSlotOne_data()
    {
        QTest::addColumn<QString>("slot1");
        QTest::addColumn<bool>("battlePlans");
        QTest::newRow("CHANGE ALL") << "CHANGE ALL" << true;
        QTest::newRow("change all") << "change all" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("word") << "Home Guard" << true;
        QTest::newRow("zero") << "0" << true;
        QTest::newRow("fleet") << "12 Home Guard" << false;
        QTest::newRow("number") << " 27" << false;
    }
    void navalEncounterDependsOnSlotOne()
    {
        QFETCH(QString, slot1);
        QFETCH(bool, battlePlans);
        Setup s(m_store->store(), QStringLiteral("NENC"));
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1), QStringList{"CHANGE ALL"} + kFleets);
        s.form.type(1, slot1);
        s.focus(2);
        if (battlePlans) {
            QCOMPARE(s.form.prompt(2), QStringLiteral("Force Battle Plan (from)"));
            QCOMPARE(s.form.prompt(3), QStringLiteral("Force Battle Plan (to)"));
            QCOMPARE(s.form.choiceTexts(2),
                     (QStringList{"Standard", "Aggressive Screen", "Hold Fast"}));
        } else {
            QCOMPARE(s.form.prompt(2), QStringLiteral("Rules of Engagement (ROE)"));
            QCOMPARE(s.form.prompt(3), QStringLiteral("Force Battle Plan"));
            QCOMPARE(s.form.choiceTexts(2).first(), QStringLiteral("Papa"));
            QCOMPARE(s.form.choiceTexts(2).last(), QStringLiteral("Zulu"));
        }
    }

    void assignCommanderByTargetType_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("prompt3");
        QTest::addColumn<bool>("slot4Shown");
        QTest::addColumn<QStringList>("slot3");
        QTest::newRow("Army") << "Army"
                              << "Army ID #" << false << QStringList();
        QTest::newRow("Fleet") << "Fleet"
                               << "Fleet ID #" << false << QStringList();
        QTest::newRow("World") << "World"
                               << "System Name" << true
                               << QStringList{"Sol",          "Tarsis",    "Vega", "Barnard's Star",
                                              "\u00C6rendel", "Kappa Ceti"};
        QTest::newRow("army") << "army"
                              << "Target ID" << true << QStringList();
    }
    void assignCommanderByTargetType()
    {
        QFETCH(QString, target);
        QFETCH(QString, prompt3);
        QFETCH(bool, slot4Shown);
        QFETCH(QStringList, slot3);
        Setup s(m_store->store(), QStringLiteral("AC"));
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1),
                 (QStringList{"Admiral Vole # 45", "General Harrow # 46", "Commodore Lin # 51"}));
        s.focus(2);
        QCOMPARE(s.form.choiceTexts(2), (QStringList{"Army", "Fleet", "World"}));
        s.form.type(2, target);
        s.form.setChoices(3, choicesOf({QStringLiteral("old")}));
        s.focus(3);
        QCOMPARE(s.form.prompt(3), prompt3);
        QCOMPARE(s.form.isSlotVisible(4), slot4Shown);
        QCOMPARE(s.form.box(4).promptVisible, slot4Shown);
        QCOMPARE(s.form.choiceTexts(3), slot3);
    }

    void assignCommanderOrbitsOfTheWorld()
    {
        Setup s(m_store->store(), QStringLiteral("AC"));
        s.form.type(2, QStringLiteral("World"));
        s.focus(3);
        s.form.pickText(3, QStringLiteral("Barnard's Star"));
        s.focus(4);
        QCOMPARE(s.form.choiceTexts(4), (QStringList{"2", "5"}));
    }

    void fuelSlotTwoThenThree()
    {
        Setup s(m_store->store(), QStringLiteral("FUEL"));
        s.focus(2);
        QCOMPARE(s.form.choiceTexts(2), kFleets);
        QCOMPARE(s.form.choiceTexts(3), QStringList({"ALL", "GLOBAL EXCLUDE"}) + kItems);
        QCOMPARE(s.form.choiceTexts(4), QStringList{"EXCLUDE"});
        s.focus(3);
        QCOMPARE(s.form.choiceTexts(3), QStringList{"SPLIT"});
        QCOMPARE(s.form.slotText(3), QStringLiteral("SPLIT"));
        QCOMPARE(s.form.box(3).selectionLength, 5);
    }

    void analyzeListsTwoSortedRuns()
    {
        Setup s(m_store->store(), QStringLiteral("ANZ"));
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1), kItems + kResearch);
    }

    void slotOneLists_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("DECF") << "DECF" << QStringList({"ALL", "HOME"}) + kFleets;
        QTest::newRow("REVO") << "REVO" << QStringList{"Autocracy", "Barbarism"};
        QTest::newRow("CNVR") << "CNVR" << QStringList{"Tarsis Run", "Core Loop"};
        QTest::newRow("INST") << "INST" << QStringList{"Factory",      "Fortress", "Mine",
                                                       "Research Lab", "Shipyard", "Spaceport"};
        QTest::newRow("ED") << "ED" << kClasses;
        QTest::newRow("GATK") << "GATK"
                              << QStringList{"2 1st Marine Legion", "7 Home Defense",
                                             "11 Garrison Tarsis"};
        QTest::newRow("CTRN") << "CTRN" << kGroups;
        QTest::newRow("NUD") << "NUD" << QStringList{"Starship", "Orbital Installation"};
        QTest::newRow("FORM") << "FORM"
                              << QStringList{"Standard", "Aggressive Screen", "Hold Fast"};
        QTest::newRow("other code") << "DELS" << QStringList();
    }
    void slotOneLists()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, entries);
        Setup s(m_store->store(), code);
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1).mid(0, entries.size()), entries);
        if (entries.isEmpty())
            QVERIFY(s.form.choices(1).isEmpty());
    }

    void nameFillsOddSlotsWithCommanders()
    {
        Setup s(m_store->store(), QStringLiteral("NAME"));
        s.form.setChoices(2, choicesOf({QStringLiteral("kept")}));
        s.focus(1);
        for (int slot : {1, 3, 5, 7, 9})
            QCOMPARE(numbersOf(s.form.choices(slot)), (QList<int>{45, 46, 51}));
        QCOMPARE(s.form.choiceTexts(2), QStringList{"kept"});
        QVERIFY(s.form.choices(4).isEmpty());
        s.focus(2);
        QVERIFY(s.form.choices(2).isEmpty());
    }

    void moveListsWarpPointsOfTheStar_data()
    {
        QTest::addColumn<QString>("star");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("Sol") << "Sol"
                             << QStringList{"9           [ 3 ]", "6 Sol -A- Tarsis",
                                            "5 Sol -B- Vega"}
                             << QList<int>{9, 6, 5};
        QTest::newRow("apostrophe")
            << "Barnard's Star"
            << QStringList{"22           [ 7 ]", "21 Barnard's Star -A- Kappa Ceti"}
            << QList<int>{22, 21};
        // Letter case does not count, as in the old program's database.
        QTest::newRow("typed in small letters")
            << "barnard's star"
            << QStringList{"22           [ 7 ]", "21 Barnard's Star -A- Kappa Ceti"}
            << QList<int>{22, 21};
        QTest::newRow("typed in capitals")
            << "SOL" << QStringList{"9           [ 3 ]", "6 Sol -A- Tarsis", "5 Sol -B- Vega"}
            << QList<int>{9, 6, 5};
        QTest::newRow("no such star") << "Nowhere" << QStringList() << QList<int>();
    }
    void moveListsWarpPointsOfTheStar()
    {
        QFETCH(QString, star);
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, numbers);
        Setup s(m_store->store(), QStringLiteral("XMOVE"));
        s.focus(2);
        QCOMPARE(s.form.choices(2).size(), 6);
        s.form.type(2, star);
        s.focus(3);
        QCOMPARE(s.form.choiceTexts(3), entries);
        QCOMPARE(numbersOf(s.form.choices(3)), numbers);
    }

    // The star as picked, or typed in any letter case: its orbits, as 123.mdb holds them.
    void navalMovementListsOrbitsOfTheStar_data()
    {
        QTest::addColumn<QString>("star");
        QTest::addColumn<QStringList>("orbits");
        QTest::newRow("picked") << "Barnard's Star" << QStringList{"2", "5"};
        QTest::newRow("small letters") << "barnard's star" << QStringList{"2", "5"};
        QTest::newRow("capitals") << "SOL" << QStringList{"1", "2", "3"};
        QTest::newRow("mixed") << "sOl" << QStringList{"1", "2", "3"};
        QTest::newRow("no such star") << "Sol Prime" << QStringList{};
    }
    void navalMovementListsOrbitsOfTheStar()
    {
        QFETCH(QString, star);
        QFETCH(QStringList, orbits);
        Setup s(m_store->store(), QStringLiteral("NM"));
        s.focus(2);
        s.form.type(2, star);
        s.focus(3);
        QCOMPARE(s.form.choiceTexts(3), orbits);
        QCOMPARE(s.form.slotText(3), QStringLiteral("1"));
    }

    void buildListsAndFixedValues_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("EB items then CLEAR ALL") << "EB" << 2 << kItems + QStringList{"CLEAR ALL"};
        QTest::newRow("CON installations then slip")
            << "CON" << 2 << QStringList{"Factory",  "Fortress",  "Mine",         "Research Lab",
                                         "Shipyard", "Spaceport", "Shipyard Slip"};
        QTest::newRow("CONV NONE first")
            << "CONV" << 2 << QStringList{"NONE", "Tarsis Run", "Core Loop"};
        QTest::newRow("ECNV") << "ECNV" << 2 << QStringList{"CLEAR ALL"};
        QTest::newRow("BI groups") << "BI" << 3 << kGroups;
        QTest::newRow("BI tooled") << "BI" << 5 << QStringList{"Yes", "No"};
        QTest::newRow("SCRP fleets") << "SCRP" << 3 << kFleets;
        QTest::newRow("SCRP groups") << "SCRP" << 4 << kGroups;
        QTest::newRow("DIV division types") << "DIV" << 5 << QStringList{"Combat Engineer", "EW"};
        QTest::newRow("DIV ALL first") << "DIV" << 3 << QStringList{"ALL", "Combat Engineer"};
        QTest::newRow("FORM deployment") << "FORM" << 3 << QStringList{"1", "2", "3"};
        QTest::newRow("FORM fighters") << "FORM" << 4 << QStringList{"Cover", "Deep Strike"};
        QTest::newRow("FORM drones")
            << "FORM" << 5
            << QStringList{"Cover Attack", "Focused Attack", "No Launch", "Standard Attack"};
        QTest::newRow("NUD missions")
            << "NUD" << 3 << QStringList{"A (Assault)", "B (Battle Line)"};
        QTest::newRow("JETT items in slot 2 from slot 1") << "JETT" << 1 << kFleets;
        QTest::newRow("RA armies")
            << "RA" << 2
            << QStringList{"2 1st Marine Legion", "7 Home Defense", "11 Garrison Tarsis"};
    }
    void buildListsAndFixedValues()
    {
        QFETCH(QString, code);
        QFETCH(int, slot);
        QFETCH(QStringList, entries);
        Setup s(m_store->store(), code);
        s.focus(slot);
        QCOMPARE(s.form.choiceTexts(slot).mid(0, entries.size()), entries);
    }

    void awkwardValuesNeverFailAFocus()
    {
        Setup s(m_store->store(), QStringLiteral("MOVE"), 126);
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1).first(), QStringLiteral("1 "));
        QCOMPARE(s.form.choices(1).size(), 3); // fleet 77 belongs to empire 999
        s.form.type(2, QStringLiteral("Sol"));
        s.focus(3);
        QCOMPARE(s.form.choiceTexts(3), (QStringList{"2 Sol -- ", "1 Sol -- ", "3           [ ? ]",
                                                     "5           [ 2 ]", "4 Sol -X- "}));

        Setup ac(m_store->store(), QStringLiteral("AC"), 126);
        ac.focus(1);
        QCOMPARE(ac.form.choiceTexts(1), (QStringList{" Nameless # 60", "Captain  # 61"}));
        Setup lc(m_store->store(), QStringLiteral("LC"), 126);
        lc.focus(1);
        QCOMPARE(lc.form.choiceTexts(1), (QStringList{"30 (Sol-)", "31 (-4)"}));
        Setup dgf(m_store->store(), QStringLiteral("DGF"), 126);
        dgf.focus(1);
        QCOMPARE(dgf.form.choiceTexts(1), (QStringList{"3 ", "4 Third Army"}));
        Setup nm(m_store->store(), QStringLiteral("NM"), 126);
        nm.focus(2);
        QCOMPARE(nm.form.choiceTexts(2), (QStringList{"Sol", ""}));
    }

    void anEmpireWithoutDataStillOffersFixedEntries()
    {
        Setup s(m_store->store(), QStringLiteral("DECF"), 555);
        s.focus(1);
        QCOMPARE(s.form.choiceTexts(1), (QStringList{"ALL", "HOME"}));
        Setup oc(m_store->store(), QStringLiteral("OC"), 555);
        oc.focus(1);
        QCOMPARE(oc.form.choiceTexts(3), (QStringList{"ALL", "ALL NO FUEL", "GLOBAL EXCLUDE"}));
    }
};

QTEST_GUILESS_MAIN(TestChoiceLists)
#include "tst_choicelists.moc"
