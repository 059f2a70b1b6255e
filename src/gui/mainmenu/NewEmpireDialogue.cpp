#include "NewEmpireDialogue.h"

#include "common/Dialogs.h"
#include "orders/NumberReading.h"
#include "store/EmpireRepository.h"

namespace vf {

namespace {

const QString kSetupTitle = QStringLiteral("New Empire Setup");

void explain(Dialogs& dialogs)
{
    dialogs.inform(kSetupTitle,
                   QStringLiteral("This is how you add information about a new Voidfire Empire "
                                  "into this Turn Entry Program.  Enter nothing") +
                       QStringLiteral(" by pressing your 'Enter' key at any of the following "
                                      "steps to get out of this procedure."),
                   DialogIcon::Information);
}

// The number typed, or nothing when the dialogue ends here (silently or with a message).
std::optional<int> askNumber(Dialogs& dialogs, QString& typed)
{
    const auto answer = dialogs.askText(
        QStringLiteral("New Empire #"),
        QStringLiteral("What is the Empire # that you want entered into the Voidfire Turn Entry "
                       "Program?"));
    typed = answer.value_or(QString());
    if (leadingNumber(typed) < 1)
        return std::nullopt;
    const auto number = wholeNumber(typed);
    if (!number) {
        dialogs.warn(kSetupTitle,
                     QStringLiteral("\"%1\" is not an Empire # this program can store. Type the "
                                    "Empire # in digits alone (a whole number from 1 to "
                                    "2147483647); nothing has been set up.")
                         .arg(typed));
    }
    return number;
}

} // namespace

bool runNewEmpireDialogue(Dialogs& dialogs, const EmpireRepository& empires)
{
    explain(dialogs);
    QString typedNumber;
    const auto number = askNumber(dialogs, typedNumber);
    if (!number)
        return false;
    const QString name =
        dialogs
            .askText(QStringLiteral("New Empire Name"),
                     QStringLiteral("What is name of the Empire that you are setting up in the "
                                    "Voidfire Turn Entry Program?"))
            .value_or(QString());
    if (name.isEmpty())
        return false;
    if (empires.findById(*number)) {
        dialogs.warn(QStringLiteral("Duplicate Empire #"),
                     QStringLiteral("Empire # ") + typedNumber +
                         QStringLiteral(" has already been set up for Voidfire Turn Entry!"));
        return false;
    }
    empires.add({*number, name, EmpireRepository::kDefaultPassword});
    dialogs.inform(QStringLiteral("Imperial Library Entry"),
                   QStringLiteral("All done setting up this new Empire!"), DialogIcon::Information);
    return true;
}

} // namespace vf
