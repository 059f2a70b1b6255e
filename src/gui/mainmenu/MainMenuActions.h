#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vf {

struct AppContext;
class EmpireChooser;
class Navigator;

// What the main menu's buttons and menu do, each for the empire the chooser shows: a warning
// where none is chosen, else the dialogue or the window of the action.
class MainMenuActions {
public:
    MainMenuActions(AppContext& context, Navigator& navigator, EmpireChooser& chooser,
                    QWidget* window);

    void enterOrders();
    void editOrders();
    void updateData();
    void saveOrders();
    void clearOrders();
    void newEmpire();
    void checkOrders();
    void restoreClearedOrders();
    void earlierOrders();
    void changePassword();
    void showTurnData();
    void showWarpMap();
    void whatChanged();
    void compareTurns();
    // Imports the chosen empire's turn results file, or the file dropped on the window.
    void importTurnResults(const std::optional<QString>& droppedFile);
    void importOldDatabase();
    // At start: offers to bring the old program's database over when it lies in the data
    // folder and no empire is registered yet.
    void offerOldDatabase();

private:
    // The window of the chosen empire, or a warning that none is chosen.
    void openForEmpire(const QString& title, const QString& what, void (Navigator::*open)(int));

    AppContext& m_context;
    Navigator& m_navigator;
    EmpireChooser& m_chooser;
    QWidget* m_window;
};

} // namespace vf
