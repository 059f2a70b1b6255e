#include "FindingsTable.h"

#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>

namespace vf {

namespace {

QString severityName(OrderFinding::Severity severity)
{
    switch (severity) {
    case OrderFinding::Severity::Error:
        return QStringLiteral("Will fail");
    case OrderFinding::Severity::Warning:
        return QStringLiteral("Warning");
    case OrderFinding::Severity::Note:
        break;
    }
    return QStringLiteral("Note");
}

} // namespace

void setUpFindingsTable(QTableWidget* table, const QString& name)
{
    table->setObjectName(name);
    table->setAccessibleName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setWordWrap(true);
    table->verticalHeader()->hide();
}

void fillFindings(QTableWidget* table, const QList<OrderFinding>& findings)
{
    const QStringList headers{QStringLiteral("Priority"),      QStringLiteral("Order"),
                              QStringLiteral("Slot"),          QStringLiteral("Finding"),
                              QStringLiteral("What is wrong"), QStringLiteral("How to fix it")};
    const int current = table->currentRow();
    table->clearContents();
    table->setColumnCount(int(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(int(findings.size()));
    for (int row = 0; row < findings.size(); ++row) {
        const OrderFinding& finding = findings[row];
        const QStringList cells{QString::number(finding.priority),
                                finding.code,
                                finding.slot > 0 ? QString::number(finding.slot) : QString(),
                                severityName(finding.severity),
                                finding.problem,
                                finding.fix};
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    if (!findings.isEmpty())
        table->selectRow(std::clamp(current, 0, int(findings.size()) - 1));
}

std::optional<OrderFinding> currentFinding(const QTableWidget* table,
                                           const QList<OrderFinding>& findings)
{
    const int row = table->currentRow();
    if (row < 0 || row >= findings.size())
        return std::nullopt;
    return findings[row];
}

} // namespace vf
