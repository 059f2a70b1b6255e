#include "NumberReading.h"

namespace vf {

double leadingNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        ++i;
    const qsizetype digitsStart = i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 0x80)
        ++i;
    bool anyDigit = i > digitsStart;
    if (i < n && text[i] == QLatin1Char('.')) {
        const qsizetype fractionStart = ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 0x80)
            ++i;
        anyDigit = anyDigit || i > fractionStart;
    }
    if (!anyDigit)
        return 0.0;
    return text.mid(start, i - start).toDouble();
}

std::optional<int> wholeNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const QChar c = trimmed[i];
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
        if (!sign && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return std::nullopt;
    }
    bool ok = false;
    const int value = trimmed.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace vf
