#include "timed/durationrules.h"

#include "common/numbers.h"
#include "timed/units.h"


namespace tavex {

QString filteredDuration(QStringView text)
{
    QString result = text.toString();
    // Positions count characters, so a character outside the basic plane (two UTF-16 units)
    // is looked at, and cut, as one.
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = i + 1 < text.size() && text[i].isHighSurrogate()
                && text[i + 1].isLowSurrogate();
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        if (i > 0 && !isAcceptedDurationChar(c)) {
            result.truncate(i);
            break;
        }
        i += pair ? 2 : 1;
    }
    if (leadingNumberValue(result) == 0.0)
        return QStringLiteral("1");
    return result;
}

QString durationAfterPlus(QStringView text, const QLocale &locale)
{
    return plainNumberText(leadingNumberValue(text) + 1, locale);
}

std::optional<QString> durationAfterMinus(QStringView text, const QLocale &locale)
{
    if (durationValue(text, locale) > 1)
        return plainNumberText(leadingNumberValue(text) - 1, locale);
    return std::nullopt;
}

UnitReaction unitReaction(QStringView unitText)
{
    if (unitText == kDayUnit)
        return {true, kDayDurationMaxLength};
    return {false, kDurationMaxLength};
}

double durationValue(QStringView text, const QLocale &locale)
{
    return localeNumberValue(text, locale).value_or(leadingNumberValue(text));
}

} // namespace tavex
