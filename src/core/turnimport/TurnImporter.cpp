#include "TurnImporter.h"

#include "Error.h"
#include "ImportedTables.h"
#include "StagingArea.h"
#include "StagingFormat.h"
#include "TurnFileCheck.h"
#include "store/Store.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlError>
#include <QStringList>

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

// A whole-number field of the file may be any number type, or text holding digits (the field
// was made a Text field); it is stored as an integer, as the engine would convert it.
QString wholeNumberValue(const QString& field)
{
    return QStringLiteral("CASE typeof(%1) WHEN 'real' THEN CAST(%1 AS INTEGER) WHEN 'text' THEN "
                          "CAST(trim(%1) AS INTEGER) ELSE %1 END")
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

// True for a value an identifier field cannot hold: not a whole number of 32 bits. Text
// counts when it is digits alone, with a sign and blanks around them at most.
QString notWholeNumber(const QString& field)
{
    const QString digits =
        QStringLiteral("CASE WHEN substr(trim(%1), 1, 1) IN ('+', '-') THEN substr(trim(%1), 2) "
                       "ELSE trim(%1) END")
            .arg(field);
    return QStringLiteral(
               "(%1 IS NOT NULL AND NOT ((typeof(%1) = 'integer' OR (typeof(%1) = 'real' AND %1 = "
               "CAST(%1 AS INTEGER)) OR (typeof(%1) = 'text' AND length(%2) BETWEEN 1 AND 10 AND "
               "%2 NOT GLOB '*[^0-9]*')) AND %3 BETWEEN -2147483648 AND 2147483647))")
        .arg(field, digits, wholeNumberValue(field));
}

QString tableName(const turnfile::Table& table)
{
    return Store::quoted(nameOf(table.name));
}

const QString kEmpireId = QStringLiteral("EmpireID");

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

StagedTurnFile::StagedTurnFile(QString file, std::unique_ptr<StagingRun> stagingRun)
    : turnFile(std::move(file))
    , run(std::move(stagingRun))
{
}

StagedTurnFile::~StagedTurnFile() = default;

QString StagedTurnFile::stagingFile() const
{
    return run->stagingFile();
}

TurnImporter::TurnImporter(const Store& store, QString workerPath, WorkerLimits limits)
    : m_store(store)
    , m_workerPath(std::move(workerPath))
    , m_limits(limits)
{
}

std::unique_ptr<StagedTurnFile> TurnImporter::read(const QString& turnFile,
                                                   const CancelCheck& cancelRequested) const
{
    if (const auto problem = checkTurnFile(turnFile))
        throw importError(turnFile, *problem);
    std::unique_ptr<StagingRun> run;
    try {
        run = StagingArea::besideDatabase(m_store.path()).startRun();
    } catch (const Error& error) {
        throw importError(turnFile, error.message());
    }
    auto staged = std::make_unique<StagedTurnFile>(turnFile, std::move(run));
    QElapsedTimer clock;
    clock.start();
    const WorkerOutcome outcome =
        runTurnFileWorker(m_workerPath, turnFile, staged->stagingFile(), m_limits, cancelRequested);
    staged->statistics.workerMs = clock.elapsed();
    staged->statistics.readMs = outcome.readMs;
    if (!outcome.complete)
        throw importError(turnFile, outcome.cause);
    Attachment attachment(m_store, staged->stagingFile());
    checkStaging(turnFile);
    return staged;
}

EmpiresInFile TurnImporter::empiresIn(int empireId, const StagedTurnFile& staged) const
{
    Attachment attachment(m_store, staged.stagingFile());
    const QString empire = wholeNumberValue(kEmpireId);
    EmpiresInFile found;
    QStringList all;
    for (const auto& table : turnfile::kImportedTables) {
        const QString from = QStringLiteral("staging.") + tableName(table);
        if (m_store
                .run(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1").arg(from, empire),
                     {empireId})
                .next())
            found.holdsChosenEmpire = true;
        all << QStringLiteral("SELECT %1 AS id FROM %2").arg(empire, from);
    }
    if (found.holdsChosenEmpire)
        return found;
    QSqlQuery ids =
        m_store.run(QStringLiteral("SELECT DISTINCT id FROM (%1) WHERE id IS NOT NULL ORDER BY id")
                        .arg(all.join(QStringLiteral(" UNION ALL "))));
    while (ids.next())
        found.empireIds << ids.value(0).toLongLong();
    return found;
}

void TurnImporter::replace(int empireId, StagedTurnFile& staged) const
{
    QElapsedTimer clock;
    clock.start();
    Attachment attachment(m_store, staged.stagingFile());
    copyRows(empireId, staged.turnFile);
    staged.statistics.copyMs = clock.elapsed();
}

ImportStatistics TurnImporter::importFile(int empireId, const QString& turnFile) const
{
    const auto staged = read(turnFile);
    replace(empireId, *staged);
    return staged->statistics;
}

void TurnImporter::checkStaging(const QString& turnFile) const
{
    QSqlQuery version = m_store.run(QStringLiteral("PRAGMA staging.user_version"));
    if (!version.next() || version.value(0).toInt() != turnfile::kStagingComplete)
        throw importError(turnFile, QStringLiteral("the reader did not finish its work"));
    version.finish();
    const auto anyRow = [&](const turnfile::Table& table, const QString& condition) {
        QSqlQuery check(m_store.database());
        if (!check.exec(QStringLiteral("SELECT 1 FROM staging.%1 WHERE %2 LIMIT 1")
                            .arg(tableName(table), condition)))
            throw importError(turnFile, QStringLiteral("the reader's output is malformed (%1)")
                                            .arg(check.lastError().text()));
        return check.next();
    };
    for (const auto& table : turnfile::kImportedTables) {
        QStringList conditions;
        for (const auto& field : table.fields) {
            if (field.kind == turnfile::FieldKind::WholeNumber)
                conditions << notWholeNumber(Store::quoted(nameOf(field.name)));
        }
        // One pass over the table; the field is looked for only when something is wrong.
        if (!anyRow(table, conditions.join(QStringLiteral(" OR "))))
            continue;
        for (const auto& field : table.fields) {
            if (field.kind == turnfile::FieldKind::WholeNumber &&
                anyRow(table, notWholeNumber(Store::quoted(nameOf(field.name)))))
                throw importError(turnFile,
                                  QStringLiteral("the field \"%1\" of the table \"%2\" holds a "
                                                 "value that is not a whole number")
                                      .arg(nameOf(field.name), nameOf(table.name)));
        }
    }
}

void TurnImporter::copyStaging(int empireId, const QString& stagingFile,
                               const QString& turnFile) const
{
    Attachment attachment(m_store, stagingFile);
    checkStaging(turnFile);
    copyRows(empireId, turnFile);
}

void TurnImporter::copyRows(int empireId, const QString& turnFile) const
{
    try {
        Transaction transaction(m_store);
        for (const auto& table : turnfile::kImportedTables) {
            const QString target = tableName(table);
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
            // A row without an empire number belongs to no one: no import could remove it.
            m_store.run(QStringLiteral("INSERT INTO main.%1 (%2) SELECT %3 FROM staging.%1 "
                                       "WHERE EmpireID IS NOT NULL ORDER BY rowid")
                            .arg(target, fields.join(QStringLiteral(", ")),
                                 values.join(QStringLiteral(", "))));
        }
        transaction.commit();
    } catch (const Error& error) {
        throw importError(turnFile, error.message());
    }
}

} // namespace vf
