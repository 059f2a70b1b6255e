#include "FileDamage.h"

#include <QtEndian>

namespace vf::test {

namespace {

// Jet 4 pages: the page type, a table definition's counts and where its column entries lie.
constexpr char kDataPage = 0x01;
constexpr char kDefinitionPage = 0x02;
constexpr int kColumnCountAt = 0x2d;
constexpr int kRealIndexCountAt = 0x33;
constexpr int kColumnsStart = 63;
constexpr int kIndexEntrySize = 12;
constexpr int kColumnEntrySize = 25;
constexpr int kOwnerAt = 4;
constexpr int kRowCountAt = 12;
constexpr int kRowOffsetsAt = 14;
constexpr int kOffsetMask = 0x1fff;
// The catalogue and the other tables of the engine come first; the player's tables after.
constexpr int kFirstUserDefinitionPage = 24;

} // namespace

int pageCount(const QByteArray& file)
{
    return int(file.size() / kPageSize);
}

char pageType(const QByteArray& file, int page)
{
    return file.at(qsizetype(page) * kPageSize);
}

namespace {

quint16 read16(const QByteArray& file, qsizetype at)
{
    return qFromLittleEndian<quint16>(file.constData() + at);
}

quint32 read32(const QByteArray& file, qsizetype at)
{
    return qFromLittleEndian<quint32>(file.constData() + at);
}

} // namespace

bool isLongTextPage(const QByteArray& file, int page)
{
    return page >= kFirstUserDefinitionPage && pageType(file, page) == kDataPage &&
           file.mid(qsizetype(page) * kPageSize + 4, 4) == "LVAL";
}

QList<int> pagesWhere(const QByteArray& file, const std::function<bool(int)>& wanted)
{
    QList<int> pages;
    for (int page = 1; page < pageCount(file); ++page) {
        if (wanted(page))
            pages << page;
    }
    return pages;
}

QByteArray replacePage(const QByteArray& original, int page, QRandomGenerator& random)
{
    QByteArray damaged = original;
    QByteArray replacement;
    switch (random.bounded(3)) {
    case 0:
        replacement = QByteArray(kPageSize, '\0');
        break;
    case 1:
        for (int i = 0; i < kPageSize; ++i)
            replacement += char(random.bounded(256));
        break;
    default:
        replacement =
            original.mid(qsizetype(random.bounded(1, pageCount(original))) * kPageSize, kPageSize);
    }
    damaged.replace(qsizetype(page) * kPageSize, kPageSize, replacement);
    return damaged;
}

QByteArray overwriteBytes(const QByteArray& original, QRandomGenerator& random)
{
    QByteArray damaged = original;
    const int changes = 1 + random.bounded(12);
    // Most damage spares the header so the file reaches the reader.
    const int from = random.bounded(10) == 0 ? 0 : kHeaderSize;
    for (int c = 0; c < changes; ++c)
        damaged[random.bounded(from, int(damaged.size()))] = char(random.bounded(256));
    return damaged;
}

QByteArray damageColumnDefinition(const QByteArray& original, QRandomGenerator& random)
{
    const QList<int> definitions = pagesWhere(original, [&](int page) {
        return page >= kFirstUserDefinitionPage && pageType(original, page) == kDefinitionPage;
    });
    const int page = definitions.at(random.bounded(int(definitions.size())));
    const qsizetype base = qsizetype(page) * kPageSize;
    const int columns = read16(original, base + kColumnCountAt);
    const int indexes = int(read32(original, base + kRealIndexCountAt));
    const qsizetype entry = base + kColumnsStart + qsizetype(indexes) * kIndexEntrySize +
                            qsizetype(random.bounded(columns)) * kColumnEntrySize;
    QByteArray damaged = original;
    damaged[entry + random.bounded(kColumnEntrySize)] = char(random.bounded(256));
    return damaged;
}

namespace {

// The bytes of one row on a data page of one of the player's tables.
std::pair<qsizetype, qsizetype> someRow(const QByteArray& file, QRandomGenerator& random)
{
    const QList<int> pages = pagesWhere(file, [&](int page) {
        const qsizetype base = qsizetype(page) * kPageSize;
        return pageType(file, page) == kDataPage && file.mid(base + 4, 4) != "LVAL" &&
               int(read32(file, base + kOwnerAt)) >= kFirstUserDefinitionPage &&
               read16(file, base + kRowCountAt) > 0;
    });
    const int page = pages.at(random.bounded(int(pages.size())));
    const qsizetype base = qsizetype(page) * kPageSize;
    const int rows = read16(file, base + kRowCountAt);
    const int row = random.bounded(rows);
    const int start = read16(file, base + kRowOffsetsAt + 2 * row) & kOffsetMask;
    const int end =
        row == 0 ? kPageSize : read16(file, base + kRowOffsetsAt + 2 * (row - 1)) & kOffsetMask;
    return {base + start, base + qMax(start + 1, end)};
}

} // namespace

QByteArray garbleText(const QByteArray& original, QRandomGenerator& random)
{
    QByteArray damaged = original;
    const auto [start, end] = someRow(original, random);
    damaged[random.bounded(start, end)] = char(random.bounded(1, 0x20));
    return damaged;
}

namespace {

// A row as the format lays out its end: the count of columns at its start; at its end the
// mask of the columns with values, before it the count of variable-length values and their
// offsets, last first.
struct RowEnd {
    qsizetype start;
    qsizetype end;
    qsizetype last;
    int columns;
    int maskSize;
    int variable;

