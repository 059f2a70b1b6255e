#pragma once

#include "TestStore.h"

#include <QFile>
#include <QList>
#include <QStringList>
#include <QtGlobal>

namespace vf::test {

// A table of rules kept under tests/data/rules/: tab-separated rows, lines starting with #
// left out.
inline QList<QStringList> readRulesTable(const QString& name)
{
    QFile file(TestStore::dataFile(QStringLiteral("rules/") + name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    QList<QStringList> rows;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (!line.isEmpty() && !line.startsWith('#'))
            rows << QString::fromUtf8(line).split(QLatin1Char('\t'));
    }
    return rows;
}

} // namespace vf::test
