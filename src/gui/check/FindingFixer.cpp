#include "FindingFixer.h"

#include "CheckOrdersWindow.h"
#include "FixDialog.h"
#include "common/AppContext.h"
#include "common/Dialogs.h"
#include "common/GuardedAction.h"

namespace vf {

namespace {

const QString kTitle = QStringLiteral("Imperial Advisor Report");

} // namespace

FindingFixer::FindingFixer(AppContext& context, int empireId, CheckOrdersWindow* window,
                           std::function<void()> recheck)
    : QObject(window)
    , m_context(context)
    , m_empireId(empireId)
    , m_window(window)
    , m_recheck(std::move(recheck))
{
}

void FindingFixer::fix(const OrderFinding& asked, bool elseEdit)
{
    // (A copy: the findings are checked anew while the player picks, the order's notice told.)
    const OrderFinding finding = asked;
    std::optional<FixOffer> offer;
    guarded(m_context.dialogs, [&] { offer = offerFix(m_context.store, m_empireId, finding); });
    if (!offer)
        return;
    if (!offer->fixes()) {
        if (elseEdit)
            m_window->openInEditOrders(finding.orderId);
        else
            m_context.dialogs.inform(kTitle, QStringLiteral("No fix to pick. ") + offer->none,
                                     DialogIcon::Information);
        return;
    }
    pick(finding, *offer);
}

void FindingFixer::pick(const OrderFinding& finding, const FixOffer& offer)
{
    FixDialog dialog(finding, offer, m_window);
    dialog.exec();
    m_window->activateWindow();
    if (dialog.outcome() == FixDialog::EditOrder) {
        m_window->openInEditOrders(finding.orderId);
        return;
    }
    const std::optional<FixChoice> picked = dialog.picked();
    if (!picked)
        return;
    store(changeFor(offer, finding.orderId, *picked));
}

void FindingFixer::store(const SlotChange& change)
{
    std::optional<bool> stored; // none: the database failed, and said so
    guarded(m_context.dialogs, [&] { stored = storeChange(m_context.store, change); });
    m_recheck();
    if (!stored)
        return;
    if (!*stored) {
        m_context.dialogs.warn(kTitle, QStringLiteral("The order was changed or deleted "
                                                      "meanwhile: nothing was stored. Its "
                                                      "findings were checked again."));
        return;
    }
    m_done << change;
    offerDependent(change);
}

// The slot whose list was read for the star just put in (its warp point), when it fails now.
void FindingFixer::offerDependent(const SlotChange& change)
{
    const QList<OrderFinding> findings = m_window->shownFindings();
    for (const OrderFinding& finding : findings) {
        if (finding.orderId != change.orderId || finding.slot <= change.slot)
            continue;
        std::optional<FixOffer> offer;
        guarded(m_context.dialogs, [&] { offer = offerFix(m_context.store, m_empireId, finding); });
        if (offer && offer->fixes() && offer->starSlot == change.slot) {
            pick(finding, *offer);
            return;
        }
    }
}

void FindingFixer::undo()
{
    if (m_done.isEmpty())
        return;
    const SlotChange back = m_done.takeLast().undone();
    std::optional<bool> stored; // none: the database failed, and said so
    guarded(m_context.dialogs, [&] { stored = storeChange(m_context.store, back); });
    m_recheck();
    if (stored && !*stored)
        m_context.dialogs.warn(kTitle,
                               QStringLiteral("Slot %1 of that order was changed or the order "
                                              "deleted since it was fixed: it was not put back.")
                                   .arg(back.slot));
}

} // namespace vf
