#include "RulesTable.h"
#include "orders/ChosenCode.h"
#include "orders/FieldLayouts.h"
#include "orders/MemoryOrderForm.h"
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
        QTest::addColumn<QString>("description");
        QTest::addColumn<QStringList>("prompts");
        const QList<QStringList> table = readRulesTable(QStringLiteral("catalogue.tsv"));
        QCOMPARE(table.size(), 82);
        for (const QStringList& row : table) {
            const QStringList prompts =
                row.value(4).isEmpty() ? QStringList() : row.value(4).split(QLatin1Char('|'));
            QTest::newRow(qPrintable(row[0]))
                << row[0] << row[1].toInt() << row[2].toInt() << row[3] << prompts;
        }
    }
    void entries()
    {
        // Every code of the catalogue: layout, shown slots, every prompt, the description.
        QFETCH(QString, code);
        QFETCH(int, layout);
        QFETCH(int, slots);
        QFETCH(QString, description);
        QFETCH(QStringList, prompts);
        QVERIFY(catalogue::chooserCodes().contains(code));
        MemoryOrderForm form;
        form.chooseCode(code);
        applyChosenCode(form);
        QCOMPARE(form.layout(), layout);
        QCOMPARE(form.description(), description);
        QStringList shown;
        for (int slot = 1; slot <= 51; ++slot) {
            QCOMPARE(form.isSlotVisible(slot), slot <= slots);
            if (!form.prompt(slot).isEmpty())
                shown << form.prompt(slot);
        }
        QCOMPARE(shown, prompts);
        QCOMPARE(form.code(), code);
        QVERIFY(!form.codeChanged());
        QCOMPARE(form.templatesShown(), code == QLatin1String("MESS"));
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
