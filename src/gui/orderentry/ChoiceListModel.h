#pragma once

#include "orders/ChoiceList.h"

#include <QAbstractListModel>

namespace vf {

// A read-only list model over a shared choice list. Boxes filled with the same list share
// its data; filling a box costs no per-entry widget work.
class ChoiceListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int NumberRole = Qt::UserRole;

    explicit ChoiceListModel(ChoiceList choices, QObject* parent = nullptr)
        : QAbstractListModel(parent)
        , m_choices(std::move(choices))
    {
    }

    const ChoiceList& choices() const { return m_choices; }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_choices.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_choices.size())
            return {};
        const ChoiceEntry& entry = m_choices.at(index.row());
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return entry.text;
        if (role == NumberRole && entry.number)
            return *entry.number;
        return {};
    }

private:
    ChoiceList m_choices;
};

} // namespace vf
