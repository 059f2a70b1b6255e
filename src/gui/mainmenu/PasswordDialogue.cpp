#include "PasswordDialogue.h"

#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "store/EmpireRepository.h"
#include "store/PasswordRules.h"

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Change Password");

} // namespace

bool runPasswordDialogue(AppContext& context, std::optional<int> empireId)
{
    const EmpireRepository empires(context.store);
    const auto empire = empireId ? empires.findById(*empireId) : std::nullopt;
    if (!empire) {
        context.dialogs.warn(kTitle, QStringLiteral("You need to select an Empire set up for Turn "
                                                    "Entry before changing its password"));
        return false;
    }
    const auto password = context.dialogs.askText(
        kTitle, QStringLiteral("The new password of Empire # %1 (%2), as you sent it with the "
                               "PASS order:")
                    .arg(empire->id)
                    .arg(empire->name));
    if (!password)
        return false;
    if (const auto problem = passwordProblem(*password)) {
        context.dialogs.warn(kTitle, *problem + QStringLiteral(" The password stays as it was."));
        return false;
    }
    empires.setPassword(empire->id, *password);
    context.dialogs.inform(kTitle,
                           QStringLiteral("The password of Empire # %1 is now \"%2\"; the next "
                                          "Save Orders writes it.")
                               .arg(empire->id)
                               .arg(*password),
                           DialogIcon::Information);
    return true;
}

} // namespace vf
