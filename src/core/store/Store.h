#pragma once

#include "model/Setting.h"

#include <QByteArrayView>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <initializer_list>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace vf {

class ChangeWatch;

// One row of a query run by Store::eachRow: its columns by position.
class StoredRow {
public:
    explicit StoredRow(sqlite3_stmt* statement)
        : m_statement(statement)
    {
    }
    QString text(int column) const; // a missing value is a null text
    qint64 number(int column) const;
    // The text as stored, valid until the next row; a missing value is a null view.
    QByteArrayView utf8(int column) const;

private:
    sqlite3_stmt* m_statement;
};

// The turn entry database: one SQLite file holding the empires, their orders and the data
// imported from their turn results files. Opening creates the file and its tables when
// missing. Every value is bound as a parameter. Failures throw vf::Error, in words a player
// understands where the cause is known (another program holding the database, a folder that
// cannot be written). In a folder that cannot be written, an existing database is opened for
// reading only.
class Store {
public:
    explicit Store(const QString& path);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const QString& path() const { return m_path; }
    // True when the database could only be opened for reading: nothing can be stored.
    bool readOnly() const { return m_readOnly; }
    QSqlDatabase database() const;
    // SQLite's own handle of the connection, for storing many rows fast.
    sqlite3* handle() const;

    // Prepares and runs one statement with its values bound in order; throws on failure.
    QSqlQuery run(const QString& sql, std::initializer_list<QVariant> values = {}) const;
    QSqlQuery prepare(const QString& sql) const;
    void execute(QSqlQuery& query) const;
    // Runs a query through SQLite's own interface and hands over its rows one by one: for
    // reading many rows fast. Values are bound as by run(); throws the same way.
    void eachRow(const QString& sql, std::initializer_list<QVariant> values,
                 const std::function<void(const StoredRow&)>& take) const;

    // The program's own settings kept with the data (empty when never set).
    QString setting(const Setting& setting) const;
    void setSetting(const Setting& setting, const QString& value) const;

    // An imported table's index on EmpireID, taken away while the table is filled anew (rows
    // are stored faster without it, and the index is built faster from them all at once) and
    // built again. Inside a transaction, a rollback brings it back as it was. False when the
    // index stays: SQLite drops nothing while a reading is left open on the connection (a
    // list fetched a few hundred rows at a time keeps one).
    bool dropEmpireIndex(const QString& table) const;
    void buildEmpireIndex(const QString& table) const;

    // Whether the table has the field.
    bool hasField(const QString& table, const QString& field) const;
    // Whether the database has the table (one an earlier version, opened read only, may lack).
    bool hasTable(const QString& table) const;

    // Quotes a table or field name for SQL ("Force Battle Plans" -> "\"Force Battle Plans\"").
    static QString quoted(const QString& identifier);

private:
    bool hasSchema() const;
    void createSchema();
    void addMoreFields();
    void open(QSqlDatabase& db);
    // Names compare as the old program's database engine compared them: "COLLATE ANYCASE"
    // ignores letter case, of every letter.
    void addAnyCaseCollation() const;
    [[noreturn]] void fail(const QString& what, const QString& detail) const;
    [[noreturn]] void fail(const QString& what, const QSqlError& error) const;

    QString m_path;
    QString m_connection;
    bool m_readOnly = false;
    std::unique_ptr<ChangeWatch> m_watch; // tells what each commit changed
};

// A transaction that rolls back unless committed.
class Transaction {
public:
    explicit Transaction(const Store& store);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    const Store& m_store;
    bool m_open = false;
};

} // namespace vf
