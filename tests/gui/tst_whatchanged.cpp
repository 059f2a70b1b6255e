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

// What Changed and Compare Turns.
class TestWhatChanged : public QObject {
    Q_OBJECT
    using Fixture = MainMenuFixture;

private Q_SLOTS:
    // Any two kept turns: the player chooses them by key in the Compare Turns box.
    void compareTurnsChosenFromTheArchive()
    {
        Fixture f;
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        const TurnResultsArchive archive(f.t.path());
        const QString next = f.t.fileWith(QStringLiteral("next.mdb"), TestStore::nextTurnOf123());
        for (const auto& [day, file] :
             {std::pair{1, TestStore::dataFile(QStringLiteral("123.mdb"))}, std::pair{2, next},
              std::pair{3, TestStore::dataFile(QStringLiteral("123.mdb"))}})
            archive.keep(file, QStringLiteral("123"), QDateTime(QDate(2026, 12, day), QTime(8, 0)));
        QStringList offered;
        const ModalAnswerer answer([&](QWidget* modal) {
            if (modal->objectName() == QLatin1String("ImportProgress"))
                return; // the files are being read: the player waits
            auto* earlier = modal->findChild<QComboBox*>(QStringLiteral("Earlier"));
            if (!earlier) {
                modal->close();
                return;
            }
            for (int i = 0; i < earlier->count(); ++i)
                offered << earlier->itemText(i);
            earlier->setFocus();
            QTest::keyClick(earlier, Qt::Key_Home); // the first turn, against the second
            auto* later = modal->findChild<QComboBox*>(QStringLiteral("Later"));
            QTest::keyClick(later, Qt::Key_Up);
            QTest::mouseClick(modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        f.window->findChild<QAction*>(QStringLiteral("mnuFile_CompareTurns"))->trigger();
        QCOMPARE(offered,
                 (QStringList{"Imported 12-01-2026 at 08:00", "Imported 12-02-2026 at 08:00",
                              "Imported 12-03-2026 at 08:00"}));
        auto* changed = f.window->findChild<WhatChangedWindow*>(QStringLiteral("WhatChanged"));
        QVERIFY(changed);
        QVERIFY(changed->findChild<QLabel*>(QStringLiteral("Summary"))
                    ->text()
                    .startsWith(QStringLiteral("The turn data imported 12-02-2026 at 08:00, "
                                               "against the import of 12-01-2026 at 08:00: ")));
        QVERIFY(changed->shownLines().contains(
            QStringLiteral("Fleets - Fleet # 12: renamed from Home Guard to Home Fleet")));
        changed->close();
    }
};

QTEST_MAIN(TestWhatChanged)
#include "tst_whatchanged.moc"
