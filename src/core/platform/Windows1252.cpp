#include "Windows1252.h"

#include <QList>

#include <array>

namespace vf {

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char kUnencodable = 0;

char encodeCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == cp)
            return static_cast<char>(0x80 + i);
    }
    return kUnencodable;
}

} // namespace

QByteArray toWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (char32_t cp : text.toUcs4()) {
        const char c = encodeCodePoint(cp);
        out.append(c == kUnencodable && cp != 0 ? '?' : c);
    }
    return out;
}

std::optional<QString> firstOutsideWindows1252(const QString& text)
{
    for (char32_t cp : text.toUcs4()) {
        if (cp != 0 && encodeCodePoint(cp) == kUnencodable)
            return QString::fromUcs4(&cp, 1);
    }
    return std::nullopt;
}

} // namespace vf
