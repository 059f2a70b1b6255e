#include "TableExport.h"

namespace vf {

namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

QByteArray field(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.contains(',') && !bytes.contains('"') && !bytes.contains('\n') &&
        !bytes.contains('\r'))
        return bytes;
    bytes.replace('"', QByteArrayLiteral("\"\""));
    return '"' + bytes + '"';
}

void appendLine(QByteArray& into, const QStringList& cells)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            into += ',';
        into += field(cells[i]);
    }
    into += kLineEnd;
}

void appendTable(QByteArray& into, const QList<ShownColumn>& columns,
                 const std::vector<QStringList>& rows)
{
    QStringList headings;
    for (const ShownColumn& column : columns)
        headings << column.heading;
    appendLine(into, headings);
    for (const QStringList& row : rows)
        appendLine(into, row.mid(0, columns.size()));
}

} // namespace

QByteArray csvOf(const QList<ShownColumn>& columns, const std::vector<QStringList>& rows)
{
    QByteArray csv = kByteOrderMark;
    appendTable(csv, columns, rows);
    return csv;
}

QByteArray csvOf(const QList<TitledRows>& tables)
{
    QByteArray csv = kByteOrderMark;
    for (qsizetype i = 0; i < tables.size(); ++i) {
        if (i > 0)
            csv += kLineEnd;
        appendLine(csv, {tables[i].title});
        appendTable(csv, tables[i].columns, tables[i].rows);
    }
    return csv;
}

} // namespace vf
