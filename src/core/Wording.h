#pragma once

#include <QString>

namespace vf {

// A count with the words that go with it: "1 order", "3 orders", "1 row was not stored".
inline QString countOf(qint64 count, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

} // namespace vf
