#include "ClearOrdersDialogue.h"

#include "Wording.h"
#include "common/Dialogs.h"
#include "store/OrderRepository.h"

namespace vf {

namespace {

const QString kWarningTitle = QStringLiteral("Imperial Advisor Warning");
const QString kReportTitle = QStringLiteral("Imperial Bureaucrat Report");

// No is the default: Enter alone never deletes.
bool confirm(Dialogs& dialogs, const QString& text)
{
    return dialogs.ask({DialogIcon::Question, kWarningTitle, text, DialogButtons::YesNo, false,
                        DialogAnswer::No}) == DialogAnswer::Yes;
}

QString secondQuestion(const QString& name, int count)
{
    return name + QStringLiteral(" currently has ") + QString::number(count) +
           (count == 1 ? QStringLiteral(" order entered - are you sure that you want to delete "
                                        "this order?")
                       : QStringLiteral(" orders entered - are you sure that you want to delete "
                                        "all of these orders?"));
}

QString ordersCount(int count)
{
    return countOf(count, QStringLiteral("order"), QStringLiteral("orders"));
}

} // namespace

void runClearOrdersDialogue(Dialogs& dialogs, const OrderRepository& orders,
                            std::optional<int> empireId, const QString& empireName,
                            const QDateTime& now)
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
    orders.clear(*empireId, now);
    dialogs.inform(
        kReportTitle,
        QStringLiteral("Imperial Bureaucrats indicate that ") + QString::number(count) +
            (count == 1 ? QStringLiteral(" order was") : QStringLiteral(" orders were")) +
            QStringLiteral(" stricken from ") + QStringLiteral("Imperial Records as directed"),
        DialogIcon::Information);
}

void runRestoreClearedOrdersDialogue(Dialogs& dialogs, const OrderRepository& orders,
                                     std::optional<int> empireId)
{
    if (!empireId) {
        dialogs.warn(kReportTitle, QStringLiteral("You need to select an Empire before restoring "
                                                  "cleared orders"));
        return;
    }
    const QString number = QString::number(*empireId);
    const int cleared = orders.clearedCount(*empireId);
    if (cleared == 0) {
        dialogs.warn(kReportTitle,
                     QStringLiteral("No cleared orders are kept for Empire # %1.").arg(number));
        return;
    }
    const int now = orders.count(*empireId);
    if (now > 0 &&
        !confirm(dialogs, QStringLiteral("Empire # %1 has %2 now. The %3 cleared last would be "
                                         "added after them, in their own order. Restore them?")
                              .arg(number, ordersCount(now), ordersCount(cleared))))
        return;
    const int restored = orders.restoreCleared(*empireId);
    dialogs.inform(
        kReportTitle,
        QStringLiteral("%1 restored to Imperial Records for Empire # %2.")
            .arg(countOf(restored, QStringLiteral("order was"), QStringLiteral("orders were")),
                 number),
        DialogIcon::Information);
}

} // namespace vf
