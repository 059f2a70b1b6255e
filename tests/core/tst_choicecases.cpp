#include "ChoiceListFixture.h"

#include <QTest>

using namespace vf;
using namespace vf::test;

// Pick-lists whose entries depend on another slot or on the code's own rules.
class TestChoiceCases : public QObject {
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;

private Q_SLOTS:
    void initTestCase() { m_store = storeWith123And126(); }

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
};

QTEST_GUILESS_MAIN(TestChoiceCases)
#include "tst_choicecases.moc"
