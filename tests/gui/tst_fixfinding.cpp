#include "AppWindowsFixture.h"
#include "ModalAnswerer.h"
#include "check/CheckOrdersWindow.h"
#include "listing/OrderListingWindow.h"
#include "listing/OrdersTableModel.h"
#include "store/OrderRepository.h"
#include "turnimport/TurnImporter.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace vf;
using namespace vf::test;

namespace {

QPoint rowPlace(QTableWidget& table, int row)
{
    return table.visualItemRect(table.item(row, 0)).center();
}

// Check Orders of empire 123 opened from the main menu, active.
CheckOrdersWindow* openCheck(AppWindowsFixture& f)
{
    if (f.menu().isVisible() && !QTest::qWaitForWindowActive(&f.menu()))
        return nullptr;
    QCoreApplication::processEvents();
    openCheckOrders(f.context, *f.windows, 123, &f.menu());
    auto* check = f.menu().findChild<CheckOrdersWindow*>(QStringLiteral("CheckOrders"));
    if (check && !QTest::qWaitForWindowActive(check))
        return nullptr;
    return check;
}

// Asks for the fix of the first finding as the player does.
void askForTheFix(CheckOrdersWindow& check, const QString& way)
{
    QTableWidget& table = check.findings();
    // The click on the window brings it to the front, as the window system does.
    check.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &check);
    if (way == QLatin1String("right mouse button")) {
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QTest::keyClick(menu, Qt::Key_X);
        });
        QTest::mouseClick(table.viewport(), Qt::RightButton, {}, rowPlace(table, 0));
        QContextMenuEvent event(QContextMenuEvent::Mouse, rowPlace(table, 0),
                                table.viewport()->mapToGlobal(rowPlace(table, 0)));
        QApplication::sendEvent(table.viewport(), &event);
        return;
    }
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, rowPlace(table, 0));
    if (way == QLatin1String("Enter"))
        QTest::keyClick(&table, Qt::Key_Return);
    else if (way == QLatin1String("Alt+X")) {
        QTest::keyClick(&table, Qt::Key_X, Qt::AltModifier);
    } else
        QTest::mouseClick(check.findChild<QPushButton*>(QStringLiteral("FixFinding")),
                          Qt::LeftButton);
}

QString slotOf(AppWindowsFixture& f, int slot)
{
    return OrderRepository(f.t.store()).ordersOf(123).value(0).slots[std::size_t(slot - 1)];
}

} // namespace

