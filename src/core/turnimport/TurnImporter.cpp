#include "TurnImporter.h"

#include "Error.h"
#include "ImportedTables.h"
#include "StagingFormat.h"
#include "TurnFileCheck.h"
#include "store/Store.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlError>
#include <QStringList>
#include <QTemporaryDir>

namespace vf {

namespace {

QString nameOf(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

Error importError(const QString& turnFile, const QString& cause)
{
    return Error(QStringLiteral("The turn results file %1 could not be imported: %2.\n\n"
                                "Nothing has been changed.")
                     .arg(QDir::toNativeSeparators(turnFile), cause));
}

// A whole-number field of the file may be any number type; it is stored as an integer.
QString wholeNumberValue(const QString& field)
{
    return QStringLiteral("CASE WHEN typeof(%1) = 'real' THEN CAST(%1 AS INTEGER) ELSE %1 END")
        .arg(field);
}

// Other fields are stored as text; numbers in plain decimal (3, never 3.0).
QString textValue(const QString& field)
{
    return QStringLiteral("CASE typeof(%1) WHEN 'real' THEN CASE WHEN %1 = CAST(%1 AS INTEGER) "
                          "THEN CAST(CAST(%1 AS INTEGER) AS TEXT) ELSE CAST(%1 AS TEXT) END "
                          "WHEN 'integer' THEN CAST(%1 AS TEXT) ELSE %1 END")
        .arg(field);
}

// True for a value an identifier field cannot hold: not a whole number of 32 bits.
QString notWholeNumber(const QString& field)
{
    return QStringLiteral("(%1 IS NOT NULL AND NOT ((typeof(%1) = 'integer' OR (typeof(%1) = "
                          "'real' AND %1 = CAST(%1 AS INTEGER))) AND %1 BETWEEN -2147483648 AND "
                          "2147483647))")
        .arg(field);
}

class Attachment {
public:
    Attachment(const Store& store, const QString& file)
        : m_store(store)
    {
        store.run(QStringLiteral("ATTACH DATABASE ? AS staging"), {file});
    }
    ~Attachment()
    {
        QSqlQuery detach(m_store.database());
        detach.exec(QStringLiteral("DETACH DATABASE staging"));
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

private:
    const Store& m_store;
};

} // namespace

TurnImporter::TurnImporter(const Store& store, QString workerPath, WorkerLimits limits)
    : m_store(store)
    , m_workerPath(std::move(workerPath))
    , m_limits(limits)
{
}

ImportStatistics TurnImporter::importFile(int empireId, const QString& turnFile) const
{
    if (const auto problem = checkTurnFile(turnFile))
        throw importError(turnFile, *problem);
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw importError(
            turnFile,
            QStringLiteral("no temporary folder could be made (%1)").arg(scratch.errorString()));
    const QString stagingFile = scratch.filePath(QStringLiteral("staging.sqlite"));

    ImportStatistics statistics;
    QElapsedTimer clock;
    clock.start();
    const WorkerOutcome outcome = runTurnFileWorker(m_workerPath, turnFile, stagingFile, m_limits);
    statistics.workerMs = clock.restart();
    statistics.readMs = outcome.readMs;
    if (!outcome.complete)
        throw importError(turnFile, outcome.cause);
    copyStaging(empireId, stagingFile, turnFile);
    statistics.copyMs = clock.elapsed();
    return statistics;
}

void TurnImporter::checkStaging(const QString& turnFile) const
{
    QSqlQuery version = m_store.run(QStringLiteral("PRAGMA staging.user_version"));
    if (!version.next() || version.value(0).toInt() != turnfile::kStagingComplete)
        throw importError(turnFile, QStringLiteral("the reader did not finish its work"));
    version.finish();
    for (const auto& table : turnfile::kImportedTables) {
        QStringList wrong;
        for (const auto& field : table.fields) {
            if (field.kind == turnfile::FieldKind::WholeNumber)
                wrong << notWholeNumber(Store::quoted(nameOf(field.name)));
        }
        QSqlQuery check(m_store.database());
        const QString sql =
            QStringLiteral("SELECT count(*) FROM staging.%1 WHERE %2")
                .arg(Store::quoted(nameOf(table.name)), wrong.join(QStringLiteral(" OR ")));
        if (!check.exec(sql))
            throw importError(turnFile, QStringLiteral("the reader's output is malformed (%1)")
                                            .arg(check.lastError().text()));
        if (check.next() && check.value(0).toInt() > 0)
            throw importError(turnFile, QStringLiteral("the table \"%1\" holds an identifier that "
                                                       "is not a whole number")
                                            .arg(nameOf(table.name)));
    }
}

void TurnImporter::copyStaging(int empireId, const QString& stagingFile,
                               const QString& turnFile) const
{
    Attachment attachment(m_store, stagingFile);
    checkStaging(turnFile);
    try {
        Transaction transaction(m_store);
        for (const auto& table : turnfile::kImportedTables) {
            const QString target = Store::quoted(nameOf(table.name));
            QStringList fields;
            QStringList values;
            for (const auto& field : table.fields) {
                const QString name = Store::quoted(nameOf(field.name));
                fields << name;
                values << (field.kind == turnfile::FieldKind::WholeNumber ? wholeNumberValue(name)
                                                                          : textValue(name));
            }
            m_store.run(QStringLiteral("DELETE FROM main.%1 WHERE EmpireID = ?").arg(target),
                        {empireId});
            m_store.run(QStringLiteral("INSERT INTO main.%1 (%2) SELECT %3 FROM staging.%1 "
                                       "ORDER BY rowid")
                            .arg(target, fields.join(QStringLiteral(", ")),
                                 values.join(QStringLiteral(", "))));
        }
        transaction.commit();
    } catch (const Error& error) {
        throw importError(turnFile, error.message());
    }
}

} // namespace vf
