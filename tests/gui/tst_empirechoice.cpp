#include "MainMenuFixture.h"
#include "ModalAnswerer.h"
#include "RealInput.h"
#include "common/Decorative.h"
#include "common/QtDialogs.h"
#include "common/Twips.h"
#include "mainmenu/MainMenuWindow.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "store/EmpireRepository.h"
#include "store/OrderRepository.h"
#include "turndata/WhatChangedWindow.h"
#include "turnimport/TurnResultsArchive.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyleOptionComboBox>
#include <QTest>

#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <optional>

using namespace vf;
using namespace vf::test;

// Choosing the empire in the main menu: by click, by typing, and every action acting on
// the name typed.
class TestEmpireChoice : public QObject {
    Q_OBJECT
    using Fixture = MainMenuFixture;

private Q_SLOTS:
    void choosingByClickRecordsTheEmpire()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QVERIFY(f.pick(QStringLiteral("O'Neil's Realm")));
        QCOMPARE(f.number()->text(), QStringLiteral("77"));
        QCOMPARE(f.context.currentEmpireId, 77);
    }

    void choosingByTypingAndEnter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("as registered") << "Iron Veil";
        // Letter case does not count, as in the old program.
        QTest::newRow("small letters") << "iron veil";
        QTest::newRow("capitals") << "IRON VEIL";
    }
    void choosingByTypingAndEnter()
    {
        QFETCH(QString, typed);
        Fixture f;
        QVERIFY(f.typeName(typed));
        QCOMPARE(f.context.currentEmpireId, 0);
        QTest::keyClick(f.name(), Qt::Key_Return);
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QCOMPARE(f.listed().size(), 3); // Enter adds nothing to the list
    }

    void aKeyLooksUpTheTextBeforeIt()
    {
        Fixture f;
        QVERIFY(f.typeName(QStringLiteral("Iron Veil")));
        QTest::keyClick(f.name(), Qt::Key_X);
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.name()->currentText(), QStringLiteral("Iron Veilx"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QTest::keyClick(f.name(), Qt::Key_Y);
        QCOMPARE(f.number()->text(), QString());
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
        QCOMPARE(f.context.currentEmpireId, 456);
    }

    void choosingByTypingAndLeavingDoesNotRecord()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        QVERIFY(f.typeName(QStringLiteral("Iron Veil")));
        QVERIFY(f.leaveName());
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.context.currentEmpireId, 123);
        f.window->loadAfresh();
        QCOMPARE(f.name()->currentText(), QStringLiteral("Sable Concord"));
        QCOMPARE(f.number()->text(), QStringLiteral("123"));
        QCOMPARE(f.password()->text(), QStringLiteral("tinderly"));
    }

    void aMissEmptiesTheNumberButKeepsThePassword()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        QVERIFY(f.typeName(QStringLiteral("Nobody")));
        QVERIFY(f.leaveName());
        QCOMPARE(f.number()->text(), QString());
        QCOMPARE(f.password()->text(), QStringLiteral("s3cret!"));
    }

    void theChosenEmpireSurvivesAReload()
    {
        Fixture f;
        f.window->loadAfresh();
        QCOMPARE(f.number()->text(), QString());
        QVERIFY(f.pick(QStringLiteral("O'Neil's Realm")));
        auto again = std::make_unique<MainMenuWindow>(f.context, f.navigator);
        QCOMPARE(again->findChild<QLineEdit*>(QStringLiteral("Text2"))->text(),
                 QStringLiteral("77"));
        QCOMPARE(again->findChild<QComboBox*>(QStringLiteral("EmpireName"))->currentText(),
                 QStringLiteral("O'Neil's Realm"));
    }

    void everyActionReadsTheTypedName_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Enter Orders") << "EnterOrders"
                                      << "Irony"
                                      << "entry 2";
        QTest::newRow("Edit Orders") << "EditOrders"
                                     << "Irony"
                                     << "listing 2";
        QTest::newRow("Enter Orders, shorter name") << "EnterOrders"
                                                    << "Iron"
                                                    << "entry 1";
        QTest::newRow("Save Orders") << "SaveOrders"
                                     << "Irony"
                                     << "1 orders have been entered "
                                        "for Empire # 2";
        QTest::newRow("Update Data") << "UpdateData"
                                     << "Irony"
                                     << "2.mdb   and it contains";
    }
    void everyActionReadsTheTypedName()
    {
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        Fixture f(false);
        ironAndIrony(f);
        QVERIFY(f.typeIntoName(typed));
        if (!expected.startsWith(QStringLiteral("entry")) &&
            !expected.startsWith(QStringLiteral("listing")))
            f.dialogs.answer(DialogAnswer::Cancel);
        f.click(button);
        const QString seen =
            f.navigator.calls.join(QLatin1Char(',')) + f.dialogs.texts().join(QLatin1Char(','));
        QVERIFY2(seen.contains(expected), qPrintable(seen));
    }

    void onlyEditingKeysAndEnterChooseTheEmpire_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("chosen");
        // Typing "Irony" chose Iron on its last key (a key looks up the text before it).
        QTest::newRow("Right") << int(Qt::Key_Right) << 1;
        QTest::newRow("Left") << int(Qt::Key_Left) << 1;
        QTest::newRow("Home") << int(Qt::Key_Home) << 1;
        QTest::newRow("Shift") << int(Qt::Key_Shift) << 1;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 1;
        QTest::newRow("Enter") << int(Qt::Key_Return) << 2;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 2;
        QTest::newRow("a letter") << int(Qt::Key_X) << 2;
    }
    void onlyEditingKeysAndEnterChooseTheEmpire()
    {
        QFETCH(int, key);
        QFETCH(int, chosen);
        Fixture f(false);
        ironAndIrony(f);
        QVERIFY(f.typeIntoName(QStringLiteral("Irony")));
        QCOMPARE(f.context.currentEmpireId, 1);
        QTest::keyClick(f.name(), Qt::Key(key));
        QCOMPARE(f.context.currentEmpireId, chosen);
    }

    void theWheelOverTheNameBoxChangesNothing()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Iron Veil")));
        f.password()->setFocus();
        for (const int notch : {-120, -120, 120, 120, 120})
            wheelOver(f.name(), notch);
        QCOMPARE(f.name()->currentText(), QStringLiteral("Iron Veil"));
        QCOMPARE(f.number()->text(), QStringLiteral("456"));
        QCOMPARE(f.context.currentEmpireId, 456);
        QVERIFY(f.password()->hasFocus());
    }
};

QTEST_MAIN(TestEmpireChoice)
#include "tst_empirechoice.moc"
