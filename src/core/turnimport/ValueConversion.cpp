#include "ValueConversion.h"

#include <cmath>
#include <cstdio>

namespace vf::turnfile {

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

} // namespace vf::turnfile
