#include "Store.h"

#include "Error.h"
#include "RecordNames.h"
#include "SetAsideFindings.h"
#include "StoreNotices.h"
#include "model/Order.h"
#include "platform/WholeFile.h"
#include "protocol/ImportedTables.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QStringList>
#include <QUrl>

#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace vf {

namespace {

QAtomicInt connectionCounter;

QString columnType(reader::FieldKind kind)
{
    return kind == reader::FieldKind::WholeNumber ? QStringLiteral("INTEGER")
                                                  : QStringLiteral("TEXT");
}

QString empireIndexName(const QString& table)
{
    return Store::quoted(table + QStringLiteral(" by empire"));
}

QString empireIndexStatement(const QString& table)
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (EmpireID)")
        .arg(empireIndexName(table), Store::quoted(table));
}

QStringList schemaStatements()
{
    QStringList sql;
    sql << QStringLiteral("CREATE TABLE IF NOT EXISTS Empires ("
                          "EmpireID INTEGER NOT NULL UNIQUE, EmpireName TEXT, Password TEXT)");
    QStringList slots;
    for (int k = 1; k <= kSlotCount; ++k)
        slots << QStringLiteral("i%1 TEXT").arg(k);
    sql << QStringLiteral("CREATE TABLE IF NOT EXISTS Orders (OrderID INTEGER PRIMARY KEY, "
                          "EmpireID INTEGER NOT NULL, "
                          "Priority INTEGER NOT NULL CHECK (typeof(Priority) = 'integer'), "
                          "OrderCode TEXT, %1)")
               .arg(slots.join(QStringLiteral(", ")));
    sql << QStringLiteral(
        "CREATE INDEX IF NOT EXISTS OrdersByEmpire ON Orders (EmpireID, Priority)");
    // The orders Clear Orders deleted last, for each empire: the same fields, kept aside.
    sql << QStringLiteral("CREATE TABLE IF NOT EXISTS \"Cleared Orders\" (OrderID INTEGER, "
                          "EmpireID INTEGER NOT NULL, Priority INTEGER NOT NULL, "
                          "OrderCode TEXT, %1)")
               .arg(slots.join(QStringLiteral(", ")));
    sql << QStringLiteral(
        "CREATE TABLE IF NOT EXISTS Settings (Name TEXT PRIMARY KEY, Value TEXT)");
    for (const auto& table : reader::kImportedTables) {
        const QString name = QString::fromUtf8(table.name.data(), table.name.size());
        QStringList columns;
        for (const auto& field : table.fields)
            columns << Store::quoted(QString::fromUtf8(field.name.data(), field.name.size())) +
                           QLatin1Char(' ') + columnType(field.kind);
        columns << QString::fromLatin1(reader::kMoreField) + QStringLiteral(" TEXT");
        sql << QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                   .arg(Store::quoted(name), columns.join(QStringLiteral(", ")));
        sql << empireIndexStatement(name);
    }
    return sql;
}

} // namespace

Store::Store(const QString& path)
    : m_path(path)
    , m_connection(QStringLiteral("vfturn-store-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
    if (QFileInfo(path).isDir())
        fail(QStringLiteral("open"), QStringLiteral("it is a folder"));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    try {
        open(db);
    } catch (...) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw;
    }
}

