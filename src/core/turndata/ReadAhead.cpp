#include "ReadAhead.h"

#include "store/Store.h"

#include <QThread>

#include <exception>

namespace vf {

ReadAhead::ReadAhead(QString databasePath, int empireId, QList<const ShownTable*> tables, Take take,
                     Failed failed, QObject* parent)
    : QObject(parent)
    , m_take(std::move(take))
    , m_failed(std::move(failed))
{
    m_reading = !tables.isEmpty();
    if (!m_reading)
        return;
    m_thread.reset(
        QThread::create([this, path = std::move(databasePath), empireId,
                         tables = std::move(tables)] { readAll(path, empireId, tables); }));
    m_thread->start(QThread::LowPriority);
}

ReadAhead::~ReadAhead()
{
    m_stop = true;
    if (m_thread)
        m_thread->wait();
}

void ReadAhead::readAll(const QString& databasePath, int empireId,
                        const QList<const ShownTable*>& tables)
{
    // (Handed over through this object's event queue: nothing arrives once it is gone.)
    const auto handOver = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    };
    try {
        const Store store(databasePath);
        for (qsizetype i = 0; i < tables.size() && !m_stop; ++i) {
            auto rows = std::make_shared<TableRows>(readShownTable(store, empireId, *tables[i]));
            const bool last = i + 1 == tables.size();
            handOver([this, rows, last] {
                m_reading = !last;
                m_take(std::move(*rows));
            });
        }
    } catch (const std::exception& error) {
        handOver([this, why = QString::fromUtf8(error.what())] {
            m_reading = false;
            m_failed(why);
        });
    }
}

} // namespace vf
