#pragma once

#include "AppFixture.h"
#include "orderentry/OrderEntryWindow.h"
#include "store/OrderRepository.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <memory>

namespace vf::test {

// The order entry window of empire 123 (its turn data from 123.mdb), and its boxes by slot.
struct OrderEntryFixture : AppFixture {
    std::unique_ptr<OrderEntryWindow> window;

    explicit OrderEntryFixture(int screenWidth = 1024, int screenHeight = 768)
        : AppFixture(screenWidth, screenHeight)
    {
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.importFixture(QStringLiteral("123.mdb"), 123);
    }
    void open()
    {
        window = std::make_unique<OrderEntryWindow>(context, navigator, 123);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    QComboBox* chooser() { return window->findChild<QComboBox*>(QStringLiteral("Combo1")); }
    QComboBox* box(int slot)
    {
        return window->findChild<QComboBox*>(QStringLiteral("OrderCode%1").arg(slot - 1));
    }
    QLabel* prompt(int slot)
    {
        return window->findChild<QLabel*>(QStringLiteral("OrderCodeHelp%1").arg(slot - 1));
    }
    QWidget* focused() { return QApplication::focusWidget(); }
    void key(QWidget* target, Qt::Key key, char text = 0)
    {
        if (text)
            QTest::keyClick(target, text);
        else
            QTest::keyClick(target, key);
    }
    QList<Order> stored() { return OrderRepository(t.store()).ordersOf(123); }
};

} // namespace vf::test
