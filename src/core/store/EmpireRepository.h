#pragma once

#include "Empire.h"

#include <QList>
#include <optional>

namespace vf {

class Store;

// The register of empires, in the order they were registered.
class EmpireRepository {
public:
    explicit EmpireRepository(const Store& store)
        : m_store(store)
    {
    }

    QList<Empire> all() const;
    // The empire of that name; letter case counts only to tell two such names apart.
    std::optional<Empire> findByName(const QString& name) const;
    std::optional<Empire> findById(int id) const;
    void add(const Empire& empire) const;
    // Throws vf::Error for a password that passwordProblem() refuses.
    void setPassword(int id, const QString& password) const;

    static inline const QString kDefaultPassword = QStringLiteral("tinderly");

private:
    std::optional<Empire> findFirst(const QString& where, const QVariant& value) const;
    const Store& m_store;
};

} // namespace vf
