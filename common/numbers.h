#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace tavex {

// The number conversions used wherever the program reads a text as a number or writes a
// number as text.

// The number formed by the text's leading part: blanks, tabs and line feeds are skipped
// wherever they stand, then an optional sign, digits, and optionally "." and more digits.
// Reading stops at the first character that does not fit; a text without leading digits
// gives 0. The decimal mark is always ".". Never fails: a number beyond the range of doubles
// reads as the largest one, with its sign.
double leadingNumberValue(QStringView text);

// The whole text read as a number in the locale's format (decimal and grouping marks,
// optional sign, blanks around it). A text that is not wholly a number has no value; a
// number beyond the range of doubles reads as the largest one.
std::optional<double> localeNumberValue(QStringView text, const QLocale &locale);

// The number in decimal with no leading blank, "-" before a negative number, the locale's
// decimal mark before a fraction and at most 15 significant digits, written out in full
// without an exponent; never "-0" ("59", "-4", "2,5", "0.000015").
QString plainNumberText(double value, const QLocale &locale);

// The same digits with one leading blank before zero or a positive number and "-" before a
// negative one; the decimal mark is always "." (" 0", "-4", " 7199").
QString signBlankNumberText(double value);

} // namespace tavex
