#include "AppFixture.h"
#include "GridChecks.h"
#include "ModalAnswerer.h"
#include "RealInput.h"
#include "check/CheckOrdersWindow.h"
#include "common/Twips.h"
#include "listing/OrderListingWindow.h"
#include "listing/OrdersTableModel.h"
#include "mainmenu/SaveOrdersDialogue.h"
#include "store/OrderRepository.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>

using namespace vf;
using namespace vf::test;

class TestListing : public QObject {
    Q_OBJECT

    struct Fixture : AppFixture {
        std::unique_ptr<OrderListingWindow> window;

        explicit Fixture(int screenWidth = 1024)
            : AppFixture(screenWidth, 900)
        {
            t.addEmpire(123, QStringLiteral("Sable Concord"));
            std::array<QString, kSlotCount> slots;
            slots.fill(QStringLiteral(" "));
            const OrderRepository orders(t.store());
            for (const char* code : {"NM", "BOMB", "TREE"}) {
                slots[0] = QString::fromLatin1(code).toLower();
                orders.append(123, QString::fromLatin1(code), slots);
            }
            orders.append(456, QStringLiteral("MESS"), slots);
            window = std::make_unique<OrderListingWindow>(context, navigator, 123);
            window->show();
        }
        QTableView& grid() { return window->grid(); }
        OrdersTableModel& model() { return window->model(); }
        QStringList codes()
        {
            QStringList list;
            for (int row = 0; row < model().rowCount(); ++row)
                list << model().data(model().index(row, model().codeColumn())).toString();
            return list;
        }
        bool edit(int row, int column, const QVariant& value)
        {
            return model().setData(model().index(row, column), value);
        }
        void click(const QString& name)
        {
            QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton);
        }
    };

