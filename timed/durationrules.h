#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace tavex {

// The duration field holds at most three characters, two while the unit is days.
inline constexpr int kDurationMaxLength = 3;
inline constexpr int kDayDurationMaxLength = 2;

// Whether a character may stand in a duration after its first position: a code of at most 59
// in Windows-1252 (the digits, the blank, "!" to "/", ":" and ";"). Windows-1252 agrees with
// Unicode below 128, so that is a code point of at most 59; every other character has a
// higher code or none in that set, and is refused.
constexpr bool isAcceptedDurationChar(char32_t c)
{
    return c <= 59;
}

// The duration text after the change reaction: a refused character past the first position
// cuts itself and everything after it off, and a text whose leading-number value is 0 (empty,
// "0", or not beginning with a number) becomes "1". A text that needs no change is returned
// as it is.
QString filteredDuration(QStringView text);

// The plus step: the leading-number value plus one, as plain number text. The field cuts it
// to its maximum length ("999" gives "100").
QString durationAfterPlus(QStringView text, const QLocale &locale);

// The minus step: the leading-number value minus one, when the text's value is above 1;
// nothing otherwise. A text with no value in the locale's format is judged by its
// leading-number value.
std::optional<QString> durationAfterMinus(QStringView text, const QLocale &locale);

// What choosing a unit does to the duration field: days set the duration to "1" and allow
// two characters; any other text allows three and leaves the duration.
struct UnitReaction
{
    bool resetDuration = false;
    int maxLength = kDurationMaxLength;
};
UnitReaction unitReaction(QStringView unitText);

// The value a duration text stands for: its value in the locale's format or, failing that,
// its leading-number value.
double durationValue(QStringView text, const QLocale &locale);

} // namespace tavex
