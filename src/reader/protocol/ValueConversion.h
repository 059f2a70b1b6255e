#pragma once

// How the reader converts a value of a turn results file to the kind its field is stored as,
// as the database engine would. Plain C++: the reader compiles it too.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vf::reader {

// An identifier is a whole number of 32 bits.
inline constexpr std::int64_t kSmallestIdentifier = -2147483648LL;
inline constexpr std::int64_t kLargestIdentifier = 2147483647LL;

// Text holding a whole number (digits, a sign before them, blanks around) as that number.
std::optional<std::int64_t> identifierFromText(std::string_view text);
// A number without a fractional part, in range.
std::optional<std::int64_t> identifierFromNumber(double value);
// A number as a name shows it: plain decimal, no ".0" on a whole number.
std::string textFromNumber(double value);

// Appends, as UTF-8, a text as an Access 2000 file keeps it: UTF-16 (little-endian), or after
// the mark FF FE "compressed", in runs of one byte a letter (U+0000 to U+00FF) and runs of two,
// each zero byte switching between them. What no letter can be (half a pair of UTF-16 units,
// half a unit) comes out as U+FFFD, which no name holds.
void appendStoredText(std::string_view stored, std::string& utf8);

// Whether UTF-8 text can be a name the game gave: well formed, and free of control
// characters, surrogates, noncharacters, private-use characters and the replacement
// character (which a failed conversion leaves), and not text whose bytes were read the wrong
// way round (every letter a single UTF-16 unit with a zero low byte). Damage to a text in the
// file mostly shows as one of these.
bool isPlausibleName(std::string_view utf8);

} // namespace vf::reader
