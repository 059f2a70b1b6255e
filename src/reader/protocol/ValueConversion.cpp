#include "ValueConversion.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vf::reader {

namespace {

bool inRange(std::int64_t value)
{
    return value >= kSmallestIdentifier && value <= kLargestIdentifier;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::int64_t> identifierFromText(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr std::size_t kMostDigits = 10;
    if (text.empty() || text.size() > kMostDigits)
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    value = negative ? -value : value;
    return inRange(value) ? std::optional(value) : std::nullopt;
}

std::optional<std::int64_t> identifierFromNumber(double value)
{
    if (!std::isfinite(value) || value != std::trunc(value) ||
        value < double(kSmallestIdentifier) || value > double(kLargestIdentifier))
        return std::nullopt;
    return static_cast<std::int64_t>(value);
}

std::string textFromNumber(double value)
{
    constexpr double kExactWholeNumbers = 1e15;
    char text[64];
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < kExactWholeNumbers)
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    else
        std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

namespace {

void appendUtf8(char32_t cp, std::string& utf8)
{
    if (cp < 0x80) {
        utf8 += static_cast<char>(cp);
    } else if (cp < 0x800) {
        utf8 += static_cast<char>(0xC0 | (cp >> 6));
        utf8 += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (cp >> 12));
        utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (cp >> 18));
        utf8 += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

bool isFirstHalf(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isSecondHalf(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Joins UTF-16 units into letters as they come.
class Utf16Letters {
public:
    explicit Utf16Letters(std::string& utf8)
        : m_utf8(utf8)
    {
    }
    void unit(char32_t unit)
    {
        if (m_firstHalf != 0 && isSecondHalf(unit)) {
            appendUtf8(0x10000 + ((m_firstHalf - 0xD800) << 10) + (unit - 0xDC00), m_utf8);
            m_firstHalf = 0;
            return;
        }
        end();
        if (isFirstHalf(unit))
            m_firstHalf = unit;
        else
            appendUtf8(isSecondHalf(unit) ? kReplacement : unit, m_utf8);
    }
    // A first half with nothing after it is no letter.
    void end()
    {
        if (m_firstHalf != 0)
            appendUtf8(kReplacement, m_utf8);
        m_firstHalf = 0;
    }

private:
    std::string& m_utf8;
    char32_t m_firstHalf = 0;
};

} // namespace

void appendStoredText(std::string_view stored, std::string& utf8)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(stored.data());
    const std::size_t size = stored.size();
    const bool compressed = size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    bool oneByte = compressed;
    Utf16Letters letters(utf8);
    for (std::size_t at = compressed ? 2 : 0; at < size;) {
        if (compressed && bytes[at] == 0) {
            oneByte = !oneByte;
            ++at;
        } else if (oneByte) {
            letters.unit(bytes[at++]);
        } else if (at + 1 < size) {
            letters.unit(char32_t(bytes[at]) | char32_t(bytes[at + 1]) << 8);
            at += 2;
        } else {
            letters.unit(kReplacement); // half a unit
            ++at;
        }
    }
    letters.end();
}

namespace {

// The code point starting at the text's position, and its length in bytes; nothing when the
// bytes there are not well-formed UTF-8.
std::optional<std::pair<char32_t, std::size_t>> decodeAt(std::string_view utf8, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(utf8[at]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80)
        return std::pair<char32_t, std::size_t>(lead, 1);
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (at + length > utf8.size())
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(utf8[at + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[length] || cp > 0x10FFFF)
        return std::nullopt; // an over-long form, or past Unicode
    return std::pair<char32_t, std::size_t>(cp, length);
}

bool isNameCharacter(char32_t cp)
{
    const bool control = cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    const bool nonCharacter = (cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE;
    const bool privateUse = (cp >= 0xE000 && cp <= 0xF8FF) || cp >= 0xF0000;
    return !control && !surrogate && !nonCharacter && !privateUse && cp != 0xFFFD;
}

} // namespace

// A letter that is one UTF-16 unit with a zero low byte and a non-zero high byte: what a
// letter of plain text becomes when the two bytes of each unit are read the wrong way round.
bool looksSwapped(char32_t cp)
{
    return cp <= 0xFFFF && (cp & 0xFF) == 0 && (cp >> 8) != 0;
}

bool isPlausibleName(std::string_view utf8)
{
    // Most names are printable ASCII alone, which needs no closer look.
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
        return true;
    bool everyLetterSwapped = true;
    for (std::size_t at = 0; at < utf8.size();) {
        const auto decoded = decodeAt(utf8, at);
        if (!decoded || !isNameCharacter(decoded->first))
            return false;
        everyLetterSwapped = everyLetterSwapped && looksSwapped(decoded->first);
        at += decoded->second;
    }
    return utf8.empty() || !everyLetterSwapped;
}

} // namespace vf::reader