    RowEnd(const QByteArray& file, std::pair<qsizetype, qsizetype> row)
        : start(row.first)
        , end(row.second)
        , last(row.second - 1)
        , columns(read16(file, row.first))
        , maskSize((columns + 7) / 8)
        , variable(read16(file, last - maskSize - 1))
    {
    }
    qsizetype offsetAt(int i) const { return last - maskSize - 3 - 2 * qsizetype(i); }
};

void write16(QByteArray& file, qsizetype at, quint16 value)
{
    qToLittleEndian(value, file.data() + at);
}

} // namespace

// A row's layout broken in one of the ways the reader checks: its count of columns beyond
// any table's, its count of variable-length columns beyond its count of columns, an offset of
// a variable-length column below the one before it, the end of its values past the row, a
// bit set in its mask past its count of columns, or its start moved into the page's table of
// rows. Returns the damaged file and what was broken.
std::pair<QByteArray, QString> breakRowLayout(const QByteArray& original, QRandomGenerator& random)
{
    for (;;) {
        QByteArray damaged = original;
        const RowEnd row(original, someRow(original, random));
        const auto [start, end, last, columns, maskSize, variable] = row;
        const auto offsetAt = [&row](int i) { return row.offsetAt(i); };
        switch (random.bounded(6)) {
        case 0:
            write16(damaged, start, quint16(0x100 + random.bounded(0xff00)));
            return {damaged, QStringLiteral("count of columns")};
        case 1:
            write16(damaged, last - maskSize - 1, quint16(columns + 1 + random.bounded(200)));
            return {damaged, QStringLiteral("count of variable columns")};
        case 2: {
            if (variable < 2)
                continue;
            const int i = random.bounded(variable - 1);
            write16(damaged, offsetAt(i),
                    quint16(read16(original, offsetAt(i + 1)) + 1 + random.bounded(8)));
            return {damaged, QStringLiteral("offsets out of order")};
        }
        case 3:
            write16(damaged, offsetAt(variable), quint16(end - start + 1 + random.bounded(64)));
            return {damaged, QStringLiteral("values past the row")};
        case 4:
            if (columns % 8 == 0)
                continue;
            damaged[last] = char(quint8(damaged[last]) | (1 << random.bounded(columns % 8, 8)));
            return {damaged, QStringLiteral("mask past the columns")};
        default: {
            const qsizetype page = start / kPageSize * kPageSize;
            const int rows = read16(original, page + kRowCountAt);
            for (int r = 0; r < rows; ++r) {
                const qsizetype entry = page + kRowOffsetsAt + 2 * r;
                if ((read16(original, entry) & kOffsetMask) == start - page)
                    write16(damaged, entry,
                            quint16((read16(original, entry) & ~kOffsetMask) |
                                    random.bounded(kRowOffsetsAt + 2 * rows)));
            }
            return {damaged, QStringLiteral("start in the table of rows")};
        }
        }
    }
}

// A row's variable-length values no longer tiling its data, while their offsets still rise
// and stay inside the row: the first moved past the end of the fixed values, or the end of
// the last moved back from the table of offsets (a name read cut short, or from the wrong
// place, as libmdb would read it).
std::pair<QByteArray, QString> breakRowTiling(const QByteArray& original, QRandomGenerator& random)
{
    for (;;) {
        QByteArray damaged = original;
        const RowEnd row(original, someRow(original, random));
        const auto [start, end, last, columns, maskSize, variable] = row;
        const auto offsetAt = [&row](int i) { return row.offsetAt(i); };
        if (variable < 1)
            continue;
        if (random.bounded(2) == 0) {
            const int first = read16(original, offsetAt(0));
            const int next = read16(original, offsetAt(1));
            if (next <= first)
                continue;
            write16(damaged, offsetAt(0), quint16(first + 1 + random.bounded(next - first)));
            return {damaged, QStringLiteral("the first value moved")};
        }
        const int from = read16(original, offsetAt(variable - 1));
        const int to = read16(original, offsetAt(variable));
        if (to <= from)
            continue;
        write16(damaged, offsetAt(variable), quint16(from + random.bounded(to - from)));
        return {damaged, QStringLiteral("the values end short")};
    }
}

QByteArray mutateOldDatabase(const QByteArray& original, QRandomGenerator& random)
{
    QByteArray damaged = original;
    const int changes = 1 + random.bounded(4);
    for (int c = 0; c < changes; ++c) {
        const auto [start, end] = someRow(original, random);
        damaged[random.bounded(start, end)] =
            char(random.bounded(3) == 0 ? random.bounded(1, 0x20) : random.bounded(256));
    }
    return damaged;
}

} // namespace vf::test
