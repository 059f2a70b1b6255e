#include "ClearOrdersDialogue.h"

#include "common/Dialogs.h"
#include "store/OrderRepository.h"

namespace vf {

namespace {

const QString kWarningTitle = QStringLiteral("Imperial Advisor Warning");
const QString kReportTitle = QStringLiteral("Imperial Bureaucrat Report");

bool confirm(Dialogs& dialogs, const QString& text)
{
    return dialogs.ask({DialogIcon::Question, kWarningTitle, text, DialogButtons::YesNo}) ==
           DialogAnswer::Yes;
}

QString secondQuestion(const QString& name, int count)
{
    return name + QStringLiteral(" currently has ") + QString::number(count) +
           (count == 1 ? QStringLiteral(" order entered - are you sure that you want to delete "
                                        "this order?")
                       : QStringLiteral(" orders entered - are you sure that you want to delete "
                                        "all of these orders?"));
}

} // namespace

void runClearOrdersDialogue(Dialogs& dialogs, const OrderRepository& orders,
                            std::optional<int> empireId, const QString& empireName)
{
    if (!empireId) {
        dialogs.warn(kReportTitle,
                     QStringLiteral("You need to select an Empire before clearing orders"));
        return;
    }
    if (!confirm(dialogs,
                 QStringLiteral("Are you sure you wish to delete all orders entered for ") +
                     empireName + QStringLiteral("?")))
        return;
    const int count = orders.count(*empireId);
    if (count == 0)
        return;
    if (!confirm(dialogs, secondQuestion(empireName, count)))
        return;
    orders.clear(*empireId);
    dialogs.inform(
        kReportTitle,
        QStringLiteral("Imperial Bureaucrats indicate that ") + QString::number(count) +
            (count == 1 ? QStringLiteral(" order was") : QStringLiteral(" orders were")) +
            QStringLiteral(" stricken from ") + QStringLiteral("Imperial Records as directed"),
        DialogIcon::Information);
}

} // namespace vf
