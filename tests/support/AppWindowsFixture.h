#pragma once

#include "AppFixture.h"
#include "AppWindows.h"
#include "mainmenu/MainMenuWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

#include <memory>

namespace vf::test {

// Every window of a run over a real database with empires 123 "Sable Concord" and 456 "Iron
// Veil", the main menu shown.
struct AppWindowsFixture : AppFixture {
    std::unique_ptr<AppWindows> windows;

    explicit AppWindowsFixture(int screenWidth = 1024, int screenHeight = 900)
        : AppFixture(screenWidth, screenHeight)
    {
        t.addEmpire(123, QStringLiteral("Sable Concord"));
        t.addEmpire(456, QStringLiteral("Iron Veil"));
        windows = std::make_unique<AppWindows>(context);
        windows->start();
    }
    MainMenuWindow& menu() { return windows->mainMenu(); }
    // The empire chosen in the main menu's name box, as a pick from its list does.
    void pick(const QString& name)
    {
        auto* box = menu().findChild<QComboBox*>(QStringLiteral("EmpireName"));
        const int index = box->findText(name);
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }
    void click(QWidget* window, const QString& name)
    {
        QAbstractButton* button = window->findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
};

} // namespace vf::test
