#include "TurnImporter.h"

#include "Error.h"
#include "ImportWriter.h"
#include "TurnFileCheck.h"
#include "Wording.h"
#include "protocol/ImportedTables.h"
#include "store/RecordNames.h"
#include "store/Store.h"
#include "store/TurnImports.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>

namespace vf {

namespace {

Error importError(const QString& turnFile, const QString& cause)
{
    return Error(QStringLiteral("The turn results file %1 could not be imported: %2.\n\n"
                                "Nothing has been changed.")
                     .arg(QDir::toNativeSeparators(turnFile), asClause(cause)));
}

// Whether every row of the table, if it has any, is the empire's (read from the index on
// EmpireID).
bool onlyRowsOf(const Store& store, const QString& table, int empireId)
{
    QSqlQuery range = store.run(
        // Each of min and max in a query of its own: SQLite reads them from the index only then.
        QStringLiteral("SELECT (SELECT min(EmpireID) FROM main.%1), "
                       "(SELECT max(EmpireID) FROM main.%1), "
                       "EXISTS (SELECT 1 FROM main.%1 WHERE EmpireID IS NULL)")
            .arg(table));
    if (!range.next() || range.value(2).toBool())
        return false;
    const bool empty = range.value(0).isNull();
    return empty ||
           (range.value(0).toLongLong() == empireId && range.value(1).toLongLong() == empireId);
}

// Returns the tables emptied whole.
QStringList deleteRowsOf(const Store& store, int empireId)
{
    QStringList emptied;
    for (const auto& table : reader::kImportedTables) {
        const QString name = QString::fromUtf8(table.name.data(), qsizetype(table.name.size()));
        const QString quoted = Store::quoted(name);
        // A table of this empire's rows alone is emptied whole, which SQLite does page by page
        // instead of row by row (most players keep one empire).
        if (onlyRowsOf(store, quoted, empireId)) {
            store.run(QStringLiteral("DELETE FROM main.%1").arg(quoted));
            emptied << name;
        } else {
            store.run(QStringLiteral("DELETE FROM main.%1 WHERE EmpireID = ?").arg(quoted),
                      {empireId});
        }
    }
    return emptied;
}

} // namespace

QString leftOutSummary(const LeftOutRows& leftOut)
{
    const qint64 total = leftOut.total();
    if (total == 0)
        return QString();
    QStringList parts;
    if (leftOut.withoutEmpire > 0)
        parts << countOf(leftOut.withoutEmpire, QStringLiteral("names no empire"),
                         QStringLiteral("name no empire"));
    for (auto it = leftOut.byEmpire.cbegin(); it != leftOut.byEmpire.cend(); ++it)
        parts << countOf(it.value(), QStringLiteral("names Empire # %1").arg(it.key()),
                         QStringLiteral("name Empire # %1").arg(it.key()));
    return countOf(total, QStringLiteral("row was not stored"),
                   QStringLiteral("rows were not stored")) +
           QStringLiteral(": ") + parts.join(QStringLiteral(", ")) + QLatin1Char('.');
}

TurnImporter::TurnImporter(const Store& store, QString readerPath, ReaderLimits limits)
    : m_store(store)
    , m_readerPath(std::move(readerPath))
    , m_limits(limits)
{
}

ImportResult TurnImporter::importFile(int empireId, const QString& turnFile, ForeignFile foreign,
                                      const Progress& progress) const
{
    if (const auto problem = checkTurnFile(turnFile))
        throw importError(turnFile, *problem);
    QElapsedTimer clock;
    clock.start();
    ImportResult result;
    try {
        // Until the commit, the old rows are there for everyone else, and a failure or a
        // program that ends half-way leaves them as they were.
        Transaction transaction(m_store);
        // What the orders name keeps its name after the import renumbers or drops it.
        RecordNames(m_store).keepNamedByOrders(empireId);
        // A table emptied whole is filled without its index, built again from all its rows.
        QStringList withoutIndex;
        for (const QString& table : deleteRowsOf(m_store, empireId)) {
            if (m_store.dropEmpireIndex(table))
                withoutIndex << table;
        }
        ImportWriter writer(m_store, reader::kImportedTables,
                            [empireId](int, qint64 rowEmpire) { return rowEmpire == empireId; });
        streamRows(m_readerPath, turnFile, m_limits, writer, progress, ReaderInput::TurnResults);
        const qint64 readerEnded = clock.elapsed();
        result.empireIds = writer.empireIds();
        result.leftOut = writer.leftOut();
        result.statistics.readMs = writer.readMs();
        if (foreign == ForeignFile::KeepOldData && !writer.holdsEmpire(empireId))
            return result;
        for (const QString& table : withoutIndex)
            m_store.buildEmpireIndex(table);
        for (int t = 0; t < int(reader::kImportedTables.size()); ++t) {
            const auto& name = reader::kImportedTables[std::size_t(t)].name;
            keepFurtherFields(m_store, empireId,
                              QString::fromUtf8(name.data(), qsizetype(name.size())),
                              writer.extraFields(t));
        }
        keepUnreadTables(m_store, empireId, writer.unreadTables());
        recordImport(m_store, empireId,
                     {QDateTime::currentDateTime(), QFileInfo(turnFile).fileName()});
        transaction.commit();
        result.replaced = true;
        result.statistics.finishMs = clock.elapsed() - readerEnded;
    } catch (const Error& error) {
        // The reader's causes and the database's failures alike.
        throw importError(turnFile, error.message());
    }
    return result;
}

} // namespace vf
