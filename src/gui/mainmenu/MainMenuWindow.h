#pragma once

#include <QMainWindow>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace vf {

struct AppContext;
class Navigator;
enum class ButtonPicture;

// The start-up window: the empire register, the choice of the current empire and the
// buttons that start every other action.
class MainMenuWindow : public QMainWindow {
    Q_OBJECT
public:
    MainMenuWindow(AppContext& context, Navigator& navigator, QWidget* parent = nullptr);

    // The empire number box read as a whole number; nothing when it holds anything else.
    std::optional<int> empireNumber() const;

    // Clears the name list (and its text) and runs the load steps again.
    void reloadEmpireList();
    // As when the window is built anew: all three boxes emptied, then the load steps.
    void loadAfresh();
    // At start: offers to bring the old program's database over when it lies in the data
    // folder and no empire is registered yet.
    void offerOldDatabase();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A turn results file dropped on the window is imported for the chosen empire.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct PictureButton; // one picture button with its caption label and action
    void buildControls();
    void buildMenu();
    void buildEmpireFrame(QWidget* body);
    void buildPasswordFrame(QWidget* body);
    void addPictureButton(QWidget* body, const PictureButton& button);
    void runLoadSteps();

    // Runs an action after settling the name box; a failure is shown and the program goes on.
    void runAction(const std::function<void()>& action);
    void settleEmpireName();
    bool lookUpEmpireByName();
    void onEmpirePicked();
    void onEmpireKey();

    void enterOrders();
    void editOrders();
    void newEmpire();
    void clearOrders();
    void saveOrders();
    void checkOrders();
    void updateData();
    void showTurnData();
    void showWarpMap();
    // The window of the chosen empire, or a warning that none is chosen.
    void openForEmpire(const QString& title, const QString& what, void (Navigator::*open)(int));
    void importTurnResults(const std::optional<QString>& droppedFile);
    void importOldDatabase();
    void changePassword();

    AppContext& m_context;
    Navigator& m_navigator;
    QComboBox* m_empireName = nullptr;
    QLineEdit* m_empireNumber = nullptr;
    QLineEdit* m_password = nullptr;
    bool m_nameChanged = false;
};

} // namespace vf