private Q_SLOTS:
    void showsTheEmpiresOrdersByPriority()
    {
        Fixture f;
        QCOMPARE(f.window->objectName(), QStringLiteral("Form3"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Edit Orders"));
        QCOMPARE(f.codes(), (QStringList{"NM", "BOMB", "TREE"}));
        int shown = 0;
        for (int column = 0; column < f.model().columnCount(); ++column)
            shown += f.grid().isColumnHidden(column) ? 0 : 1;
        QCOMPARE(shown, 53); // Priority, Order and the 51 slots
        QVERIFY(f.grid().isColumnHidden(f.model().fieldIndex(QStringLiteral("EmpireID"))));
        QVERIFY(f.grid().isColumnHidden(f.model().fieldIndex(QStringLiteral("OrderID"))));
        QCOMPARE(f.model()
                     .headerData(f.model().codeColumn(), Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("Order"));
        QCOMPARE(f.model()
                     .headerData(f.model().priorityColumn(), Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("Priority"));
        QCOMPARE(f.model()
                     .headerData(f.model().firstSlotColumn(), Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QString());
        QVERIFY(f.grid().columnWidth(f.model().priorityColumn()) >= twips(600));
        QVERIFY(f.grid().columnWidth(f.model().codeColumn()) >= twips(800));
        QCOMPARE(f.grid().columnWidth(f.model().firstSlotColumn() + 50), twips(1300));
        QCOMPARE(f.grid().verticalHeader()->defaultSectionSize(), twips(600));
        const QModelIndex code = f.model().index(0, f.model().codeColumn());
        QVERIFY(f.model().data(code, Qt::FontRole).value<QFont>().bold());
        QCOMPARE(f.model().data(code, Qt::ForegroundRole).value<QColor>().rgb(),
                 QColor(65, 197, 27).rgb());
        QCOMPARE(f.grid().geometry(), QRect(twips(120), twips(480), twips(15050), twips(10100)));
        QCOMPARE(f.window->findChild<QPushButton*>(QStringLiteral("RefreshGrid"))->text(),
                 QStringLiteral("Refresh Order Listing"));
    }

    void columnsShowTheirHeaderAndEveryCodeWhole_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("200%") << 2.0;
    }
    void columnsShowTheirHeaderAndEveryCodeWhole()
    {
        QFETCH(double, scale);
        const ScaledFont font(scale);
        Fixture f;
        QFont bold = f.grid().font();
        bold.setBold(true);
        QVERIFY(showsWhole(f.grid(), f.model().priorityColumn(), bold, false));
        QVERIFY(showsWhole(f.grid(), f.model().codeColumn(), bold, true));
    }

    // The narrow grid is wider than the designed window: the window takes the screen's width.
    void aNarrowScreenKeepsTheDesignedGridInTheScreensWidth()
    {
        Fixture f(800);
        QCOMPARE(f.grid().geometry(), QRect(twips(120), twips(480), twips(11655), twips(7485)));
        QCOMPARE(f.window->width(), 800 - 16);
    }

    void aChangedPriorityMovesTheOrderOnRefresh()
    {
        Fixture f;
        QVERIFY(f.edit(2, f.model().priorityColumn(), QStringLiteral("15")));
        QTest::qWait(100); // the store tells the windows of the change; this one shows it
        QCOMPARE(f.codes(),
                 (QStringList{"NM", "BOMB", "TREE"})); // stored at once, sorted on refresh
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("Priority")),
                 (QStringList{"10", "20", "15", "10"}));
        f.click(QStringLiteral("RefreshGrid"));
        QCOMPARE(f.codes(), (QStringList{"NM", "TREE", "BOMB"}));
    }

    void aPriorityThatIsNoWholeNumberIsRefused_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("word") << "abc";
        QTest::newRow("trailing letters") << "15x";
        QTest::newRow("fraction") << "1.5";
        QTest::newRow("empty") << "";
    }
    void aPriorityThatIsNoWholeNumberIsRefused()
    {
        QFETCH(QString, value);
        Fixture f;
        f.dialogs.answerOk();
        QVERIFY(!f.edit(1, f.model().priorityColumn(), value));
        QCOMPARE(f.dialogs.records().size(), 1);
        QVERIFY(f.dialogs.last().request.text.contains(QStringLiteral("whole number")));
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("Priority")),
                 (QStringList{"10", "20", "30", "10"}));
        QCOMPARE(f.model().data(f.model().index(1, f.model().priorityColumn())).toInt(), 20);
    }

    void aSlotEditedToNothingIsZeroLengthText()
    {
        Fixture f;
        QVERIFY(f.edit(0, f.model().firstSlotColumn(), QString()));
        QVERIFY(f.edit(1, f.model().firstSlotColumn() + 1, QStringLiteral("Sol")));
        QCOMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("quote(i1), i2")).mid(0, 2),
                 (QStringList{"''| ", "'bomb'|Sol"}));
    }

    void openEditorsTakeNeitherTheWheelNorLineBreaks()
    {
        Fixture f;
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        const auto openEditor = [&f](int row, int column) {
            const QRect cell = f.grid().visualRect(f.model().index(row, column));
            QTest::mouseClick(f.grid().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
            QTest::keyClick(&f.grid(), Qt::Key_F2);
            return qobject_cast<QLineEdit*>(QApplication::focusWidget());
        };
        QLineEdit* priority = openEditor(1, f.model().priorityColumn());
        QVERIFY(priority);
        // Over the open cell and over another row, as the window system delivers the wheel:
        // the cell keeps the focus and what it holds.
        const auto otherCell = [&f] {
            auto* cell = new QWidget(f.grid().viewport());
            cell->setGeometry(f.grid().visualRect(f.model().index(0, 0)));
            cell->setAttribute(Qt::WA_TransparentForMouseEvents);
            return cell;
        };
        QWidget* elsewhere = otherCell();
        for (QWidget* under : {static_cast<QWidget*>(priority), elsewhere}) {
            for (const int notch : {120, 120, -120}) {
                wheelOver(under, notch);
                QCOMPARE(QApplication::focusWidget(), priority);
            }
        }
        delete elsewhere;
        QCOMPARE(priority->text(), QStringLiteral("20"));
        QTest::keyClick(priority, Qt::Key_Return); // the editor commits from the event loop
        QTRY_VERIFY(QApplication::focusWidget() == &f.grid());

        QLineEdit* slot = openEditor(0, f.model().firstSlotColumn() + 1);
        QVERIFY(slot);
        slot->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("Sol\r\nVega\tX"));
        QTest::keySequence(slot, QKeySequence::Paste);
        QTest::keyClick(slot, Qt::Key_Return); // the editor commits from the event loop
        QTRY_COMPARE(f.t.dump(QStringLiteral("Orders"), QStringLiteral("Priority, i2")).mid(0, 2),
                     (QStringList{"10|Sol  Vega X", "20| "}));
    }

    // An order changed in the listing skips every check of storing: Check Orders finds what
    // the change broke, and a double click on the finding, or Enter and then "Open in Edit
    // Orders" among its fixes, shows that order's row.
    void checkOrdersFindsWhatAnEditBroke_data()
    {
        QTest::addColumn<bool>("byKeyboard");
        QTest::newRow("double click") << false;
        QTest::newRow("Enter, Alt+E") << true;
    }
    void checkOrdersFindsWhatAnEditBroke()
    {
        QFETCH(bool, byKeyboard);
        Fixture f;
        f.t.importFixture(QStringLiteral("123.mdb"), 123);
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("MOVE"),
                      TestStore::slots({"27", "Barnard's Star", "21"}));
        f.model().refresh();
        const int moveRow = 3;
        QCOMPARE(f.codes().at(moveRow), QStringLiteral("MOVE"));
        QVERIFY(f.edit(moveRow, f.model().firstSlotColumn(), QStringLiteral("99")));
        f.click(QStringLiteral("CheckOrders"));
        auto* window = qobject_cast<CheckOrdersWindow*>([] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->objectName() == QLatin1String("CheckOrders") && top->isVisible())
                    return top;
            }
            return static_cast<QWidget*>(nullptr);
        }());
        QVERIFY(window);
        QTableWidget& findings = window->findings();
        int row = -1;
        for (int r = 0; r < findings.rowCount(); ++r) {
            if (findings.item(r, 1)->text() == QLatin1String("MOVE"))
                row = r;
        }
        QVERIFY(row >= 0);
        QCOMPARE(findings.item(row, 2)->text(), QStringLiteral("1"));
        QVERIFY(findings.item(row, 4)->text().startsWith(
            QStringLiteral("Fleet # \"99\" is not in the turn data imported on ")));
        const qint64 moveId = orders.ordersOf(123).last().id;
        if (byKeyboard) {
            findings.setFocus();
            findings.selectRow(row);
            const ModalAnswerer answer(
                [](QWidget* modal) { QTest::keyClick(modal, Qt::Key_E, Qt::AltModifier); });
            QTest::keyClick(&findings, Qt::Key_Return);
        } else {
            // A double click as the mouse makes it: a click, then the second press.
            const QPoint cell = findings.visualItemRect(findings.item(row, 1)).center();
            QTest::mouseClick(findings.viewport(), Qt::LeftButton, Qt::NoModifier, cell);
            QTest::mouseDClick(findings.viewport(), Qt::LeftButton, Qt::NoModifier, cell);
        }
        QVERIFY(!f.navigator.calls.isEmpty());
        QCOMPARE(f.navigator.calls.last(), QStringLiteral("listing 123 at order %1").arg(moveId));
    }

    // Ctrl+Z brings back the orders deleted last in this visit, one deletion at a time, with
    // their priorities and their places among orders of equal priority.
    void ctrlZBringsDeletedOrdersBack()
    {
        Fixture f;
        const QStringList before = f.t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
        f.grid().selectRow(1);
        QTest::keyClick(&f.grid(), Qt::Key_Delete);
        f.grid().selectRow(0);
        QTest::keyClick(&f.grid(), Qt::Key_Delete);
        QCOMPARE(f.codes(), QStringList{"TREE"});
        QTest::keyClick(&f.grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.codes(), (QStringList{"NM", "TREE"}));
        QTest::keyClick(&f.grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.codes(), (QStringList{"NM", "BOMB", "TREE"}));
        QTest::keyClick(&f.grid(), Qt::Key_Z, Qt::ControlModifier); // nothing more to undo
        QStringList after = f.t.dump(QStringLiteral("Orders"), QStringLiteral("*"));
        after.sort();
        QStringList expected = before;
        expected.sort();
        QCOMPARE(after, expected);
    }

    void selectingAnOrderSelectsItsRow()
    {
        Fixture f;
        const qint64 bomb = OrderRepository(f.t.store()).ordersOf(123).at(1).id;
        f.window->selectOrder(bomb);
        QCOMPARE(f.grid().selectionModel()->selectedRows().size(), 1);
        QCOMPARE(f.grid().selectionModel()->selectedRows().first().row(), 1);
    }

    // By keys alone: a row chosen with the arrows and selected with Shift+Space, deleted
    // with Delete and brought back with Ctrl+Z; Ctrl+Tab leaves the grid for the buttons
    // after it, Ctrl+Shift+Tab comes back (Tab moves between cells).
    void theKeyboardSelectsDeletesAndLeavesTheGrid()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.grid().setFocus(Qt::TabFocusReason);
        f.grid().setCurrentIndex(f.model().index(0, f.model().codeColumn()));
        QTest::keyClick(&f.grid(), Qt::Key_Down);
        QTest::keyClick(&f.grid(), Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(f.grid().selectionModel()->selectedRows().size(), 1);
        QTest::keyClick(&f.grid(), Qt::Key_Delete);
        QCOMPARE(f.codes(), (QStringList{"NM", "TREE"}));
        QTest::keyClick(&f.grid(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.codes(), (QStringList{"NM", "BOMB", "TREE"}));

        QTest::keyClick(&f.grid(), Qt::Key_Tab, Qt::ControlModifier);
        QWidget* after = QApplication::focusWidget();
        QVERIFY(after && after != &f.grid());
        QVERIFY(qobject_cast<QAbstractButton*>(after));
        QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), &f.grid());
        // Every button is reached by Tab from there.
        QStringList reached;
        QWidget* focus = after;
        for (int i = 0; i < 10 && focus && focus != &f.grid(); ++i) {
            reached << focus->objectName();
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
        }
        for (const char* button : {"RefreshGrid", "CheckOrders", "BackToOrders", "BackToMainMenu"})
            QVERIFY2(reached.contains(QLatin1String(button)), qPrintable(reached.join(u' ')));
    }

    void deletingARowRemovesTheOrder()
    {
        Fixture f;
        f.grid().selectRow(1);
        QTest::keyClick(&f.grid(), Qt::Key_Delete);
        QCOMPARE(f.codes(), (QStringList{"NM", "TREE"}));
        QCOMPARE(OrderRepository(f.t.store()).count(123), 2);
        QCOMPARE(OrderRepository(f.t.store()).count(456), 1);
        f.dialogs.answer(DialogAnswer::SaveAnyway); // no turn data: the fleet is unknown
        f.dialogs.answerOk(2);
        runSaveOrdersDialogue(f.context, 123);
        QFile file(QDir(f.t.folder().ordersFolder())
                       .filePath(QStringLiteral("KELVAR Orders 12-07-2026.123")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        QVERIFY(written.contains("\"NM\""));
        QVERIFY(!written.contains("\"BOMB\""));
    }

    void deleteWithoutAWholeRowSelectedDoesNothing()
    {
        Fixture f;
        f.grid().setCurrentIndex(f.model().index(1, f.model().firstSlotColumn()));
        QTest::keyClick(&f.grid(), Qt::Key_Delete);
        QCOMPARE(f.codes().size(), 3);
    }

    void twoIdenticalOrdersAreDeletedOneAtATime()
    {
        Fixture f;
        f.t.store().run(
            QStringLiteral("UPDATE Orders SET Priority = 10, OrderCode = 'NM', i1 = 'nm'"));
        f.click(QStringLiteral("RefreshGrid"));
        f.grid().selectRow(0);
        QTest::keyClick(&f.grid(), Qt::Key_Delete);
        QCOMPARE(OrderRepository(f.t.store()).count(123), 2);
    }

    void theGridOffersNoNewRows()
    {
        Fixture f;
        QCOMPARE(f.model().rowCount(), 3);
        QTest::keyClick(&f.grid(), Qt::Key_Down);
        QTest::keyClick(&f.grid(), Qt::Key_Down);
        QTest::keyClick(&f.grid(), Qt::Key_Down);
        QCOMPARE(f.model().rowCount(), 3);
    }

    void buttonsLeadAway()
    {
        Fixture f;
        f.click(QStringLiteral("BackToOrders"));
        f.click(QStringLiteral("BackToMainMenu"));
        QCOMPARE(f.navigator.calls, (QStringList{"entry 123", "main menu"}));
    }
};

QTEST_MAIN(TestListing)
#include "tst_listing.moc"
