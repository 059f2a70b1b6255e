#pragma once

#include "AppFixture.h"
#include "RealInput.h"
#include "mainmenu/MainMenuWindow.h"
#include "store/OrderRepository.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <memory>

namespace vf::test {

// Takes the file addresses the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

// The main menu over a real database with three empires (123 "Sable Concord", 456 "Iron
// Veil", 77 "O'Neil's Realm"), or none, and the player's ways with its name box.
struct MainMenuFixture : AppFixture {
    std::unique_ptr<MainMenuWindow> window;

    explicit MainMenuFixture(bool withEmpires = true)
    {
        if (withEmpires) {
            t.addEmpire(123, QStringLiteral("Sable Concord"), QStringLiteral("tinderly"));
            t.addEmpire(456, QStringLiteral("Iron Veil"), QStringLiteral("s3cret!"));
            t.addEmpire(77, QStringLiteral("O'Neil's Realm"), QStringLiteral("tinderly"));
        }
        window = std::make_unique<MainMenuWindow>(context, navigator);
    }
    QComboBox* name() { return window->findChild<QComboBox*>(QStringLiteral("EmpireName")); }
    QLineEdit* number() { return window->findChild<QLineEdit*>(QStringLiteral("Text2")); }
    QLineEdit* password() { return window->findChild<QLineEdit*>(QStringLiteral("Text1")); }
    void click(const QString& button)
    {
        QTest::mouseClick(window->findChild<QToolButton*>(button), Qt::LeftButton);
    }
    [[nodiscard]] bool showActive()
    {
        window->show();
        window->activateWindow();
        VF_CHECK(QTest::qWaitForWindowActive(window.get()));
        return true;
    }
    // Picks the empire from the name box's list, with the mouse.
    [[nodiscard]] bool pick(const QString& empire)
    {
        return showActive() && pickFromList(name(), empire);
    }
    // A click into the name box, all of its text selected, and the keys typed.
    [[nodiscard]] bool typeName(const QString& text)
    {
        if (!showActive())
            return false;
        QTest::mouseClick(name()->lineEdit(), Qt::LeftButton);
        name()->lineEdit()->selectAll();
        QTest::keyClicks(name(), text);
        return true;
    }
    // The player leaves the name box with the Tab key.
    [[nodiscard]] bool leaveName()
    {
        VF_CHECK(name()->hasFocus());
        QTest::keyClick(name(), Qt::Key_Tab);
        VF_CHECK(!name()->hasFocus());
        return true;
    }
    // Shows the window and types into the name box the way a player does: a click into it,
    // then the keys.
    [[nodiscard]] bool typeIntoName(const QString& text)
    {
        if (!showActive())
            return false;
        QTest::mouseClick(name()->lineEdit(), Qt::LeftButton);
        VF_CHECK(name()->hasFocus());
        QTest::keyClicks(name(), text);
        return true;
    }
    static QWidget* topLevel(const char* name)
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String(name))
                return widget;
        }
        return nullptr;
    }
    QStringList listed()
    {
        QStringList names;
        for (int i = 0; i < name()->count(); ++i)
            names << name()->itemText(i);
        return names;
    }
};

// Two empires whose names begin alike, "Iron" (two orders) and "Irony" (one).
inline void ironAndIrony(MainMenuFixture& f)
{
    f.t.addEmpire(1, QStringLiteral("Iron"));
    f.t.addEmpire(2, QStringLiteral("Irony"));
    const OrderRepository orders(f.t.store());
    orders.append(1, QStringLiteral("RTD"), TestStore::slots());
    orders.append(1, QStringLiteral("RTD"), TestStore::slots());
    orders.append(2, QStringLiteral("RTD"), TestStore::slots());
    f.window->reloadEmpireList();
}

} // namespace vf::test
