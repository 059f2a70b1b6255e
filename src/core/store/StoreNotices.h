#pragma once

#include <QFlags>
#include <QObject>
#include <QString>

struct sqlite3;

namespace vf {

// What a committed change to the turn entry database touched.
enum class StoredData {
    TurnData = 1, // an imported table (an import, or the old program's database brought in)
    Orders = 2,   // the Orders table: an order stored, edited, deleted, cleared or restored
};
Q_DECLARE_FLAGS(StoredDataSet, StoredData)
Q_DECLARE_OPERATORS_FOR_FLAGS(StoredDataSet)

// The one place the database tells what was written to it, whichever connection wrote it
// (a window's, or an import's on a thread of its own): each committed change is announced with
// the database's path and what it touched. A listener on another thread hears it through its
// event loop, after the commit; settings, the orders kept aside and the findings set aside are
// not announced. The notices live on the thread that first asked for them (the program's main
// thread: opening a Store asks).
class StoreNotices : public QObject {
    Q_OBJECT
public:
    static StoreNotices& instance();

Q_SIGNALS:
    void committed(const QString& databasePath, vf::StoredDataSet what);

private:
    StoreNotices() = default;
};

// Watches one connection: which tables a transaction writes, announced once it is committed
// (forgotten when it is rolled back). Lives as long as the connection.
class ChangeWatch {
public:
    ChangeWatch(sqlite3* connection, QString databasePath);
    ~ChangeWatch();
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

private:
    static void onRowChanged(void* watch, int operation, const char* database, const char* table,
                             long long row);
    static int onCommitted(void* watch, sqlite3* connection, const char* database, int frames);
    static int onCommitting(void* watch);
    static void onRolledBack(void* watch);
    void announce();

    sqlite3* m_connection;
    QString m_path;
    StoredDataSet m_pending;
    bool m_logged = false; // the database keeps a write-ahead log: a commit is told after it
};

} // namespace vf

Q_DECLARE_METATYPE(vf::StoredDataSet)
