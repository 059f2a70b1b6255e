#pragma once

#include "orders/OrderFix.h"

#include <QDialog>

class QListWidget;

namespace vf {

// Offers the choices of a finding's fix, best first (the first one current), to pick one:
// Fix (Enter, or a double click on a choice) stores it, "Open in Edit Orders" goes to the order
// instead, Escape leaves it as it is.
class FixDialog : public QDialog {
    Q_OBJECT
public:
    enum Outcome { Cancelled, Picked, EditOrder };

    FixDialog(const OrderFinding& finding, const FixOffer& offer, QWidget* parent = nullptr);

    Outcome outcome() const { return m_outcome; }
    // The choice picked, when it was.
    std::optional<FixChoice> picked() const;

    QListWidget& choices() { return *m_choices; }

private:
    void finish(Outcome outcome);

    QList<FixChoice> m_offered;
    QListWidget* m_choices = nullptr;
    Outcome m_outcome = Cancelled;
};

} // namespace vf
