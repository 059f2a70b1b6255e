#include "TestStore.h"

#include "platform/System.h"
#include "protocol/ImportedTables.h"
#include "store/EmpireRepository.h"
#include "turnimport/TurnImporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtEndian>

#include <exception>

namespace vf::test {

TestStore::TestStore()
    : m_folder(m_dir.path())
    , m_store(std::make_unique<Store>(m_folder.databaseFile()))
{
}

void TestStore::addEmpire(int id, const QString& name, const QString& password)
{
    EmpireRepository(*m_store).add({id, name, password});
}

void TestStore::importFixture(const QString& fileName, int empireId)
{
    try {
        TurnImporter(*m_store, readerPath()).importFile(empireId, dataFile(fileName));
    } catch (const std::exception& error) {
        // Qt Test says only that an exception was caught: the log names it.
        qCritical("Importing %s failed: %s", qPrintable(fileName), error.what());
        throw;
    }
}

int TestStore::count(const QString& table, int empireId)
{
    const QString where =
        empireId < 0 ? QString() : QStringLiteral(" WHERE EmpireID = %1").arg(empireId);
    QSqlQuery query =
        m_store->run(QStringLiteral("SELECT count(*) FROM %1%2").arg(Store::quoted(table), where));
    return query.next() ? query.value(0).toInt() : -1;
}

QStringList TestStore::snapshot(Fields fields)
{
    QStringList all = dump(QStringLiteral("Empires"), QStringLiteral("*")) +
                      dump(QStringLiteral("Orders"), QStringLiteral("*"));
    for (const auto& table : reader::kImportedTables) {
        QStringList own;
        for (const auto& field : table.fields)
            own << Store::quoted(
                QString::fromUtf8(field.name.data(), qsizetype(field.name.size())));
        all += dump(QString::fromUtf8(table.name.data(), qsizetype(table.name.size())),
                    fields == Fields::All ? QStringLiteral("*") : own.join(QLatin1Char(',')));
    }
    return all << QStringLiteral("indexes: ") + indexes().join(QStringLiteral(", "));
}

QStringList TestStore::indexes()
{
    QSqlQuery query = m_store->run(
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' ORDER BY name"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

QStringList TestStore::dump(const QString& table, const QString& fields)
{
    QSqlQuery query = m_store->run(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(fields, Store::quoted(table)));
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

std::array<QString, kSlotCount> TestStore::slots(const QStringList& values)
{
    std::array<QString, kSlotCount> all;
    all.fill(QStringLiteral(" "));
    for (int i = 0; i < values.size() && i < kSlotCount; ++i)
        all[i] = values[i];
    return all;
}

QString TestStore::fileWith(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString TestStore::fakeReader(const QString& steps)
{
    qputenv("VFTURN_FAKE_READER", steps.toUtf8());
    return programPath(QStringLiteral("vfturn-fakereader"));
}

QByteArray TestStore::contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString TestStore::dataFile(const QString& name)
{
    return QDir(QStringLiteral(VFTURN_TEST_DATA)).filePath(name);
}

QString TestStore::readerPath()
{
    return programPath(QStringLiteral("vfturn-reader"));
}

QString TestStore::programPath(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(platform::executableName(name));
}

QByteArray TestStore::nextTurnOf123()
{
    QByteArray data = contentsOf(dataFile(QStringLiteral("123.mdb")));
    const auto replace = [&data](const QByteArray& from, const QByteArray& to) {
        const qsizetype at = data.indexOf(from);
        if (at >= 0 && data.indexOf(from, at + 1) < 0)
            data.replace(at, from.size(), to);
    };
    const auto utf16 = [](const char* text) {
        const QString string = QString::fromLatin1(text);
        return QByteArray(reinterpret_cast<const char*>(string.utf16()), string.size() * 2);
    };
    const auto fleet = [](qint32 id) {
        QByteArray bytes(8, '\0');
        qToLittleEndian(id, bytes.data());
        qToLittleEndian(qint32(123), bytes.data() + 4);
        return bytes;
    };
    replace(fleet(8), fleet(31));
    replace(fleet(12) + QByteArray("\x04\x00", 2), fleet(12) + QByteArray("\x06\x00", 2));
    replace(utf16("Home Guard"), utf16("Home Fleet"));
    replace(utf16("?7"), utf16("ZB"));
    replace(utf16("Fuel Tank"), utf16("Fuel Cell"));
    return data;
}

} // namespace vf::test
