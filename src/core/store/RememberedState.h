#pragma once

#include "model/Setting.h"

#include <QByteArray>
#include <QString>

namespace vf {

class Store;

// What the program remembers from one run to the next, kept with the data: the empire
// chosen last and where the player put each window. Remembering is a convenience: a
// database that cannot be written forgets quietly.
class RememberedState {
public:
    explicit RememberedState(const Store& store)
        : m_store(store)
    {
    }

    int lastEmpire() const; // 0: none
    void setLastEmpire(int empireId) const;

    QByteArray windowGeometry(const QString& window) const;
    void setWindowGeometry(const QString& window, const QByteArray& geometry) const;

private:
    QString read(const Setting& setting) const;
    void write(const Setting& setting, const QString& value) const;

    const Store& m_store;
};

} // namespace vf
