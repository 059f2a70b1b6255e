#pragma once

#include <QString>

namespace vf {

// A count with the words that go with it: "1 order", "3 orders", "1 row was not stored".
inline QString countOf(qint64 count, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

// A sentence made part of a longer one: without its closing full stop.
inline QString asClause(const QString& sentence)
{
    return sentence.endsWith(QLatin1Char('.')) ? sentence.chopped(1) : sentence;
}

} // namespace vf
