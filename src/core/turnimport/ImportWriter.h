#pragma once

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vf {

class Store;

// Stores the rows the turn results reader streams (see ReaderProtocol.h) into the imported
// tables, inside the transaction the caller holds. A row without an empire number is not
// stored: no import could ever remove it again.
class ImportWriter {
public:
    explicit ImportWriter(const Store& store);
    ~ImportWriter();
    ImportWriter(const ImportWriter&) = delete;
    ImportWriter& operator=(const ImportWriter&) = delete;

    // Takes the next bytes of the reader's output. False when they are malformed or cannot be
    // stored; error() says why, and nothing more is taken.
    bool take(const QByteArray& bytes);
    // True once the end frame has come and counted every row.
    bool finished() const { return m_finished; }
    QString error() const { return m_error; }

    QList<qint64> empireIds() const;
    bool holdsEmpire(qint64 empireId) const { return m_empireIds.contains(empireId); }
    qint64 readMs() const { return m_readMs; }

private:
    class Cursor;
    // Each returns false when the frame is not all there yet.
    bool takeFrame(Cursor& at);
    bool takeRow(Cursor& at);
    bool takeEnd(Cursor& at);
    void storeRow();
    bool fail(const QString& why);

    sqlite3* m_db;
    std::vector<sqlite3_stmt*> m_inserts;
    QByteArray m_pending;
    int m_table = -1;
    qint64 m_rows = 0;
    qint64 m_readMs = -1;
    bool m_finished = false;
    QString m_error;
    QSet<qint64> m_empireIds;
    qint64 m_lastEmpireId = 0;
    bool m_rowWithoutEmpire = false;
};

} // namespace vf
