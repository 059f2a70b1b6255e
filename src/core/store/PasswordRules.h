#pragma once

#include <QString>

#include <optional>

namespace vf {

// The password goes into the first line of the orders file between double quotes, in
// Windows-1252: what cannot go there is refused. Nothing when the password can be stored.
std::optional<QString> passwordProblem(const QString& password);

} // namespace vf
