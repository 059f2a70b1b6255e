#pragma once

#include "TestStore.h"
#include "protocol/ImportedTables.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QStringList>

#include <span>

namespace vf::test {

// The reader's output for a file whose tables hold only the rows given: for each table index
// the frames of its rows ("I123" a whole number, "Sname" a text, "N" no value). The end frame
// counts the rows written, or countedRows when given.
QByteArray readerOutput(const QMap<int, QList<QStringList>>& rows, qint64 countedRows = -1,
                        std::span<const reader::Table> tables = reader::kImportedTables);

// The reader's frame telling a table of the file it did not read, and the output with a frame
// put before its end frame (the last 17 bytes).
QByteArray unreadFrame(const QByteArray& name, qint64 rows);
QByteArray beforeItsEnd(const QByteArray& output, const QByteArray& frame);

// A stand-in reader that writes the given bytes and ends cleanly.
QString readerWriting(TestStore& t, const QByteArray& output);

} // namespace vf::test