void Store::open(QSqlDatabase& db)
{
    const QFileInfo file(m_path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    m_readOnly =
        !QFileInfo(file.absolutePath()).isWritable() || (file.exists() && !file.isWritable());
    if (m_readOnly && !file.exists())
        throw Error(QStringLiteral("The data folder %1 cannot be written to, and it holds no turn "
                                   "entry database yet, so the program cannot start. Start it "
                                   "with --data-dir and a folder you can write to.")
                        .arg(folder));
    // Another copy of the program may be writing: wait a little for it, then report. Read
    // only, the file is taken as it is, without the journal files SQLite would make beside
    // it, unless a journal of changes not yet merged lies there already.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000");
    db.setDatabaseName(m_path);
    if (m_readOnly) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        if (QFileInfo(m_path + QStringLiteral("-wal")).size() == 0) {
            options += QStringLiteral(";QSQLITE_OPEN_URI");
            db.setDatabaseName(
                QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                QStringLiteral("?immutable=1"));
        }
    }
    db.setConnectOptions(options);
    if (!db.open())
        fail(QStringLiteral("open"), db.lastError());
    addAnyCaseCollation();
    if (m_readOnly) {
        if (!hasSchema())
            fail(QStringLiteral("open"), QStringLiteral("its tables are missing"));
        return;
    }
    // Write-ahead logging: readers and a writer (another copy of the program) do not block each
    // other; a commit costs one sync of the log. One another copy holds keeps its mode.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode = WAL"));
    // An import replaces many rows in one transaction: a larger cache keeps it from spilling.
    run(QStringLiteral("PRAGMA cache_size = -65536"));
    if (!hasSchema())
        createSchema();
    addMoreFields();
    SetAsideFindings::addTable(*this);
    RecordNames::addTable(*this);
    m_watch = std::make_unique<ChangeWatch>(handle(), m_path);
}

// A database of an earlier version keeps no further fields of the turn data: each imported
// table gets the field that keeps them, empty for the rows it holds.
void Store::addMoreFields()
{
    const QString more = QString::fromLatin1(reader::kMoreField);
    for (const auto& table : reader::kImportedTables) {
        const QString name = QString::fromUtf8(table.name.data(), qsizetype(table.name.size()));
        if (!hasField(name, more))
            run(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 TEXT").arg(quoted(name), more));
    }
}

bool Store::dropEmpireIndex(const QString& table) const
{
    const QByteArray sql =
        QStringLiteral("DROP INDEX IF EXISTS main.%1").arg(empireIndexName(table)).toUtf8();
    return sqlite3_exec(handle(), sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

void Store::buildEmpireIndex(const QString& table) const
{
    run(empireIndexStatement(table));
}

bool Store::hasField(const QString& table, const QString& field) const
{
    QSqlQuery fields = run(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
    while (fields.next()) {
        if (fields.value(1).toString() == field)
            return true;
    }
    return false;
}

bool Store::hasTable(const QString& table) const
{
    QSqlQuery query = run(
        QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"), {table});
    return query.next();
}

namespace {

int compareAnyCase(void*, int leftBytes, const void* left, int rightBytes, const void* right)
{
    const auto view = [](const void* text, int bytes) {
        return QStringView(static_cast<const char16_t*>(text), bytes / 2);
    };
    return view(left, leftBytes).compare(view(right, rightBytes), Qt::CaseInsensitive);
}

} // namespace

void Store::addAnyCaseCollation() const
{
    if (sqlite3_create_collation(handle(), "ANYCASE", SQLITE_UTF16_ALIGNED, nullptr,
                                 compareAnyCase) != SQLITE_OK)
        fail(QStringLiteral("prepare"), QStringLiteral("its comparison of names"));
}

Store::~Store()
{
    m_watch.reset(); // before its connection closes
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase Store::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool Store::hasSchema() const
{
    QSqlQuery tables = run(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QSet<QString> present;
    while (tables.next())
        present.insert(tables.value(0).toString());
    QStringList needed{QStringLiteral("Empires"), QStringLiteral("Orders"),
                       QStringLiteral("Settings")};
    // A database of an earlier version, read only, does without the orders cleared last.
    if (!m_readOnly)
        needed << QStringLiteral("Cleared Orders");
    for (const auto& table : reader::kImportedTables)
        needed << QString::fromUtf8(table.name.data(), qsizetype(table.name.size()));
    return std::all_of(needed.begin(), needed.end(),
                       [&present](const QString& name) { return present.contains(name); });
}

sqlite3* Store::handle() const
{
    const QVariant handle = database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        fail(QStringLiteral("reach"), QStringLiteral("the database driver is not SQLite"));
    return *static_cast<sqlite3* const*>(handle.constData());
}

void Store::createSchema()
{
    Transaction transaction(*this);
    for (const QString& statement : schemaStatements())
        run(statement);
    transaction.commit();
}

QSqlQuery Store::prepare(const QString& sql) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(QStringLiteral("prepare a query on"), query.lastError());
    return query;
}

void Store::execute(QSqlQuery& query) const
{
    if (!query.exec())
        fail(QStringLiteral("work with"), query.lastError());
}

QSqlQuery Store::run(const QString& sql, std::initializer_list<QVariant> values) const
{
    QSqlQuery query = prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    execute(query);
    return query;
}

QString StoredRow::text(int column) const
{
    const auto* characters =
        reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!characters)
        return QString();
    return QString::fromUtf8(characters, sqlite3_column_bytes(m_statement, column));
}

qint64 StoredRow::number(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QByteArrayView StoredRow::utf8(int column) const
{
    const auto* characters =
        reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    if (!characters)
        return {};
    return QByteArrayView(characters, sqlite3_column_bytes(m_statement, column));
}

void Store::eachRow(const QString& sql, std::initializer_list<QVariant> values,
                    const std::function<void(const StoredRow&)>& take) const
{
    sqlite3* db = handle();
    sqlite3_stmt* prepared = nullptr;
    const auto failed = [&](const QString& what) {
        fail(what, QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db)),
                             QSqlError::StatementError, QString::number(sqlite3_errcode(db))));
    };
    const QByteArray text = sql.toUtf8();
    const int made = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &prepared, nullptr);
    // Finalized however the reading ends, a row's taker throwing included.
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> owner(prepared,
                                                                           &sqlite3_finalize);
    sqlite3_stmt* statement = owner.get();
    if (made != SQLITE_OK)
        failed(QStringLiteral("prepare a query on"));
    int index = 1;
    for (const QVariant& value : values) {
        const int bound =
            value.typeId() == QMetaType::QString
                ? sqlite3_bind_text16(statement, index, value.toString().utf16(),
                                      int(value.toString().size() * 2), SQLITE_TRANSIENT)
                : sqlite3_bind_int64(statement, index, value.toLongLong());
        if (bound != SQLITE_OK)
            failed(QStringLiteral("work with"));
        ++index;
    }
    const StoredRow row(statement);
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(statement)) == SQLITE_ROW)
        take(row);
    if (stepped != SQLITE_DONE)
        failed(QStringLiteral("work with"));
}

