#include "PasswordRules.h"

#include "orders/SingleLine.h"
#include "platform/Windows1252.h"

#include <algorithm>

namespace vf {

std::optional<QString> passwordProblem(const QString& password)
{
    if (password.isEmpty())
        return QStringLiteral("A password cannot be empty.");
    if (password.contains(QLatin1Char('"')))
        return QStringLiteral("A password cannot hold a double quote (\"): the orders file "
                              "writes the password between double quotes.");
    if (std::any_of(password.begin(), password.end(), isControlCharacter))
        return QStringLiteral("A password cannot hold a line break, a tab or another control "
                              "character.");
    if (const auto outside = firstOutsideWindows1252(password))
        return QStringLiteral("A password cannot hold the character \"%1\": the orders file "
                              "cannot carry it.")
            .arg(*outside);
    return std::nullopt;
}

} // namespace vf
