#include "GridChecks.h"
#include "OrderEntryFixture.h"
#include "RealInput.h"
#include "common/Twips.h"
#include "orderentry/OrderEntryWindow.h"
#include "orderentry/OrdersGridModel.h"
#include "orderentry/WidgetOrderForm.h"
#include "orders/OrderCatalogue.h"
#include "store/OrderRepository.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QWheelEvent>

using namespace vf;
using namespace vf::test;

// The order entry window's layout by screen width, its grid of stored orders and its
// buttons.
class TestOrderEntryLayout : public QObject {
    Q_OBJECT
    using Fixture = OrderEntryFixture;

private Q_SLOTS:
    void layoutsByScreenWidth_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("windowWidth"); // pixels
        QTest::addColumn<int>("slot3Left");
        QTest::addColumn<int>("boxWidth");
        QTest::addColumn<int>("buttonsAtOpen");
        QTest::addColumn<int>("buttonsAfterCode");
        // A small screen's whole width (its frame aside): the compact placement reaches 11760
        // twips, more than the designed 9000; else as wide as the boxes and the buttons reach,
        // within the screen.
        QTest::newRow("800") << 800 << 784 << 60 << 1800 << 4920 << 4920;
        QTest::newRow("900") << 900 << 884 << 60 << 1800 << 7200 << 4920;
        QTest::newRow("1024") << 1024 << twips(14000) << 360 << 2100 << 7200 << 7200;
    }
    void layoutsByScreenWidth()
    {
        QFETCH(int, screen);
        QFETCH(int, windowWidth);
        QFETCH(int, slot3Left);
        QFETCH(int, boxWidth);
        QFETCH(int, buttonsAtOpen);
        QFETCH(int, buttonsAfterCode);
        Fixture f(screen);
        f.open();
        QVERIFY(qAbs(f.window->width() - windowWidth) <= 24);
        auto* mainMenu = f.window->findChild<QPushButton*>(QStringLiteral("MainMenu"));
        QCOMPARE(mainMenu->x(), twips(buttonsAtOpen));
        QTest::keyClicks(f.chooser(), QStringLiteral("BO"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QCOMPARE(f.box(3)->geometry(),
                 QRect(twips(slot3Left), twips(1920), twips(boxWidth), twips(315)));
        QCOMPARE(f.prompt(3)->geometry().top(), twips(1680));
        QCOMPARE(f.box(51)->x(), twips(slot3Left));
        QCOMPARE(f.box(51)->y(), twips(7680));
        QCOMPARE(mainMenu->x(), twips(buttonsAfterCode));
        QCOMPARE(f.window->findChild<QPushButton*>(QStringLiteral("SaveOrder"))->x(),
                 twips(buttonsAfterCode + 4560));
    }

    void theGridShowsTheEmpiresOrders()
    {
        Fixture f;
        std::array<QString, kSlotCount> slots;
        slots.fill(QStringLiteral(" "));
        const OrderRepository orders(f.t.store());
        orders.append(123, QStringLiteral("NM"), slots);
        orders.append(123, QStringLiteral("TREE"), slots);
        orders.append(456, QStringLiteral("RTD"), slots);
        f.t.store().run(QStringLiteral("UPDATE Orders SET Priority = 5 WHERE OrderCode = 'TREE'"));
        f.open();
        auto* grid = f.window->findChild<QTableView*>(QStringLiteral("TDBGrid1"));
        QVERIFY(grid);
        QAbstractItemModel* model = grid->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->columnCount(), 53);
        QCOMPARE(model->data(model->index(0, 1)).toString(), QStringLiteral("TREE"));
        QCOMPARE(model->data(model->index(1, 0)).toInt(), 10);
        QVERIFY(model->data(model->index(0, 0), Qt::FontRole).value<QFont>().italic());
        QVERIFY(model->data(model->index(0, 1), Qt::FontRole).value<QFont>().bold());
        QCOMPARE(model->data(model->index(0, 1), Qt::ForegroundRole).value<QColor>(),
                 QColor(65, 197, 27));
        QVERIFY(grid->columnWidth(0) >= twips(600));
        QCOMPARE(grid->columnWidth(5), twips(700));
    }

    // A screen reader reads each code of the open list with its meaning, as it is drawn; the
    // box still holds the code alone.
    void theCodeListTellsEachMeaning_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("read");
        QTest::newRow("a battle plan") << "ABP"
                                       << "ABP, Army Battle Plan";
        QTest::newRow("a move") << "MOVE"
                                << "MOVE, Move to Warp Point";
    }
    void theCodeListTellsEachMeaning()
    {
        QFETCH(QString, code);
        QFETCH(QString, read);
        Fixture f;
        f.open();
        QComboBox* chooser = f.chooser();
        const int row = chooser->findText(code);
        QVERIFY(row >= 0);
        chooser->showPopup();
        QAbstractItemView* list = chooser->view();
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
        QVERIFY(table && table->tableInterface());
        QAccessibleInterface* cell = table->tableInterface()->cellAt(row, 0);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), read);
        chooser->hidePopup();
        QCOMPARE(chooser->itemText(row), code);
    }

    // A larger window gives its room to the grid, and the grid shows the order just stored
    // however many there are.
    void theGridGrowsWithTheWindowAndShowsTheOrderJustStored()
    {
        Fixture f(1280, 1024);
        for (int n = 0; n < 30; ++n)
            OrderRepository(f.t.store()).append(123, QStringLiteral("TREE"), TestStore::slots());
        f.open();
        auto* grid = f.window->findChild<QTableView*>(QStringLiteral("TDBGrid1"));
        const int designedHeight = grid->height();
        f.window->resize(f.window->width() + 100, f.window->height() + 200);
        QTRY_COMPARE(grid->height(), designedHeight + 200);
        auto* area = f.window->findChild<QScrollArea*>();
        QVERIFY(!area->verticalScrollBar()->isVisible());
        QCOMPARE(grid->geometry().right() + 1 + twips(185), area->widget()->width());
        QTest::keyClicks(f.chooser(), QStringLiteral("TREE"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QCOMPARE(f.stored().size(), 31);
        const QModelIndex last = grid->model()->index(30, 0);
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(last)));
    }

    void gridColumnsShowTheirHeaderAndEveryCodeWhole_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("100%") << 1.0;
        QTest::newRow("200%") << 2.0;
    }
    void gridColumnsShowTheirHeaderAndEveryCodeWhole()
    {
        QFETCH(double, scale);
        const ScaledFont font(scale);
        Fixture f;
        f.open();
        auto* grid = f.window->findChild<QTableView*>(QStringLiteral("TDBGrid1"));
        QFont bold = grid->font();
        bold.setBold(true);
        QVERIFY(showsWhole(*grid, 0, bold, false));
        QVERIFY(showsWhole(*grid, 1, bold, true));
    }

    void buttonsLeadAway()
    {
        Fixture f;
        f.open();
        QTest::mouseClick(f.window->findChild<QPushButton*>(QStringLiteral("EditOrders")),
                          Qt::LeftButton);
        QTest::mouseClick(f.window->findChild<QPushButton*>(QStringLiteral("MainMenu")),
                          Qt::LeftButton);
        QCOMPARE(f.navigator.calls, (QStringList{"listing 123", "main menu"}));
    }
};

QTEST_MAIN(TestOrderEntryLayout)
#include "tst_orderentrylayout.moc"
