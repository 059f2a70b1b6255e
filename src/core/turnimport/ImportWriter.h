#pragma once

#include "store/TurnImports.h"

#include "ReaderRun.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vf {

class Store;
namespace reader {
struct Table;
}

// Rows the import read but did not store: those that name no empire, and those of empires
// the import is not for, counted by empire number.
struct LeftOutRows {
    qint64 withoutEmpire = 0;
    QMap<qint64, qint64> byEmpire;
    qint64 total() const;
};

// Stores the rows the reader streams (see ReaderProtocol.h) into the tables of the same name,
// inside the transaction the caller holds. A row without an empire number is not stored: no
// import could ever remove it again; nor is one whose empire number the caller keeps out.
// Both are counted. In a table whose every value is required, a row that lacks one (or has an
// empty text) makes the whole import fail.
class ImportWriter {
public:
    // Whether a row of the table (its index) with that empire number is stored.
    using KeepEmpire = std::function<bool(int table, qint64 empireId)>;

    // The tables in the order the reader writes them; every one begins with EmpireID.
    ImportWriter(const Store& store, std::span<const reader::Table> tables, KeepEmpire keep = {});
    ~ImportWriter();
    ImportWriter(const ImportWriter&) = delete;
    ImportWriter& operator=(const ImportWriter&) = delete;

    // Takes the next bytes of the reader's output. False when they are malformed or cannot be
    // stored; error() says why, and nothing more is taken.
    bool take(const QByteArray& bytes);
    // True once the end frame has come and counted every row.
    bool finished() const { return m_finished; }
    QString error() const { return m_error; }

    QList<qint64> empireIds() const; // of every row read, stored or not
    const LeftOutRows& leftOut() const { return m_leftOut; }
    qint64 storedRows(int table) const { return m_stored.value(table); }
    bool holdsEmpire(qint64 empireId) const { return m_empireIds.contains(empireId); }
    qint64 readMs() const { return m_readMs; }
    // The further fields the reader named for a table (its index), in the order each row's
    // More value holds them.
    QStringList extraFields(int table) const { return m_extraNames.value(table); }
    // The tables of the file that were not read (a turn results file's, told after its rows).
    const QList<UnreadTable>& unreadTables() const { return m_unread; }

private:
    class Cursor;
    // Each returns false when the frame is not all there yet.
    bool takeFrame(Cursor& at);
    bool takeRow(Cursor& at);
    bool takeEnd(Cursor& at);
    bool takeExtraNames(Cursor& at);
    bool takeExtraValues(Cursor& at, int column);
    bool takeUnread(Cursor& at);
    // A text value ('S', its length, its bytes); false when more bytes are wanted or it is
    // malformed (then error() says so).
    bool takeText(Cursor& at, QString& text);
    void noteEmpire(qint64 empireId);
    void storeRow();
    bool fail(const QString& why);

    sqlite3* m_db;
    std::span<const reader::Table> m_tables;
    KeepEmpire m_keep;
    std::vector<sqlite3_stmt*> m_inserts;
    std::vector<int> m_moreColumn; // per table: the insert's parameter for More, 0: none
    QList<QStringList> m_extraNames;
    QList<UnreadTable> m_unread;
    QByteArray m_more; // the row's further values, joined
    QList<qint64> m_stored;
    LeftOutRows m_leftOut;
    QByteArray m_pending;
    int m_table = -1;
    qint64 m_rows = 0;
    qint64 m_rowsBeforeTable = 0; // further field names come before a table's rows
    qint64 m_readMs = -1;
    bool m_finished = false;
    QString m_error;
    QSet<qint64> m_empireIds;
    qint64 m_lastEmpireId = 0;
    bool m_rowWithoutEmpire = false;
    bool m_rowKeptOut = false;
    qint64 m_rowEmpire = 0;
};

// Runs the reader on a file and hands its output to the writer. Throws vf::Error with the
// cause alone (the caller names the file) unless the reader delivered every row and ended
// cleanly.
void streamRows(const QString& readerPath, const QString& file, const ReaderLimits& limits,
                ImportWriter& writer, const Progress& progress, ReaderInput input);

} // namespace vf
