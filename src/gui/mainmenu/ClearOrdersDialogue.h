#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace vf {

class Dialogs;
class OrderRepository;

// Deletes every order of the empire after two confirmations and reports the count. The
// messages name the empire by the name shown on the main menu. The orders are kept aside as
// cleared now.
void runClearOrdersDialogue(Dialogs& dialogs, const OrderRepository& orders,
                            std::optional<int> empireId, const QString& empireName,
                            const QDateTime& now);

// Brings back the orders Clear Orders deleted last, after asking when the empire has orders
// now.
void runRestoreClearedOrdersDialogue(Dialogs& dialogs, const OrderRepository& orders,
                                     std::optional<int> empireId);

} // namespace vf
