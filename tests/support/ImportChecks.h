#pragma once

// What the tests of the import share: files and rows to compare with, stores filled for an
// empire, and damaged copies of the fixtures.

#include "Error.h"
#include "TestStore.h"
#include "model/Order.h"
#include "protocol/ImportedTables.h"
#include "store/OrderRepository.h"
#include "store/Store.h"
#include "turnimport/TurnImporter.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace vf::test {

// Reads one CSV file as mdb-export writes it: a header line, then quoted texts and numbers.
inline QList<QStringList> readCsv(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    const QString text = QString::fromUtf8(file.readAll());
    QList<QStringList> rows;
    QStringList row;
    QString value;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                value += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                value += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << value;
            value.clear();
        } else if (c == QLatin1Char('\n')) {
            row << value;
            rows << row;
            row.clear();
            value.clear();
        } else if (c != QLatin1Char('\r')) {
            value += c;
        }
    }
    return rows;
}

// The rows of a dump, keeping the import's fields, as "a|b|c".
inline QStringList expectedRows(const QString& dumpFolder, const reader::Table& table)
{
    const QList<QStringList> csv =
        readCsv(QDir(dumpFolder)
                    .filePath(QString::fromUtf8(table.name.data(), table.name.size()) +
                              QStringLiteral(".csv")));
    QList<int> columns;
    for (const auto& field : table.fields)
        columns << csv.first().indexOf(QString::fromUtf8(field.name.data(), field.name.size()));
    QStringList rows;
    for (qsizetype r = 1; r < csv.size(); ++r) {
        QStringList values;
        for (int column : columns)
            values << csv[r][column];
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

inline QString fieldList(const reader::Table& table)
{
    QStringList fields;
    for (const auto& field : table.fields)
        fields << Store::quoted(QString::fromUtf8(field.name.data(), field.name.size()));
    return fields.join(QStringLiteral(", "));
}

inline QString tableName(const reader::Table& table)
{
    return QString::fromUtf8(table.name.data(), table.name.size());
}

// Everything in the thirteen tables, Empires and Orders, for before/after comparisons.
inline void fillEmpire(TestStore& t, int empireId)
{
    t.addEmpire(empireId, QStringLiteral("Empire %1").arg(empireId));
    std::array<QString, kSlotCount> slots;
    slots.fill(QStringLiteral(" "));
    OrderRepository(t.store()).append(empireId, QStringLiteral("TREE"), slots);
    for (const auto& table : reader::kImportedTables) {
        QStringList values;
        for (const auto& field : table.fields)
            values << (field.name == "EmpireID"                       ? QString::number(empireId)
                       : field.kind == reader::FieldKind::WholeNumber ? QStringLiteral("1")
                                                                      : QStringLiteral("'old'"));
        t.store().run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(Store::quoted(tableName(table)), fieldList(table),
                               values.join(QLatin1Char(','))));
    }
}

// The place of Fleets among the tables the reader writes.
inline constexpr int kFleets = 2;

// The file with one byte changed, after checking that it held the byte expected there.
inline QByteArray changedByte(const QByteArray& file, qsizetype at, char was, char now)
{
    if (file.at(at) != was)
        qFatal("byte %lld is not %d", static_cast<long long>(at), int(was));
    QByteArray changed = file;
    changed[at] = now;
    return changed;
}

// 123.mdb with the system "Sol" kept compressed: the mark FF FE and a byte a letter, five bytes
// instead of six. The rows at and below its place on the page move up a byte, as the engine
// packs them, and the page counts one more byte free.
inline QByteArray withSolCompressed(const QByteArray& file)
{
    constexpr qsizetype kPage = 4096;
    constexpr int kFreeBytes = 2;
    constexpr int kRowCount = 12;
    constexpr int kRowOffsets = 14; // the page's table of rows
    constexpr int kOffsetMask = 0x1fff;
    const QByteArray row = QByteArray::fromHex("02007b000000") + QByteArray("S\0o\0l\0", 6) +
                           QByteArray::fromHex("0c000600010003");
    const qsizetype at = file.indexOf(row);
    if (at < 0)
        qFatal("123.mdb does not keep Sol where expected");
    const qsizetype page = at / kPage * kPage;
    const auto read16 = [&file](qsizetype where) {
        return qFromLittleEndian<quint16>(file.constData() + where);
    };
    QByteArray changed = file;
    qsizetype lowest = at - page;
    for (int r = 0; r < read16(page + kRowCount); ++r) {
        const qsizetype entry = page + kRowOffsets + 2 * r;
        const int start = read16(entry) & kOffsetMask;
        if (start <= at - page)
            qToLittleEndian(quint16(read16(entry) + 1), changed.data() + entry);
        lowest = qMin<qsizetype>(lowest, start);
    }
    const QByteArray compressed = QByteArray::fromHex("02007b000000fffe") + QByteArray("Sol") +
                                  QByteArray::fromHex("0b000600010003");
    changed.replace(page + lowest, at + row.size() - page - lowest,
                    QByteArray(1, '\0') + file.mid(page + lowest, at - page - lowest) + compressed);
    qToLittleEndian(quint16(read16(page + kFreeBytes) + 1), changed.data() + page + kFreeBytes);
    return changed;
}

inline QString expectFailure(TestStore& t, const QString& file, int empireId,
                             ReaderLimits limits = {},
                             const QString& reader = TestStore::readerPath())
{
    try {
        TurnImporter(t.store(), reader, limits).importFile(empireId, file);
    } catch (const Error& error) {
        return error.message();
    }
    return QString();
}

} // namespace vf::test
