#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace vf {

struct AppContext;

// The main menu's choice of the current empire: its Empire frame (the name box, the number it
// shows) and its Password frame. An empire is chosen by a pick from the list, or by its name
// typed in any letter case and a key that edits or Enter; the number and password follow what
// the box holds. Choosing records the empire as the current one, remembered for the next run.
class EmpireChooser : public QObject {
    Q_OBJECT
public:
    // Builds the two frames into the body.
    EmpireChooser(AppContext& context, QWidget* body);

    // The empire number box read as a whole number; nothing when it holds anything else.
    std::optional<int> empireNumber() const;
    // The name as the box shows it.
    QString typedName() const;
    void showPassword(const QString& password);

    // The register read again into the name box, the current empire shown (database failures
    // are shown).
    void reload();
    // As when the window is built anew: all three boxes emptied, then the register read.
    void loadAfresh();
    // A picture button or a menu does not take the focus: when the name box still holds it,
    // what was typed there is looked up before an action reads the number.
    void settle(const QWidget* focus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildEmpireFrame(QWidget* body);
    void buildPasswordFrame(QWidget* body);
    void load();
    bool lookUpByName();
    void onPicked();
    void onKey();

    AppContext& m_context;
    QComboBox* m_name = nullptr;
    QLineEdit* m_number = nullptr;
    QLineEdit* m_password = nullptr;
    bool m_nameChanged = false;
};

} // namespace vf
