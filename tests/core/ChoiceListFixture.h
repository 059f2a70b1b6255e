#pragma once

// What the tests of the choice lists share: the lists 123.mdb gives, the rules table's rows,
// and a form set up for a code.

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

namespace vf::test {

inline const QStringList kFleets = {"12 Home Guard",        "3 Scout Wing",
                                    "27 Tarsis Patrol",     "5 \u00C6rendel Lancers",
                                    "44 O'Brien's Raiders", "8 Vanguard"};
inline const QStringList kItems = {"Armor Plate",   "Bulk Freight", "Cargo Hold",
                                   "Colonists",     "Drone Bay",    "Fuel Tank",
                                   "ion thruster",  "Laser Cannon", "Missile Launcher",
                                   "Point Defense", "Sensor Array", "Warp Drive Mk II"};
inline const QStringList kResearch = {"Antimatter Warhead", "Cloaking Field", "Jump Drive",
                                      "Mass Driver", "Tachyon Sensor"};
inline const QStringList kClasses = {"Battlecruiser", "Corvette",    "Courier",
                                     "Destroyer",     "Dreadnought", "Frigate"};
inline const QStringList kGroups = {"7 (Tarsis-3)", "12 (Sol-3)", "15 (Barnard's Star-2)",
                                    "21 (Vega-4)"};

inline QList<int> numbersOf(const ChoiceList& list)
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
inline QList<int> slotSet(const QString& text, int focused)
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

inline QList<FocusRow> readFocusRows()
{
    QList<FocusRow> rows;
    for (const QStringList& row : readRulesTable(QStringLiteral("focus-rows.tsv")))
        rows << FocusRow{slotSet(row[0], 0),
                         row[1] == QLatin1String("any") ? QStringList() : row[1].split(u','),
                         row[2]};
    return rows;
}

// The game's fixed word lists as the rules give them (tests/data/rules/vocabularies.tsv).
inline const QMap<QString, QStringList>& fixedLists()
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
inline ChoiceList namedList(const QString& name, const TurnDataRepository& data,
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

inline const ChoiceList kUntouched = {{QStringLiteral("untouched"), 99}};

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

// A database holding 123.mdb's and 126.mdb's turn data.
inline std::unique_ptr<TestStore> storeWith123And126()
{
    auto store = std::make_unique<TestStore>();
    store->importFixture(QStringLiteral("123.mdb"), 123);
    store->importFixture(QStringLiteral("126.mdb"), 126);
    return store;
}

} // namespace vf::test
