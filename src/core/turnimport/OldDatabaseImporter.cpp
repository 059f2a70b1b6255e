#include "OldDatabaseImporter.h"

#include "Error.h"
#include "ImportWriter.h"
#include "TurnFileCheck.h"
#include "Wording.h"
#include "protocol/ImportedTables.h"
#include "store/EmpireRepository.h"
#include "store/Store.h"

#include <QDir>
#include <QSet>

#include <algorithm>

namespace vf {

namespace {

constexpr int kEmpiresTable = 0;
constexpr int kOrdersTable = 1;

Error oldDatabaseError(const QString& file, const QString& cause)
{
    return Error(QStringLiteral("The old turn entry database %1 could not be brought over: "
                                "%2.\n\nNothing has been changed.")
                     .arg(QDir::toNativeSeparators(file), asClause(cause)));
}

} // namespace

OldDatabaseImporter::OldDatabaseImporter(const Store& store, QString readerPath,
                                         ReaderLimits limits)
    : m_store(store)
    , m_readerPath(std::move(readerPath))
    , m_limits(limits)
{
}

QString OldDatabaseImporter::fileIn(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QStringLiteral("VF Turn Entry Data.mdb"));
}

OldDatabaseReport OldDatabaseImporter::importFile(const QString& file,
                                                  const Progress& progress) const
{
    if (const auto problem = checkTurnFile(file, QStringLiteral("a turn entry database")))
        throw oldDatabaseError(file, *problem);
    OldDatabaseReport report;
    try {
        QSet<qint64> here;
        for (const Empire& empire : EmpireRepository(m_store).all())
            here.insert(empire.id);
        // The empires come first: every later row must be of one of them.
        QSet<qint64> registered;
        QSet<qint64> alreadyHere;
        const auto keep = [&](int table, qint64 empireId) {
            if (table == kEmpiresTable) {
                registered.insert(empireId);
                if (here.contains(empireId))
                    alreadyHere.insert(empireId);
            }
            return registered.contains(empireId) && !here.contains(empireId);
        };
        Transaction transaction(m_store);
        ImportWriter writer(m_store, reader::kOldDatabaseTables, keep);
        streamRows(m_readerPath, file, m_limits, writer, progress, ReaderInput::OldDatabase);
        transaction.commit();
        report.empires = writer.storedRows(kEmpiresTable);
        report.orders = writer.storedRows(kOrdersTable);
        for (int table = kOrdersTable + 1; table < int(reader::kOldDatabaseTables.size()); ++table)
            report.turnDataRows += writer.storedRows(table);
        report.alreadyHere = QList<qint64>(alreadyHere.cbegin(), alreadyHere.cend());
        std::sort(report.alreadyHere.begin(), report.alreadyHere.end());
        report.leftOut = writer.leftOut();
        for (const qint64 id : report.alreadyHere)
            report.leftOut.byEmpire.remove(id); // left as they were, not lost
    } catch (const Error& error) {
        throw oldDatabaseError(file, error.message());
    }
    return report;
}

} // namespace vf
