#include "AppFixture.h"
#include "AppWindows.h"
#include "ModalAnswerer.h"
#include "RealInput.h"
#include "common/QtDialogs.h"
#include "listing/OrderListingWindow.h"
#include "mainmenu/MainMenuWindow.h"
#include "orderentry/OrderEntryWindow.h"
#include "platform/ProgramFiles.h"
#include "store/OrderRepository.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <qpa/qwindowsysteminterface.h>

using namespace vf;
using namespace vf::test;

namespace {

// Set by --installed DIR: the folder of an installed program, whose reader the road uses.
QString installedFolder;

QWidget* focused()
{
    return QApplication::focusWidget();
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), Qt::Key(key), modifiers);
}

void typeAndEnter(const QString& text)
{
    QTest::keyClicks(focused(), text);
    press(Qt::Key_Return);
}

// When a message closes, the window manager gives the window under it the focus again; the
// offscreen platform of the tests has none to do so.
[[nodiscard]] bool windowSystemActivates(QWidget* window)
{
    VF_CHECK(QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }));
    if (!QApplication::activeWindow())
        QWindowSystemInterface::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(
            window->windowHandle());
    return true;
}

// Tab until the control of that name has the focus (at most a window's worth of controls);
// Ctrl+Tab out of a grid, where Tab moves between the cells.
[[nodiscard]] bool tabTo(const char* name)
{
    for (int i = 0; i < 80 && focused(); ++i) {
        if (focused()->objectName() == QLatin1String(name))
            return true;
        const bool grid = qobject_cast<QAbstractItemView*>(focused());
        press(Qt::Key_Tab, grid ? Qt::ControlModifier : Qt::NoModifier);
    }
    return false;
}

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
                context.readerPath = readerPathIn(installedFolder);
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

    // The same turn without the mouse: the empire typed, Update Data, three orders, Edit
    // Orders (a priority changed, a row deleted and brought back), Check Orders, Save Orders;
    // every message answered by Enter, as its default button offers.
    void aWholeTurnByKeyboardAlone()
    {
        Fixture f;
        QVERIFY(QFile::copy(TestStore::dataFile(QStringLiteral("123.mdb")),
                            f.t.folder().turnResultsFile(QStringLiteral("123"))));
        f.windows.reset();
        QtDialogs dialogs;
        AppContext context = f.contextWith(dialogs);
        AppWindows windows(context);
        windows.start();
        QStringList seen;
        const ModalAnswerer answer([&seen](QWidget* modal) {
            if (qobject_cast<QProgressDialog*>(modal))
                return; // the reading's progress (where it is slow enough to show): waited for
            auto* box = qobject_cast<QMessageBox*>(modal);
            seen << (box ? box->text().section(u'\n', 0, 0) : modal->windowTitle());
            QTest::keyClick(modal, Qt::Key_Return);
        });
        MainMenuWindow& menu = windows.mainMenu();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        QCOMPARE(focused()->objectName(), QStringLiteral("EmpireName"));
        typeAndEnter(QStringLiteral("sable concord"));
        QCOMPARE(context.currentEmpireId, 123);

        press(Qt::Key_U, Qt::AltModifier); // Update Data: the instructions, then all done
        QTRY_VERIFY_WITH_TIMEOUT(seen.contains(QStringLiteral("All done importing Empire data!")),
                                 60000);
        QCOMPARE(f.t.count(QStringLiteral("Fleets"), 123), 6);
        QVERIFY(windowSystemActivates(&menu));

        press(Qt::Key_E, Qt::AltModifier);
        OrderEntryWindow* entry = windows.orderEntry();
        QVERIFY(entry && QTest::qWaitForWindowActive(entry));
        for (const char* text :
             {"nm", "2", "Barnard's Star", "2", "mess", "77", "Greetings", "tree"})
            typeAndEnter(QString::fromUtf8(text));
        const OrderRepository orders(f.t.store());
        QCOMPARE(orders.count(123), 3);

        QVERIFY(tabTo("EditOrders"));
        press(Qt::Key_Space); // the listing, and its warning answered
        OrderListingWindow* listing = windows.orderListing();
        QVERIFY(listing);
        QTRY_VERIFY(seen.last().startsWith(QStringLiteral("<< WARNING >>")));
        QVERIFY(windowSystemActivates(listing));
        QTRY_VERIFY(focused() && focused()->objectName() == QStringLiteral("TDBGrid2"));
        // TREE (the third order) first: its priority typed in its Priority cell.
        auto* grid = qobject_cast<QTableView*>(focused());
        press(Qt::Key_Home, Qt::ControlModifier);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        QCOMPARE(grid->currentIndex().row(), 2);
        while (
            grid->model()->headerData(grid->currentIndex().column(), Qt::Horizontal).toString() !=
            QStringLiteral("Priority"))
            press(Qt::Key_Right);
        press(Qt::Key_F2);
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        typeAndEnter(QStringLiteral("5"));
        // The cell is written once the grid has closed its editor.
        QTRY_COMPARE(orders.ordersOf(123).first().code, QStringLiteral("TREE"));
        QCOMPARE(orders.ordersOf(123).first().priority, 5);
        // The MESS deleted, then brought back.
        press(Qt::Key_Up);
        press(Qt::Key_Space, Qt::ShiftModifier);
        press(Qt::Key_Delete);
        QCOMPARE(orders.count(123), 2);
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(orders.count(123), 3);

        QVERIFY(tabTo("CheckOrders"));
        press(Qt::Key_Space);
        QTRY_VERIFY(seen.last().contains(QStringLiteral("every one passed")));
        QVERIFY(windowSystemActivates(listing));

        QVERIFY(tabTo("BackToMainMenu"));
        press(Qt::Key_Space);
        QTRY_VERIFY(menu.isActiveWindow());
        press(Qt::Key_S, Qt::AltModifier); // how many orders; where the file is
        const QString written = QDir(f.t.folder().ordersFolder())
                                    .filePath(QStringLiteral("KELVAR Orders 12-07-2026.123"));
        QTRY_VERIFY(QFile::exists(written));
        const QByteArray file = TestStore::contentsOf(written);
        QVERIFY(file.indexOf("\"TREE\"") < file.indexOf("\"NM\""));
        QVERIFY(file.contains("\"MESS\",\"77\""));
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
