#pragma once

#include "ImportWriter.h"
#include "ReaderRun.h"

#include <QList>
#include <QString>

namespace vf {

class Store;

// What came over from the old program's database.
struct OldDatabaseReport {
    qint64 empires = 0;
    qint64 orders = 0;
    qint64 turnDataRows = 0;
    QList<qint64> alreadyHere; // empire numbers left as they were, ascending
    LeftOutRows leftOut;       // rows of no empire, or of one the old database does not register
};

// Brings the empires (number, name, password), their orders (priority, code and every slot
// exactly as stored) and the imported tables over from the old program's database, read by
// the reader like a turn results file. An empire number the turn entry database already
// has is left as it is, with its orders and turn data; an order or turn data row of an
// empire the old database does not register is not brought over. An empire row without a
// number, name or password refuses the whole database. One transaction: any failure throws
// vf::Error naming the file and the cause, and changes nothing. The old file is only read.
class OldDatabaseImporter {
public:
    OldDatabaseImporter(const Store& store, QString readerPath, ReaderLimits limits = {});

    OldDatabaseReport importFile(const QString& file, const Progress& progress = {}) const;

    // The old program's database file in a data folder.
    static QString fileIn(const QString& dataFolder);

private:
    const Store& m_store;
    QString m_readerPath;
    ReaderLimits m_limits;
};

} // namespace vf
