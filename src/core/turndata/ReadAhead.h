#pragma once

#include "turndata/ShownTables.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace vf {

// Reads tables of an empire's turn data on a thread of its own, over a connection of its own
// to the database, and hands each table's rows to `take` on the thread that made it, in the
// order given. When a table cannot be read, the rest are not read and `failed` is told why.
// Destroying it stops after the table being read.
class ReadAhead : public QObject {
    Q_OBJECT
public:
    using Take = std::function<void(TableRows)>;
    using Failed = std::function<void(const QString& why)>;

    ReadAhead(QString databasePath, int empireId, QList<const ShownTable*> tables, Take take,
              Failed failed, QObject* parent = nullptr);
    ~ReadAhead() override;

    // True until every table was handed over or the reading failed.
    bool reading() const { return m_reading; }

private:
    void readAll(const QString& databasePath, int empireId, const QList<const ShownTable*>& tables);

    Take m_take;
    Failed m_failed;
    bool m_reading = true;
    std::atomic_bool m_stop = false;
    std::unique_ptr<QThread> m_thread;
};

} // namespace vf
