#include "StoreNotices.h"

#include <QMetaObject>

#include <sqlite3.h>

#include <cstring>
#include <utility>

namespace vf {

namespace {

// What SQLite's own write-ahead log hook does, which a hook of ours replaces: the log is
// merged into the database once it holds this many pages.
constexpr int kCheckpointPages = 1000;

StoredDataSet touched(const char* table)
{
    if (std::strcmp(table, "Orders") == 0)
        return StoredData::Orders;
    if (std::strcmp(table, "Settings") == 0 || std::strcmp(table, "Cleared Orders") == 0 ||
        std::strcmp(table, "Empires") == 0 || std::strcmp(table, "Set Aside Findings") == 0 ||
        std::strcmp(table, "Record Names") == 0)
        return {};
    return StoredData::TurnData;
}

} // namespace

StoreNotices& StoreNotices::instance()
{
    static auto* notices = [] {
        qRegisterMetaType<vf::StoredDataSet>();
        return new StoreNotices;
    }();
    return *notices;
}

ChangeWatch::ChangeWatch(sqlite3* connection, QString databasePath)
    : m_connection(connection)
    , m_path(std::move(databasePath))
{
    StoreNotices::instance();
    sqlite3_update_hook(m_connection, &ChangeWatch::onRowChanged, this);
    sqlite3_rollback_hook(m_connection, &ChangeWatch::onRolledBack, this);
    // With a write-ahead log, its hook runs once the commit is done and the lock let go, so a
    // listener reading at once reads what was written. Without one (a database another copy
    // of the program keeps otherwise), the commit hook runs just before: listeners on the
    // writer's thread still hear it after, through the event loop.
    sqlite3_stmt* mode = nullptr;
    if (sqlite3_prepare_v2(m_connection, "PRAGMA journal_mode", -1, &mode, nullptr) == SQLITE_OK &&
        sqlite3_step(mode) == SQLITE_ROW)
        m_logged = sqlite3_strnicmp(reinterpret_cast<const char*>(sqlite3_column_text(mode, 0)),
                                    "wal", 4) == 0;
    sqlite3_finalize(mode);
    if (m_logged)
        sqlite3_wal_hook(m_connection, &ChangeWatch::onCommitted, this);
    else
        sqlite3_commit_hook(m_connection, &ChangeWatch::onCommitting, this);
}

ChangeWatch::~ChangeWatch()
{
    sqlite3_update_hook(m_connection, nullptr, nullptr);
    sqlite3_rollback_hook(m_connection, nullptr, nullptr);
    if (m_logged)
        sqlite3_wal_autocheckpoint(m_connection, kCheckpointPages);
    else
        sqlite3_commit_hook(m_connection, nullptr, nullptr);
}

void ChangeWatch::onRowChanged(void* watch, int, const char*, const char* table, long long)
{
    static_cast<ChangeWatch*>(watch)->m_pending |= touched(table);
}

int ChangeWatch::onCommitted(void* watch, sqlite3* connection, const char* database, int frames)
{
    if (frames >= kCheckpointPages)
        sqlite3_wal_checkpoint_v2(connection, database, SQLITE_CHECKPOINT_PASSIVE, nullptr,
                                  nullptr);
    static_cast<ChangeWatch*>(watch)->announce();
    return SQLITE_OK;
}

int ChangeWatch::onCommitting(void* watch)
{
    static_cast<ChangeWatch*>(watch)->announce();
    return 0; // the commit goes on
}

void ChangeWatch::onRolledBack(void* watch)
{
    static_cast<ChangeWatch*>(watch)->m_pending = {};
}

void ChangeWatch::announce()
{
    const StoredDataSet what = std::exchange(m_pending, {});
    if (!what)
        return;
    // Told from the thread the notices live on, through its event loop: never inside SQLite's
    // hook, whatever thread wrote.
    StoreNotices& notices = StoreNotices::instance();
    QMetaObject::invokeMethod(
        &notices, [&notices, path = m_path, what] { Q_EMIT notices.committed(path, what); },
        Qt::QueuedConnection);
}

} // namespace vf
