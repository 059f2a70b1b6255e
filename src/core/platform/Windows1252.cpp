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

// The characters of the text one by one, a pair of surrogates as the one character it stands
// for; a surrogate without its pair is a character of its own (that no code page holds).
template <typename Each> void forEachCharacter(const QString& text, Each&& each)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            if (!each(QChar::surrogateToUcs4(c, text.at(i + 1)), text.mid(i, 2)))
                return;
            ++i;
        } else if (!each(char32_t(c.unicode()), QString(c))) {
            return;
        }
    }
}

} // namespace

QByteArray toWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    forEachCharacter(text, [&out](char32_t cp, const QString&) {
        const char c = encodeCodePoint(cp);
        out.append(c == kUnencodable && cp != 0 ? '?' : c);
        return true;
    });
    return out;
}

std::optional<QString> firstOutsideWindows1252(const QString& text)
{
    std::optional<QString> outside;
    forEachCharacter(text, [&outside](char32_t cp, const QString& character) {
        if (cp != 0 && encodeCodePoint(cp) == kUnencodable)
            outside = character;
        return !outside;
    });
    return outside;
}

} // namespace vf
