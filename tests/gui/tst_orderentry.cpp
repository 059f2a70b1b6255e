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

// Entering an order on the form: the code chooser, the slots by key and mouse.
class TestOrderEntry : public QObject {
    Q_OBJECT
    using Fixture = OrderEntryFixture;

private Q_SLOTS:
    // Tab leaves the Order Code box, empty or not, for the next control that takes the focus
    // (the order description never keeps it); Shift+Tab comes back.
    // A screen reader names each slot box by its prompt (Qt's accessibility interface is what
    // it reads; on Linux a box that holds text is named by its text, as Qt does for every
    // combo box there); the chooser keeps its own name.
    // The chooser's list shows each code with its meaning, wide enough for the longest; a
    // code clicked there is the code alone in the box.
    void theCodeListShowsWhatEachCodeMeans()
    {
        QCOMPARE(catalogue::meaningOf(QStringLiteral("BI")), QStringLiteral("Build Item"));
        QCOMPARE(catalogue::meaningOf(QStringLiteral("XMOVE")),
                 QStringLiteral("Move to Warp Point"));
        QCOMPARE(catalogue::meaningOf(QStringLiteral("NOPE")), QString());
        Fixture f;
        f.open();
        f.chooser()->showPopup();
        QAbstractItemView* list = f.chooser()->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const QFontMetrics metrics = list->fontMetrics();
        QVERIFY(list->width() >
                metrics.horizontalAdvance(QStringLiteral("XCTRN Colonial Attrition Survey")));
        const QModelIndex bomb =
            list->model()->index(f.chooser()->findText(QStringLiteral("BOMB")), 0);
        list->scrollTo(bomb);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualRect(bomb).center());
        QCOMPARE(f.chooser()->currentText(), QStringLiteral("BOMB"));
    }

    // A word of a code's meaning typed in the box offers the codes below it, the box's text
    // as typed; Enter on text that is no code says so under the box.
    void aWordFindsItsCodes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("notice");     // as typed
        QTest::addColumn<QString>("code");       // after Enter
        QTest::addColumn<QString>("afterEnter"); // the notice then
        QTest::newRow("a code's beginning") << "bo"
                                            << ""
                                            << "BOMB"
                                            << "";
        const QString buildCodes = "Codes for \u201cBuild\u201d: BI (Build Item), EB (Edit Build), "
                                   "SHIP (Build Ship), XSHIP (Build Ship)";
        QTest::newRow("a word of meanings")
            << "build" << buildCodes << ""
            << "\u201cBuild\u201d is not an order code; choose one from the list. " + buildCodes;
        QTest::newRow("nothing") << "zzz"
                                 << ""
                                 << ""
                                 << "\u201czzz\u201d is not an order code; choose one from the "
                                    "list.";
    }
    void aWordFindsItsCodes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, notice);
        QFETCH(QString, code);
        QFETCH(QString, afterEnter);
        Fixture f;
        f.open();
        auto* line = f.window->findChild<QLabel*>(QStringLiteral("CodeNotice"));
        QTest::keyClicks(f.chooser(), typed);
        QCOMPARE(line->isVisible() ? line->text() : QString(), notice);
        QCOMPARE(f.chooser()->currentText().toLower(), typed == "bo" ? "bomb" : typed);
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QCOMPARE(f.chooser()->currentText(), code);
        QCOMPARE(line->isVisible() ? line->text() : QString(), afterEnter);
    }

    void slotBoxesAreNamedByTheirPrompts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("NM") << "nm" << QStringList{"Fleet #", "System Name", "Orbital Location"};
        QTest::newRow("BOMB") << "bomb"
                              << QStringList{"Fleet #", "Population Group #", "Item #1",
                                             "Quantity #1"};
    }
    void slotBoxesAreNamedByTheirPrompts()
    {
        QFETCH(QString, code);
        QFETCH(QStringList, names);
        Fixture f;
        f.open();
        QTest::keyClicks(f.chooser(), code);
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        for (qsizetype i = 0; i < names.size(); ++i) {
            QAccessibleInterface* box = QAccessible::queryAccessibleInterface(f.box(int(i) + 1));
            QVERIFY(box);
            QCOMPARE(box->text(QAccessible::Name), names[i]);
            // The prompt above it is not read a second time.
            QAccessibleInterface* prompt =
                QAccessible::queryAccessibleInterface(f.prompt(int(i) + 1));
            QVERIFY(prompt->state().invisible);
            QCOMPARE(prompt->text(QAccessible::Name), QString());
        }
        QCOMPARE(f.chooser()->accessibleName(), QStringLiteral("Order code"));
    }

    void tabLeavesTheEmptyChooserAndShiftTabReturns()
    {
        Fixture f;
        f.open();
        QCOMPARE(f.focused(), f.chooser());
        QTest::keyClick(f.focused(), Qt::Key_Tab);
        QWidget* next = f.focused();
        QVERIFY(next && next != f.chooser());
        QVERIFY(next != f.window->findChild<QWidget*>(QStringLiteral("Text1")));
        QTest::keyClick(next, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(f.focused(), f.chooser());
    }

    void theRoadOfOneOrderByKeyboard()
    {
        Fixture f;
        f.open();
        QCOMPARE(f.focused(), f.chooser());
        QTest::keyClick(f.chooser(), 'b');
        QCOMPARE(f.chooser()->currentText(), QStringLiteral("BALG"));
        QCOMPARE(f.chooser()->lineEdit()->selectedText(), QStringLiteral("ALG"));
        QTest::keyClick(f.chooser(), 'o');
        QCOMPARE(f.chooser()->currentText(), QStringLiteral("BOMB"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QCOMPARE(f.focused(), f.box(1));
        QCOMPARE(f.prompt(3)->text(), QStringLiteral("      Item #1   ----------------------->"));
        QCOMPARE(f.box(1)->count(), 6);
        QCOMPARE(f.box(49)->count(), 12);
        QTest::keyClick(f.box(1), '2');
        QCOMPARE(f.box(1)->currentText(), QStringLiteral("27 Tarsis Patrol"));
        for (int slot = 1; slot < 50; ++slot) {
            QCOMPARE(f.focused(), f.box(slot));
            QTest::keyClick(f.box(slot), Qt::Key_Return);
        }
        QCOMPARE(f.focused(), f.box(50));
        QCOMPARE(f.box(2)->count(), 1); // slot 2 offered ALL
        QTest::keyClick(f.box(50), Qt::Key_Return);
        QCOMPARE(f.stored().size(), 1);
        const Order order = f.stored().at(0);
        QCOMPARE(order.code, QStringLiteral("BOMB"));
        QCOMPARE(order.priority, 10);
        QCOMPARE(order.slots[0], QStringLiteral("27"));
        for (int k = 1; k < kSlotCount; ++k)
            QCOMPARE(order.slots[k], QStringLiteral(" "));
        QCOMPARE(f.focused(), f.chooser());
        QCOMPARE(f.chooser()->currentText(), QString());
        QVERIFY(f.box(1)->isHidden());
        QCOMPARE(f.window->grid().rowCount(), 1);

        for (char c : {'t', 'r', 'e'})
            QTest::keyClick(f.chooser(), c);
        QCOMPARE(f.chooser()->currentText(), QStringLiteral("TREE"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QCOMPARE(f.stored().size(), 2);
        QCOMPARE(f.stored().at(1).priority, 20);
        QCOMPARE(f.window->grid().rowCount(), 2);
        QVERIFY(f.dialogs.records().isEmpty());
    }

    void aKeyThatContinuesNothingIsTyped()
    {
        Fixture f;
        f.open();
        QTest::keyClick(f.chooser(), '7');
        QCOMPARE(f.chooser()->currentText(), QStringLiteral("7"));
        f.chooser()->lineEdit()->clear();
        QTest::keyClicks(f.chooser(), QStringLiteral("RTL"));
        QCOMPARE(f.chooser()->currentText(), QStringLiteral("RTL"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QCOMPARE(f.stored().size(), 1);
        QCOMPARE(f.stored().at(0).code, QStringLiteral("RTL"));
    }

    void typeAheadOnlyInTheFirstTwoSlots()
    {
        Fixture f;
        f.open();
        QTest::keyClicks(f.chooser(), QStringLiteral("MO"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QTest::keyClick(f.box(1), Qt::Key_Return);
        QTest::keyClick(f.box(2), 'b');
        QCOMPARE(f.box(2)->currentText(), QStringLiteral("Barnard's Star"));
        QTest::keyClick(f.box(2), Qt::Key_Return);
        QCOMPARE(f.focused(), f.box(3));
        QCOMPARE(f.box(3)->count(), 2);
        QTest::keyClick(f.box(3), '2');
        QCOMPARE(f.box(3)->currentText(), QStringLiteral("2")); // typed, not completed
        QCOMPARE(f.window->form().selectedEntry(3), -1);
    }

    void typedTextOfAnEntryIsNotAPick()
    {
        Fixture f;
        f.open();
        QTest::keyClicks(f.chooser(), QStringLiteral("NM"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        f.box(1)->lineEdit()->setText(QStringLiteral("12 Home Guard"));
        f.box(2)->setFocus(Qt::TabFocusReason);
        QCOMPARE(f.window->form().selectedEntry(1), -1);
        f.box(1)->setFocus(Qt::TabFocusReason);
        f.box(1)->setCurrentIndex(0);
        f.box(1)->lineEdit()->setText(QStringLiteral("12 Home"));
        QCOMPARE(f.window->form().selectedEntry(1), -1);
    }

    void pickingAnEntryFromTheList()
    {
        Fixture f;
        f.open();
        QTest::keyClicks(f.chooser(), QStringLiteral("DEC"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QCOMPARE(f.box(1)->itemText(1), QStringLiteral("HOME"));
        f.box(1)->setCurrentIndex(3);
        Q_EMIT f.box(1)->activated(3);
        QCOMPARE(f.focused(), f.box(1)); // the list's own focus change builds nothing anew
        QCOMPARE(f.window->form().selectedEntry(1), 3);
        QTest::keyClick(f.box(1), Qt::Key_Return);
        QCOMPARE(f.stored().at(0).slots[0], QStringLiteral("3"));
    }

    void saveOrderButton()
    {
        Fixture f;
        f.open();
        f.dialogs.answerOk();
        QTest::mouseClick(f.window->findChild<QPushButton*>(QStringLiteral("SaveOrder")),
                          Qt::LeftButton);
        QCOMPARE(f.dialogs.texts(),
                 QStringList{"You need to enter an Order Code before saving this order"});
        QCOMPARE(f.dialogs.last().request.title, QStringLiteral("Imperial Advisor Report"));
        QCOMPARE(f.dialogs.last().request.icon, DialogIcon::Warning);
        f.dialogs.clear();
        QTest::keyClicks(f.chooser(), QStringLiteral("BI"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        f.dialogs.answerOk();
        QTest::mouseClick(f.window->findChild<QPushButton*>(QStringLiteral("SaveOrder")),
                          Qt::LeftButton);
        QCOMPARE(f.dialogs.last().request.title, QString()); // the application's title
        QCOMPARE(f.dialogs.last().request.icon, DialogIcon::None);
        QCOMPARE(f.stored().size(), 0);
        QCOMPARE(f.box(3)->currentText(), QStringLiteral(" "));
    }

    void theDescriptionLineHandsTheFocusOn()
    {
        Fixture f;
        f.open();
        auto* description = f.window->findChild<QLineEdit*>(QStringLiteral("Text1"));
        description->setFocus(Qt::MouseFocusReason);
        QCOMPARE(f.focused(), f.chooser());
    }

    void messageTemplatesShowOnlyForMess()
    {
        Fixture f;
        f.open();
        auto* templates = f.window->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
        QVERIFY(templates->isHidden());
        QTest::keyClicks(f.chooser(), QStringLiteral("ME"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QVERIFY(!templates->isHidden());
        QVERIFY(templates->toPlainText().startsWith(QStringLiteral("1  Greetings!")));
        QCOMPARE(f.box(2)->count(), 3);
        f.chooser()->lineEdit()->clear();
        QTest::keyClicks(f.chooser(), QStringLiteral("NM"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QVERIFY(templates->isHidden());
        // A MESS order stored: the form is emptied, and the templates go with it.
        f.chooser()->lineEdit()->clear();
        QTest::keyClicks(f.chooser(), QStringLiteral("ME"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QTest::keyClicks(f.box(1), QStringLiteral("77"));
        QTest::keyClick(f.box(1), Qt::Key_Return);
        QTest::keyClicks(f.box(2), QStringLiteral("1"));
        QTest::mouseClick(f.window->findChild<QPushButton*>(QStringLiteral("SaveOrder")),
                          Qt::LeftButton);
        QCOMPARE(f.stored().size(), 1);
        QVERIFY(templates->isHidden());
    }

    void theWheelNeverChangesAPickOrTheCode()
    {
        Fixture f(800, 600);
        f.open();
        QTest::keyClicks(f.chooser(), QStringLiteral("bo"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QTest::keyClick(f.box(1), '2');
        QCOMPARE(f.box(1)->currentText(), QStringLiteral("27 Tarsis Patrol"));
        QTest::keyClick(f.box(1), Qt::Key_Return);
        const auto picks = [&f] {
            QStringList all{f.chooser()->currentText()};
            for (int slot = 1; slot <= 51; ++slot)
                all << QStringLiteral("%1:%2")
                           .arg(f.box(slot)->currentIndex())
                           .arg(f.box(slot)->currentText());
            return all;
        };
        const QStringList before = picks();
        QScrollBar* scroll = f.window->findChild<QScrollArea*>()->verticalScrollBar();
        QVERIFY2(scroll->maximum() > 0, "the narrow window should scroll");
        const int top = scroll->value();
        QWidget* focusBefore = QApplication::focusWidget();
        wheelOver(f.box(1), -120);
        QVERIFY2(scroll->value() > top, "the wheel should scroll the form");
        // Over the box that holds the pick, another box, and the chooser, each notch as the
        // window system delivers it: scrolling may bring another box under the pointer.
        for (QComboBox* box : {f.box(1), f.box(9), f.chooser()}) {
            for (const int notch : {-120, 120, -120}) {
                f.window->findChild<QScrollArea*>()->ensureWidgetVisible(box);
                wheelOver(box, notch);
                QCOMPARE(QApplication::focusWidget(), focusBefore);
            }
        }
        QCOMPARE(picks(), before);
        QVERIFY(f.stored().isEmpty());
    }

    void pastedLineBreaksBecomeBlanks()
    {
        Fixture f;
        f.open();
        QTest::keyClicks(f.chooser(), QStringLiteral("MESS"));
        QTest::keyClick(f.chooser(), Qt::Key_Return);
        QGuiApplication::clipboard()->setText(QStringLiteral("Hail\r\nthe\tfleet\nnow\rand") +
                                              QChar(0) + QStringLiteral("ever"));
        QTest::keySequence(f.focused(), QKeySequence::Paste);
        QComboBox* box = qobject_cast<QComboBox*>(f.focused());
        QVERIFY(box);
        QCOMPARE(box->currentText(), QStringLiteral("Hail  the fleet now and ever"));
        QTest::keySequence(f.chooser(), QKeySequence::Paste);
        QVERIFY(!f.chooser()->currentText().contains(QLatin1Char('\n')));
    }
};

QTEST_MAIN(TestOrderEntry)
#include "tst_orderentry.moc"
