#include "ChoiceListFixture.h"
#include "orders/CachedTurnData.h"
#include "store/TurnDataRepository.h"

#include <QTest>

using namespace vf;
using namespace vf::test;

// Each slot's pick-list as the rules table gives it, filled from the turn data of 123.mdb
// and 126.mdb.
class TestChoiceLists : public QObject {
    Q_OBJECT

    std::unique_ptr<TestStore> m_store;

private Q_SLOTS:
    void initTestCase() { m_store = storeWith123And126(); }

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

    // The lists kept for many orders at a time are the lists read one by one: every star's warp
    // points, read at once, for each empire, whatever the letter case the star is named in.
    void keptListsAreTheListsRead_data()
    {
        QTest::addColumn<int>("empireId");
        QTest::newRow("123.mdb") << 123;
        QTest::newRow("126.mdb, awkward names") << 126;
    }
    void keptListsAreTheListsRead()
    {
        QFETCH(int, empireId);
        const TurnDataRepository data(m_store->store(), empireId);
        const CachedTurnData kept(data);
        const ChoiceList stars = data.starNames();
        QVERIFY(!stars.isEmpty());
        int warpPoints = 0;
        for (const ChoiceEntry& star : stars) {
            for (const QString& name : {star.text, star.text.toUpper(), star.text.toLower()})
                QCOMPARE(kept.warpPointsOf(name), data.warpPointsOf(name));
            warpPoints += int(data.warpPointsOf(star.text).size());
        }
        QVERIFY(warpPoints > 0);
        QCOMPARE(kept.warpPointsOf(QStringLiteral("Nowhere")), ChoiceList());
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
