#pragma once

#include <QStringList>
#include <QStringView>

#include <optional>

namespace tavex {

// The duration units, in list order: "SEG", "MIN", "HOR", "DIA".
QStringList unitTexts();

// Seconds per unit for one of the four exact unit texts (case and blanks count); nothing
// for any other text.
std::optional<int> secondsPerUnit(QStringView unitText);

// The unit that limits the duration field to two characters.
inline constexpr auto kDayUnit = u"DIA";

// Hours and days show the remaining seconds with a leading blank, seconds and minutes
// without.
bool unitUsesSignBlank(QStringView unitText);

} // namespace tavex
