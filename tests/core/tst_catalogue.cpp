#include "MemoryOrderForm.h"
#include "orders/ChosenCode.h"
#include "orders/FieldLayouts.h"
#include "orders/OrderCatalogue.h"

#include <QTest>

using namespace vf;
using namespace vf::test;

class TestCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chooserOffersTheCodesInOrder()
    {
        const QStringList codes = catalogue::chooserCodes();
        QCOMPARE(codes.size(), 82);
        QCOMPARE(codes.first(), QStringLiteral("ABP"));
        QCOMPARE(codes.mid(5, 3), (QStringList{"BI", "BOMB", "CNVR"}));
        QCOMPARE(codes.at(68), QStringLiteral("WARP"));
        QCOMPARE(codes.mid(69),
                 (QStringList{"XBOMB", "XCTRN", "XEXPL", "XLC", "XLFE", "XMOVE", "XNM", "XOC",
                              "XSENS", "XSHIP", "XSKIM", "XTR", "XWARP"}));
        for (const QString& code : codes)
            QVERIFY2(catalogue::find(code), qPrintable(code));
        QVERIFY(!catalogue::find(QStringLiteral("RTL")));
        QVERIFY(!catalogue::find(QStringLiteral("bomb")));
        QVERIFY(!catalogue::find(QStringLiteral("BOMB ")));
    }

    void entries_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("slots");
        QTest::addColumn<QString>("descriptionStart");
        QTest::addColumn<QList<int>>("slotNumbers");
        QTest::addColumn<QStringList>("prompts");
        QTest::newRow("ABP") << "ABP" << 3 << 3 << "ABP (Army Battle Plan), Army #"
                             << QList<int>{1, 3} << QStringList{"Army #", "Standing Defense Order"};
        QTest::newRow("BOMB") << "BOMB" << 2 << 50 << "BOMB (Orbital Bombardment), Fleet #"
                              << QList<int>{2, 3, 4, 20, 21, 49, 50}
                              << QStringList{"Population Group #",
                                             "      Item #1   ----------------------->",
                                             "Quantity #1",
                                             "Quantity #9",
                                             "      Item #10   --------------------->",
                                             "      Item #24   --------------------->",
                                             "Quantity #24"};
        QTest::newRow("XBOMB") << "XBOMB" << 2 << 50 << "BOMB (Orbital Bombardment), Fleet #"
                               << QList<int>{1, 3}
                               << QStringList{"Fleet #",
                                              "      Item #1   ----------------------->"};
        QTest::newRow("NUD") << "NUD" << 3 << 51 << "NUD (Naval Unit Design)"
                             << QList<int>{3, 4, 5, 51}
                             << QStringList{"Mission Class",
                                            "      Item #1   ----------------------->",
                                            "Quantity #1", "Quantity #24"};
        QTest::newRow("RN") << "RN" << 3 << 50 << "RN (Reorganize Naval)"
                            << QList<int>{3, 4, 5, 6, 49, 50}
                            << QStringList{"Ship Name (or the word ALL)",
                                           "Quantity #1",
                                           "Ship Name #2",
                                           "Quantity #2",
                                           "Ship Name #24",
                                           "Quantity #24 (or FUEL)"};
        QTest::newRow("SCUT") << "SCUT" << 0 << 50 << "SCUT (Scuttle Ship)" << QList<int>{2, 3, 50}
                              << QStringList{"Fleet # (confirm)", "Ship Name (or the word ALL)",
                                             "Quantity #24"};
        QTest::newRow("RA") << "RA" << 3 << 50 << "RA (Reorganize Army)" << QList<int>{3, 5, 50}
                            << QStringList{"Div Type (or the word ALL)", "Division Name #2",
                                           "Quantity #24"};
        QTest::newRow("SRP") << "SRP" << 2 << 25 << "SRP (Set Research Priority)"
                             << QList<int>{1, 9, 25}
                             << QStringList{"Research Group # 1", "Research Group # 9",
                                            "Research Group # 25"};
        QTest::newRow("DELS") << "DELS" << 4 << 5 << "DELS (Delete Standing Orders)"
                              << QList<int>{1, 5}
                              << QStringList{"Standing Order Priority", "Standing Order Priority"};
        QTest::newRow("ESTA") << "ESTA" << 2 << 10 << "ESTA (Edit Standing Order)"
                              << QList<int>{1, 2, 9, 10}
                              << QStringList{"Priority #1", "New Priority #1", "Priority #5",
                                             "New Priority #5"};
        QTest::newRow("NAME") << "NAME" << 2 << 10 << "NAME (Name Legendary Character)"
                              << QList<int>{3, 4}
                              << QStringList{"Legendary Character #2", "New Name"};
        QTest::newRow("AC") << "AC" << 4 << 4 << "AC (Assign Commander)" << QList<int>{4}
                            << QStringList{"Orbital Location"};
        QTest::newRow("GEO") << "GEO" << 2 << 2 << "GEO (Geological Survey)" << QList<int>{2}
                             << QStringList{"Moon (or a zero for planet)"};
        QTest::newRow("LFE") << "LFE" << 1 << 1 << "LFE (Life Fire Exercise), Fleet #"
                             << QList<int>{1} << QStringList{"Fleet #"};
        QTest::newRow("XCTRN") << "XCTRN" << 2 << 2 << "CTRN (Colonist Training)" << QList<int>{1}
                               << QStringList{"Pop Group #"};
        QTest::newRow("REVO") << "REVO" << 3 << 4 << "REVO (Instigate Revolution)"
                              << QList<int>{3, 4}
                              << QStringList{"Imperial Tradition", "Emperor Title"};
    }
    void entries()
    {
        QFETCH(QString, code);
        QFETCH(int, layout);
        QFETCH(int, slots);
        QFETCH(QString, descriptionStart);
        QFETCH(QList<int>, slotNumbers);
        QFETCH(QStringList, prompts);
        MemoryOrderForm form;
        form.chooseCode(code);
        applyChosenCode(form);
        QCOMPARE(form.layout(), layout);
        QVERIFY2(form.description().startsWith(descriptionStart), qPrintable(form.description()));
        for (int slot = 1; slot <= 51; ++slot)
            QCOMPARE(form.isSlotVisible(slot), slot <= slots);
        QCOMPARE(form.prompt(slots + (slots < 51 ? 1 : 0)).isEmpty(), slots < 51);
        for (int i = 0; i < slotNumbers.size(); ++i)
            QCOMPARE(form.prompt(slotNumbers[i]), prompts[i]);
        QCOMPARE(form.code(), code);
        QVERIFY(!form.codeChanged());
        QVERIFY(!form.templatesShown());
    }

    void ordersWithoutSlotsShowNoBox_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("RTD") << "RTD";
        QTest::newRow("TREE") << "TREE";
        QTest::newRow("PRIV") << "PRIV";
    }
    void ordersWithoutSlotsShowNoBox()
    {
        QFETCH(QString, code);
        MemoryOrderForm form;
        form.chooseCode(code);
        applyChosenCode(form);
        for (int slot = 1; slot <= 51; ++slot)
            QVERIFY(!form.isSlotVisible(slot));
        QVERIFY(form.description().startsWith(code));
        QCOMPARE(form.layout(), 0);
    }

    void textThatIsNoCodeEmptiesTheChooser_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("lower case") << "bomb";
        QTest::newRow("trailing blank") << "BOMB ";
        QTest::newRow("typed only") << "RTL";
    }
    void textThatIsNoCodeEmptiesTheChooser()
    {
        QFETCH(QString, text);
        MemoryOrderForm form;
        form.chooseCode(QStringLiteral("NM"));
        applyChosenCode(form);
        form.chooseCode(text);
        applyChosenCode(form);
        QCOMPARE(form.code(), QString());
        QCOMPARE(form.description(), QString());
        for (int slot = 1; slot <= 51; ++slot)
            QVERIFY(!form.isSlotVisible(slot));
    }

    void anUnchangedChooserLeavesOnlyAnEmptySlotOne()
    {
        MemoryOrderForm form;
        form.chooseCode(QStringLiteral("BOMB"));
        applyChosenCode(form);
        form.type(1, QStringLiteral("12"));
        form.setChoices(3, choicesOf({QStringLiteral("x")}));
        applyChosenCode(form); // a click that changed nothing
        QVERIFY(form.isSlotVisible(1));
        QCOMPARE(form.slotText(1), QString());
        QVERIFY(!form.isSlotVisible(2));
        QCOMPARE(form.prompt(1), QString());
        QCOMPARE(form.description(), QString());
        QVERIFY(form.choices(3).isEmpty());
    }

    void messShowsTemplatesUntilAnotherCode()
    {
        MemoryOrderForm form;
        form.chooseCode(QStringLiteral("MESS"));
        applyChosenCode(form);
        QVERIFY(form.templatesShown());
        const QStringList lines = form.templates().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("1  Greetings! Please contact me at your earliest "
                                          "convenience.  <include email address>"));
        QVERIFY(lines[2].endsWith(QStringLiteral("or they will be destroyed.")));
        QCOMPARE(form.choiceTexts(2), (QStringList{"1", "2", "3"}));
        form.chooseCode(QStringLiteral("NM"));
        applyChosenCode(form);
        QVERIFY(!form.templatesShown());
        QVERIFY(form.choices(2).isEmpty());
    }

    void aNewCodeClearsTheEarlierOrder()
    {
        MemoryOrderForm form;
        form.chooseCode(QStringLiteral("BOMB"));
        applyChosenCode(form);
        for (int slot = 1; slot <= 50; ++slot) {
            form.setChoices(slot, choicesOf({QStringLiteral("entry")}));
            form.type(slot, QStringLiteral("value"));
        }
        form.chooseCode(QStringLiteral("OC"));
        applyChosenCode(form);
        for (int slot = 1; slot <= 51; ++slot) {
            QCOMPARE(form.slotText(slot), QString());
            QVERIFY(form.choices(slot).isEmpty());
        }
    }

    void layouts_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("width");
        QTest::newRow("1024, layout 2, slot 3") << 1024 << 2 << 2 << 360 << 1920 << 2100;
        QTest::newRow("1024, layout 2, slot 51") << 1024 << 2 << 50 << 360 << 7680 << 2100;
        QTest::newRow("1024, layout 3, slot 51") << 1024 << 3 << 50 << 11760 << 6960 << 2100;
        QTest::newRow("1024, layout 4, header 4") << 1024 << 4 << 3 << 10320 << 1080 << 2100;
        QTest::newRow("1000 is wide") << 1000 << 2 << 7 << 11760 << 1920 << 2100;
        QTest::newRow("800, layout 2, slot 3") << 800 << 2 << 2 << 60 << 1920 << 1800;
        QTest::newRow("800, layout 2, slot 51") << 800 << 2 << 50 << 60 << 7680 << 1800;
        QTest::newRow("900, layout 2, last column") << 900 << 2 << 7 << 9960 << 1920 << 1800;
        QTest::newRow("800, layout 0, slot 1") << 800 << 0 << 0 << 60 << 1920 << 1800;
        QTest::newRow("1024, layout 0, slot 1") << 1024 << 0 << 0 << 360 << 1920 << 2100;
        QTest::newRow("800, layout 4, header 1") << 800 << 4 << 0 << 3280 << 1080 << 1800;
        QTest::newRow("900, layout 4, header 4") << 900 << 4 << 3 << 9520 << 1080 << 1800;
        QTest::newRow("800, layout 3, header 2 keeps its place")
            << 800 << 3 << 1 << 5760 << 1080 << 1800;
    }
    void layouts()
    {
        QFETCH(int, screen);
        QFETCH(int, layout);
        QFETCH(int, index);
        QFETCH(int, left);
        QFETCH(int, top);
        QFETCH(int, width);
        const auto box = layouts::placeBox(layout, index, layouts::compactPlacement(screen));
        QCOMPARE(box.left, left);
        QCOMPARE(box.entryTop, top);
        QCOMPARE(box.promptTop, top - 240);
        QCOMPARE(box.width, width);
    }

    void windowAndButtonsByScreenWidth()
    {
        QCOMPARE(layouts::windowWidth(800), 9000);
        QCOMPARE(layouts::windowWidth(801), 14800);
        QCOMPARE(layouts::buttonLefts(true).mainMenu, 4920);
        QCOMPARE(layouts::buttonLefts(true).saveOrder, 9480);
        QCOMPARE(layouts::buttonLefts(false).editOrders, 9480);
        QVERIFY(layouts::compactPlacement(999));
        QVERIFY(!layouts::compactPlacement(1000));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
