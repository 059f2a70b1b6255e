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
#include "turnimport/TurnImporter.h"
#include "turnimport/TurnResultsArchive.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
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
#include <QListWidget>
#include <QMenu>
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

// What Changed and Compare Turns.
class TestWhatChanged : public QObject {
    Q_OBJECT
    using Fixture = MainMenuFixture;

private Q_SLOTS:
    // Any two kept turns, chosen by key in the Compare Turns box: told earlier import first
    // whichever box holds which; the same turn twice is refused and the box stays.
    void compareTurnsChosenFromTheArchive_data()
    {
        QTest::addColumn<int>("earlier"); // keys Down from the first turn, in each box
        QTest::addColumn<int>("later");
        QTest::addColumn<QString>("summary"); // empty: refused
        const QString secondAgainstFirst =
            QStringLiteral("The turn data imported 12-02-2026 at 08:00, against the import of "
                           "12-01-2026 at 08:00: ");
        QTest::newRow("in order") << 0 << 1 << secondAgainstFirst;
        QTest::newRow("reversed") << 1 << 0 << secondAgainstFirst;
        QTest::newRow("the same turn twice") << 1 << 1 << QString();
    }
    void compareTurnsChosenFromTheArchive()
    {
        QFETCH(int, earlier);
        QFETCH(int, later);
        QFETCH(QString, summary);
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        const TurnResultsArchive archive(f.t.path());
        const QString next = f.t.fileWith(QStringLiteral("next.mdb"), TestStore::nextTurnOf123());
        for (const auto& [day, file] :
             {std::pair{1, TestStore::dataFile(QStringLiteral("123.mdb"))}, std::pair{2, next},
              std::pair{3, TestStore::dataFile(QStringLiteral("123.mdb"))}})
            archive.keep(file, QStringLiteral("123"), QDateTime(QDate(2026, 12, day), QTime(8, 0)));
        QStringList offered;
        bool stayedOpen = false;
        const ModalAnswerer answer([&](QWidget* modal) {
            if (modal->objectName() == QLatin1String("ImportProgress"))
                return; // the files are being read: the player waits
            auto* first = modal->findChild<QComboBox*>(QStringLiteral("Earlier"));
            if (!first) {
                modal->close();
                return;
            }
            for (int i = 0; i < first->count(); ++i)
                offered << first->itemText(i);
            auto* second = modal->findChild<QComboBox*>(QStringLiteral("Later"));
            for (const auto& [box, downs] : {std::pair{first, earlier}, std::pair{second, later}}) {
                box->setFocus();
                QTest::keyClick(box, Qt::Key_Home);
                for (int i = 0; i < downs; ++i)
                    QTest::keyClick(box, Qt::Key_Down);
            }
            auto* buttons = modal->findChild<QDialogButtonBox*>();
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
            stayedOpen = modal->isVisible();
            if (stayedOpen)
                QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        });
        if (summary.isEmpty())
            f.dialogs.answerOk(); // the refusal
        f.window->findChild<QAction*>(QStringLiteral("mnuFile_CompareTurns"))->trigger();
        QCOMPARE(offered,
                 (QStringList{"Imported 12-01-2026 at 08:00", "Imported 12-02-2026 at 08:00",
                              "Imported 12-03-2026 at 08:00"}));
        auto* changed = f.window->findChild<WhatChangedWindow*>(QStringLiteral("WhatChanged"));
        if (summary.isEmpty()) {
            QVERIFY(stayedOpen);
            QVERIFY(!changed);
            QCOMPARE(f.dialogs.last().request.text,
                     QStringLiteral("Both boxes name the turn imported 12-02-2026 at 08:00: "
                                    "choose two different turns to compare."));
            return;
        }
        QVERIFY(!stayedOpen);
        QVERIFY(changed);
        QVERIFY2(changed->summary().text().startsWith(summary),
                 qPrintable(changed->summary().text()));
        QVERIFY(changed->shownLines().contains(
            QStringLiteral("Fleets - Fleet # 12: renamed from Home Guard to Home Fleet")));
        changed->close();
    }

    // Lines chosen by mouse and key are copied in their order; the menu copies them, or all
    // the lines the filter keeps; the filter keeps the counts that hold the text and says when
    // no line does.
    void whatChangedCopiesAndFilters()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        const TurnResultsArchive archive(f.t.path());
        const QString next = f.t.fileWith(QStringLiteral("next.mdb"), TestStore::nextTurnOf123());
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        archive.keep(TestStore::dataFile(QStringLiteral("123.mdb")), QStringLiteral("123"),
                     QDateTime(QDate(2026, 12, 1), QTime(8, 0)));
        TurnImporter(f.t.store(), TestStore::readerPath()).importFile(123, next);
        archive.keep(next, QStringLiteral("123"), QDateTime(QDate(2026, 12, 2), QTime(8, 0)));
        f.window->findChild<QAction*>(QStringLiteral("mnuFile_WhatChanged"))->trigger();
        auto* changed = f.window->findChild<WhatChangedWindow*>(QStringLiteral("WhatChanged"));
        QVERIFY(changed);
        changed->show();
        QVERIFY(QTest::qWaitForWindowExposed(changed));
        QListWidget& lines = changed->lines();
        const auto rowOf = [&](const QString& text) {
            return lines.visualItemRect(lines.findItems(text, Qt::MatchExactly).value(0));
        };
        const QString renamed =
            QStringLiteral("Fleets - Fleet # 12: renamed from Home Guard to Home Fleet");
        QTest::mouseClick(lines.viewport(), Qt::LeftButton, {},
                          rowOf(QStringLiteral("Fleets: 2 changed")).center());
        QTest::mouseClick(lines.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          rowOf(renamed).center());
        QTest::keyClick(&lines, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("Fleets: 2 changed\n") + renamed + QLatin1Char('\n'));

        QTest::keyClicks(&changed->filter(), QStringLiteral("fleet"));
        QVERIFY(changed->shownLines().contains(QStringLiteral("Fleets: 2 changed")));
        QVERIFY(!changed->shownLines().contains(QStringLiteral("Armies: no change")));
        const QStringList kept = changed->shownLines();
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            menu->findChild<QAction*>(QStringLiteral("CopyAll"))->trigger();
            menu->close();
        });
        lines.setFocus();
        QTest::keyClick(&lines, Qt::Key_F10, Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 kept.join(QLatin1Char('\n')) + QLatin1Char('\n'));

        auto* noMatch = changed->findChild<QLabel*>(QStringLiteral("NoMatch"));
        QVERIFY(noMatch->isHidden());
        QTest::keyClicks(&changed->filter(), QStringLiteral("zz"));
        QVERIFY(changed->shownLines().isEmpty());
        QVERIFY(noMatch->isVisible());
        QCOMPARE(noMatch->text(), QStringLiteral("No change holds \"fleetzz\"."));
        changed->close();
    }
};

QTEST_MAIN(TestWhatChanged)
#include "tst_whatchanged.moc"