QString Store::quoted(const QString& identifier)
{
    QString escaped = identifier;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void Store::fail(const QString& what, const QSqlError& error) const
{
    // SQLite's primary code is the low byte of its extended code.
    constexpr int kPrimaryCode = 0xff;
    const int code = error.nativeErrorCode().toInt() & kPrimaryCode;
    const QString folder = QDir::toNativeSeparators(QFileInfo(m_path).absolutePath());
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        throw Error(QStringLiteral("The turn entry database %1 is in use by another program (or "
                                   "by a second copy of this one). Close it there, then try "
                                   "again.")
                        .arg(QDir::toNativeSeparators(m_path)));
    if (code == SQLITE_READONLY || m_readOnly)
        throw Error(QStringLiteral("The data folder %1 cannot be written to, so nothing can be "
                                   "stored or changed.")
                        .arg(folder));
    // SQLite tells a full disk as such only when the database file cannot grow; a journal or
    // its index that cannot be written shows as an I/O error.
    if (code == SQLITE_FULL || (code == SQLITE_IOERR && diskIsFull(folder)))
        throw Error(QStringLiteral("The disk holding %1 is full, so nothing more can be stored.")
                        .arg(folder));
    fail(what, error.text());
}

void Store::fail(const QString& what, const QString& detail) const
{
    throw Error(QStringLiteral("Could not %1 the turn entry database %2:\n%3")
                    .arg(what, m_path, detail.trimmed()));
}

Transaction::Transaction(const Store& store)
    : m_store(store)
{
    store.run(QStringLiteral("BEGIN IMMEDIATE"));
    m_open = true;
}

Transaction::~Transaction()
{
    if (!m_open)
        return;
    QSqlQuery rollback(m_store.database());
    rollback.exec(QStringLiteral("ROLLBACK"));
}

void Transaction::commit()
{
    m_store.run(QStringLiteral("COMMIT"));
    m_open = false;
}

} // namespace vf
