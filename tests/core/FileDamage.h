#pragma once

// Damage done to copies of real files, of the kinds a download or a disk does: for the test
// that feeds them to the import.

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <functional>
#include <utility>

namespace vf::test {

inline constexpr int kPageSize = 4096;
// The file's header: most damage spares it, so that the file reaches the reader.
inline constexpr int kHeaderSize = 0x80;

int pageCount(const QByteArray& file);
char pageType(const QByteArray& file, int page);
QList<int> pagesWhere(const QByteArray& file, const std::function<bool(int)>& wanted);
// Whether a page holds a table's long texts.
bool isLongTextPage(const QByteArray& file, int page);

// A page of the file replaced: by zeros (a lost disk block), by noise, or by a copy of
// another page of the same file (a download put together in the wrong order).
QByteArray replacePage(const QByteArray& original, int page, QRandomGenerator& random);
QByteArray overwriteBytes(const QByteArray& original, QRandomGenerator& random);
// One byte of one column's entry in the definition of one of the player's tables.
QByteArray damageColumnDefinition(const QByteArray& original, QRandomGenerator& random);
// A byte inside a row turned into a control character: in a name it reads as one.
QByteArray garbleText(const QByteArray& original, QRandomGenerator& random);
// A row's layout broken in one of the ways the reader checks; returns the damaged file and
// what was broken.
std::pair<QByteArray, QString> breakRowLayout(const QByteArray& original, QRandomGenerator& random);
// A row's variable-length values no longer tiling its data, their offsets still rising and
// inside the row; returns the damaged file and what was moved.
std::pair<QByteArray, QString> breakRowTiling(const QByteArray& original, QRandomGenerator& random);
// The old program's database: bytes of its rows overwritten, a control character among them
// now and then.
QByteArray mutateOldDatabase(const QByteArray& original, QRandomGenerator& random);

} // namespace vf::test
