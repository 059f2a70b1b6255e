#pragma once

#include <QString>
#include <initializer_list>

namespace vf {

// Whether an order code is one of a set of codes, compared exactly as the rules compare
// codes (case matters, no trimming).
inline bool isOneOf(const QString& code, std::initializer_list<const char*> codes)
{
    for (const char* c : codes) {
        if (code == QLatin1String(c))
            return true;
    }
    return false;
}

} // namespace vf
