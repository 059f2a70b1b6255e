#include "AppFixture.h"
#include "AppWindows.h"
#include "RealInput.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "platform/ProgramFiles.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QToolButton>

using namespace vf;
using namespace vf::test;

namespace {

// Set by --installed DIR: the folder of an installed program, whose reader the road uses.
QString installedFolder;

} // namespace

// A turn as a player takes it, through the real windows: the empire picked from its list, its
// turn results file imported through the reader, orders typed, the orders file written, byte
// for byte the file of tests/data/road. Run with --installed DIR from an installed program's
// folder (its DLLs, its Qt plugins, the platform's own window system), the road goes through
// that program's reader: the same orders give the same bytes on every system.
class TestRoad : public QObject {
    Q_OBJECT

    struct Fixture : AppFixture {
        std::unique_ptr<AppWindows> windows;

        Fixture()
        {
            if (!installedFolder.isEmpty())
                context.turnFileWorker = turnFileWorkerPath(installedFolder);
            t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("tinderly"));
            windows = std::make_unique<AppWindows>(context);
            windows->start();
        }
        MainMenuWindow& menu() { return windows->mainMenu(); }
        QComboBox* name() { return menu().findChild<QComboBox*>(QStringLiteral("EmpireName")); }
        [[nodiscard]] static bool click(QWidget* window, const char* button)
        {
            auto* target = window->findChild<QAbstractButton*>(QLatin1String(button));
            VF_CHECK(target);
            QTest::mouseClick(target, Qt::LeftButton);
            return true;
        }
        [[nodiscard]] bool pick(const QString& empire)
        {
            VF_CHECK(QTest::qWaitForWindowActive(&menu()));
            return pickFromList(name(), empire);
        }
        // Types into the widget with the focus, then Enter.
        [[nodiscard]] static bool typeAndEnter(const QString& text)
        {
            QWidget* focused = QApplication::focusWidget();
            VF_CHECK(focused);
            QTest::keyClicks(focused, text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            return true;
        }
    };

private Q_SLOTS:
    void aTurnFromImportToTheOrdersFile()
    {
        Fixture f;
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("123.mdb")),
                            f.t.folder().turnResultsFile(QStringLiteral("123"))));
        QVERIFY(f.pick(QStringLiteral("Sable Concord")));
        f.dialogs.answerOk(2); // the instructions; all done
        QVERIFY(f.click(&f.menu(), "UpdateData"));
        QCOMPARE(f.dialogs.last().request.text, QStringLiteral("All done importing Empire data!"));
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);

        QVERIFY(f.click(&f.menu(), "EnterOrders"));
        OrderEntryWindow* entry = f.windows->orderEntry();
        QVERIFY(entry && QTest::qWaitForWindowActive(entry));
        // A naval movement of fleet 27 to Barnard's Star, orbit 2, picked from the lists.
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("nm")));
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("2"))); // 27 Tarsis Patrol
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("Barnard's Star")));
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("2")));
        // A message with a name beyond ASCII, then an order without slots.
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("mess")));
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("77")));
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("Hail, \u00C6rendel!")));
        QVERIFY(Fixture::typeAndEnter(QStringLiteral("tree")));
        QVERIFY(f.click(entry, "MainMenu"));

        f.dialogs.answerOk(2); // how many orders; where they were saved
        QVERIFY(f.click(&f.menu(), "SaveOrders"));
        const QString written = QDir(f.t.folder().ordersFolder())
                                    .filePath(QStringLiteral("KELVAR Orders 12-07-2026.123"));
        QCOMPARE(TestStore::contentsOf(written),
                 TestStore::contentsOf(TestStore::dataFile(QStringLiteral("road/orders.123"))));
    }
};

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    const qsizetype installed = arguments.indexOf(QStringLiteral("--installed"));
    if (installed > 0 && installed + 1 < arguments.size()) {
        installedFolder = arguments.at(installed + 1);
        arguments.remove(installed, 2);
    }
    TestRoad test;
    return QTest::qExec(&test, arguments);
}

#include "tst_road.moc"
