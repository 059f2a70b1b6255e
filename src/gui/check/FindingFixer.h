#pragma once

#include "store/OrderFixes.h"

#include <QObject>

#include <functional>

namespace vf {

struct AppContext;
class CheckOrdersWindow;

// Fixes the findings of one Check Orders window: offers the fix of a finding, stores the one
// picked (that one slot of that one order), has the findings checked again at once, offers next
// the slot that depends on the one fixed (the warp point after its star), and puts back the
// slots fixed, the last one first.
class FindingFixer : public QObject {
    Q_OBJECT
public:
    FindingFixer(AppContext& context, int empireId, CheckOrdersWindow* window,
                 std::function<void()> recheck);

    // Offers the finding's fix. One without a fix is told why, or, with elseEdit, opened in
    // Edit Orders.
    void fix(const OrderFinding& finding, bool elseEdit);
    // Puts back the slot fixed last; tells when its order was changed since.
    void undo();

    int undoable() const { return int(m_done.size()); }

private:
    // Offers the choices and stores the one picked.
    void pick(const OrderFinding& finding, const FixOffer& offer);
    void store(const SlotChange& change);
    void offerDependent(const SlotChange& change);

    AppContext& m_context;
    int m_empireId;
    CheckOrdersWindow* m_window;
    std::function<void()> m_recheck;
    QList<SlotChange> m_done;
};

} // namespace vf