// Check Orders' Fix…: the turn data's choices for a finding's slot, picked by keyboard or
// mouse, stored at once and put back by Ctrl+Z.
class TestFixFinding : public QObject {
    Q_OBJECT
    using Fixture = AppWindowsFixture;

private Q_SLOTS:
    // A fleet renumbered by the next turn: its fix offers the fleet of the same name first;
    // Enter picks it, the finding goes at once, Ctrl+Z brings slot and finding back.
    void aRenumberedFleetIsFixedAndPutBack_data()
    {
        QTest::addColumn<QString>("way");
        for (const char* way : {"Enter", "Alt+X", "button", "right mouse button"})
            QTest::newRow(way) << QString::fromLatin1(way);
    }
    void aRenumberedFleetIsFixedAndPutBack()
    {
        QFETCH(QString, way);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(f.t.store())
            .append(123, QStringLiteral("MOVE"), TestStore::slots({"8", "Barnard's Star", "21"}));
        const QString next = f.t.fileWith(QStringLiteral("next.mdb"), TestStore::nextTurnOf123());
        TurnImporter(f.t.store(), TestStore::readerPath()).importFile(123, next);
        CheckOrdersWindow* check = openCheck(f);
        QVERIFY(check);
        QTableWidget& findings = check->findings();
        QCOMPARE(findings.rowCount(), 1);
        const QString problem = findings.item(0, 4)->text();
        QStringList offered;
        const ModalAnswerer answer([&offered](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("FixChoiceList"));
            for (int row = 0; list && row < list->count(); ++row)
                offered << list->item(row)->text();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        askForTheFix(*check, way);
        QTRY_COMPARE(slotOf(f, 1), QStringLiteral("31"));
        QCOMPARE(offered.value(0), QStringLiteral("Fleet # 31 Vanguard (same name)"));
        QCOMPARE(offered.value(1), QStringLiteral("Fleet # 3 Scout Wing"));
        QCOMPARE(findings.rowCount(), 0);
        QCOMPARE(slotOf(f, 2), QStringLiteral("Barnard's Star"));

        QTRY_COMPARE(QApplication::activeWindow(), check);
        QTest::keyClick(&findings, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(slotOf(f, 1), QStringLiteral("8"));
        QCOMPARE(findings.rowCount(), 1);
        QCOMPARE(findings.item(0, 4)->text(), problem);
        QVERIFY(f.dialogs.records().isEmpty());
        check->close();
    }

    // A star a letter off: once it is fixed, the warp point looked up at it is offered at once;
    // two Ctrl+Z put both back. Edit Orders, open meanwhile, follows.
    void theWarpPointIsOfferedAfterItsStar()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(f.t.store())
            .append(123, QStringLiteral("MOVE"), TestStore::slots({"44", "Barnards Star", "14"}));
        const QStringList before = f.t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
        f.dialogs.answerOk(); // Edit Orders' warning
        f.windows->openOrderListing(123);
        OrderListingWindow* listing = f.windows->orderListing();
        QVERIFY(listing);
        const auto listed = [listing](int slot) {
            return listing->model().orderAt(0).slots[std::size_t(slot - 1)];
        };
        CheckOrdersWindow* check = openCheck(f);
        QVERIFY(check);
        QCOMPARE(check->findings().rowCount(), 1);
        QStringList firsts;
        const ModalAnswerer answer([&firsts](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>(QStringLiteral("FixChoiceList"));
            firsts << (list ? list->item(0)->text() : QString());
            QTest::keyClick(modal, Qt::Key_Return);
        });
        askForTheFix(*check, QStringLiteral("Enter"));
        QTRY_COMPARE(slotOf(f, 3), QStringLiteral("22"));
        QCOMPARE(firsts, (QStringList{"Barnard's Star",
                                      "Warp Point # 22 to a star not explored yet (?7)"}));
        QCOMPARE(slotOf(f, 2), QStringLiteral("Barnard's Star"));
        QCOMPARE(check->findings().rowCount(), 0);
        // Edit Orders, open behind, shows what is stored now.
        QTRY_COMPARE(listed(2), QStringLiteral("Barnard's Star"));
        QTRY_COMPARE(listed(3), QStringLiteral("22"));
        QTRY_COMPARE(QApplication::activeWindow(), check);
        QTest::keyClick(&check->findings(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(slotOf(f, 3), QStringLiteral("14"));
        QTest::keyClick(&check->findings(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("*")), before);
        QTRY_COMPARE(listed(2), QStringLiteral("Barnards Star"));
        check->close();
    }

    // The slot changed by another window while the player picks: nothing is stored over it,
    // the player is told, and Ctrl+Z has nothing to put back.
    void aFixOverAChangeMadeMeanwhileIsNotStored()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        OrderRepository(f.t.store())
            .append(123, QStringLiteral("MOVE"), TestStore::slots({"99", "Barnard's Star", "21"}));
        CheckOrdersWindow* check = openCheck(f);
        QVERIFY(check);
        const ModalAnswerer answer([&f](QWidget* modal) {
            f.t.store().run(QStringLiteral("UPDATE Orders SET i1 = '98'"));
            QTest::keyClick(modal, Qt::Key_Return);
        });
        f.dialogs.answerOk();
        askForTheFix(*check, QStringLiteral("Enter"));
        QTRY_COMPARE(f.dialogs.records().size(), 1);
        QVERIFY(f.dialogs.last().request.text.startsWith(
            QStringLiteral("The order was changed or deleted meanwhile: nothing was stored.")));
        QCOMPARE(slotOf(f, 1), QStringLiteral("98"));
        QVERIFY(check->findings().item(0, 4)->text().contains(QStringLiteral("\"98\"")));
        QTRY_COMPARE(QApplication::activeWindow(), check);
        QTest::keyClick(&check->findings(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(slotOf(f, 1), QStringLiteral("98"));
        check->close();
    }

    // Escape leaves the order as it was; a finding with no fix says why on Fix…, and Enter on
    // it opens its order in Edit Orders.
    void nothingChangesWithoutAPick()
    {
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("MOVE"),
                      TestStore::slots({"99", "Barnard's Star", "21"}));
        orders.append(123, QStringLiteral("NM"), TestStore::slots({"12", "New Colony"}));
        f.t.store().run(QStringLiteral("UPDATE Orders SET Priority = 10"));
        const QStringList before = f.t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
        CheckOrdersWindow* check = openCheck(f);
        QVERIFY(check);
        QTableWidget& findings = check->findings();
        QCOMPARE(findings.rowCount(), 2);
        {
            const ModalAnswerer answer(
                [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
            askForTheFix(*check, QStringLiteral("Enter"));
        }
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("*")), before);
        QCOMPARE(findings.rowCount(), 2);

        findings.selectRow(1);
        QVERIFY(findings.item(1, 4)->text().startsWith(QStringLiteral("Priority 10")));
        f.dialogs.answerOk();
        QTest::mouseClick(check->findChild<QPushButton*>(QStringLiteral("FixFinding")),
                          Qt::LeftButton);
        QCOMPARE(f.dialogs.records().size(), 1);
        QVERIFY2(f.dialogs.last().request.text.startsWith(
                     QStringLiteral("No fix to pick. This finding is about the order as a "
                                    "whole")),
                 qPrintable(f.dialogs.last().request.text));
        f.dialogs.answerOk(); // Edit Orders' warning
        QTest::keyClick(&findings, Qt::Key_Return);
        QTRY_VERIFY(f.windows->orderListing() && f.windows->orderListing()->isVisible());
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("*")), before);
    }
};

QTEST_MAIN(TestFixFinding)
#include "tst_fixfinding.moc"
