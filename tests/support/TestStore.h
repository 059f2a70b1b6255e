#pragma once

#include "model/Order.h"
#include "platform/DataFolder.h"
#include "store/Store.h"

#include <QTemporaryDir>
#include <memory>

namespace vf::test {

// A fresh data folder in a temporary directory with a real turn entry database in it.
class TestStore {
public:
    TestStore();

    Store& store() { return *m_store; }
    const DataFolder& folder() const { return m_folder; }
    QString path() const { return m_dir.path(); }

    void addEmpire(int id, const QString& name,
                   const QString& password = QStringLiteral("tinderly"));
    // Imports a fixture of tests/data (e.g. "123.mdb") for its empire through the reader.
    void importFixture(const QString& fileName, int empireId);
    // A row count of a table, optionally of one empire.
    int count(const QString& table, int empireId = -1);
    // Every row of a table as text, in stored order ("a|b|c", NULL as "<null>").
    QStringList dump(const QString& table, const QString& fields);
    // Every row of the empires, the orders and the imported tables, and the database's
    // indexes: what a refused import must leave as it was. Without further fields: the
    // imported tables' own fields only.
    enum class Fields { All, Own };
    QStringList snapshot(Fields fields = Fields::All);
    // The names of the database's indexes, in order of name.
    QStringList indexes();

    // An empty regular file in the data folder, e.g. where a folder is wanted.
    QString emptyFile(const QString& name) { return fileWith(name, QByteArray()); }
    // A file in the data folder holding the bytes given.
    QString fileWith(const QString& name, const QByteArray& bytes);
    // A stand-in for the turn results reader that takes the given steps, one a line (see
    // fakereader.cpp: "relay", "stderr TEXT", "sleep 60", ...).
    QString fakeReader(const QString& steps);

    static QString dataFile(const QString& name);
    // The next turn's file of empire 123, made from 123.mdb by changing values in place (each
    // the same size, so the file stays valid): fleet 8 is renumbered 31, fleet 12 renamed and its
    // speed 4 made 6, an unexplored warp point explored, an item renamed.
    static QByteArray nextTurnOf123();
    // A file's bytes, or "<missing>" when it cannot be read.
    static QByteArray contentsOf(const QString& path);
    // The 51 slots of an order: the values given, then single blanks.
    static std::array<QString, kSlotCount> slots(const QStringList& values = {});
    static QString readerPath();
    // A program built beside the tests, by its name without a system's ending.
    static QString programPath(const QString& name);

private:
    QTemporaryDir m_dir;
    DataFolder m_folder;
    std::unique_ptr<Store> m_store;
};

} // namespace vf::test
