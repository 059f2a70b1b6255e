#pragma once

#include <QMainWindow>

#include <memory>
#include <optional>

class QMenu;

namespace vf {

struct AppContext;
class EmpireChooser;
class MainMenuActions;
class Navigator;
enum class ButtonPicture;

// The start-up window: the empire register, the choice of the current empire and the
// buttons and menus that start every other action.
class MainMenuWindow : public QMainWindow {
    Q_OBJECT
public:
    MainMenuWindow(AppContext& context, Navigator& navigator, QWidget* parent = nullptr);
    ~MainMenuWindow() override;

    // The empire number box read as a whole number; nothing when it holds anything else.
    std::optional<int> empireNumber() const;

    // Clears the name list (and its text) and reads the register again.
    void reloadEmpireList();
    // As when the window is built anew: all three boxes emptied, then the register read.
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
    QAction* addAction(QMenu* menu, const QString& text, const QString& name,
                       void (MainMenuActions::*action)(), const QKeySequence& key = {});
    void addPictureButton(QWidget* body, const PictureButton& button);

    // Runs an action after settling the name box; a failure is shown and the program goes on.
    void runAction(void (MainMenuActions::*action)());

    AppContext& m_context;
    Navigator& m_navigator;
    EmpireChooser* m_chooser = nullptr;
    std::unique_ptr<MainMenuActions> m_actions;
};

} // namespace vf
