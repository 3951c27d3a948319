#include "common/numbers.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace tavex {

namespace {

constexpr int kSignificantDigits = 15;

// A number too large for a double reads as the largest one, with its sign; one too small
// reads as 0.
double saturated(double value)
{
    return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

bool isSkippedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The number rounded to 15 significant digits and written out in full: "." as the decimal
// mark, no exponent, "-" only before a value that is not zero. An infinite value is written
// as the largest double.
QString decimalDigits(double value)
{
    if (std::isnan(value))
        return QStringLiteral("0");
    value = std::clamp(value, -DBL_MAX, DBL_MAX);
    // "d.dddddddddddddde+x": the 15 digits and the place of the first one.
    const QString scientific = QString::number(value, 'e', kSignificantDigits - 1);
    const qsizetype e = scientific.indexOf(u'e');
    const int exponent = scientific.sliced(e + 1).toInt();
    QString digits = scientific.first(e);
    const bool negative = digits.startsWith(u'-');
    digits.remove(u'-');
    digits.remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    if (digits == u"0")
        return digits;

    QString text;
    if (exponent < 0)
        text = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    else if (exponent + 1 >= digits.size())
        text = digits + QString(exponent + 1 - digits.size(), u'0');
    else
        text = digits.first(exponent + 1) + u'.' + digits.sliced(exponent + 1);
    return negative ? u'-' + text : text;
}

} // namespace

double leadingNumberValue(QStringView text)
{
    // Collect the accepted characters, skipping blanks wherever they stand.
    QString number;
    bool signAllowed = true;
    bool inFraction = false;
    bool sawDigit = false;
    for (QChar c : text) {
        if (isSkippedBlank(c))
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            number += c;
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (isDigit(c)) {
            number += c;
            sawDigit = true;
        } else if (c == u'.' && sawDigit && !inFraction) {
            number += c;
            inFraction = true;
        } else {
            break;
        }
    }
    if (!sawDigit)
        return 0.0;
    if (number.endsWith(u'.'))
        number.chop(1);
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok ? value : saturated(value);
}

std::optional<double> localeNumberValue(QStringView text, const QLocale &locale)
{
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (ok && std::isfinite(value))
        return value;
    // A number too large for a double fails with an infinite value; "inf" and "nan" are
    // no numbers of the user's.
    if (!ok && std::isinf(value))
        return saturated(value);
    return std::nullopt;
}

QString plainNumberText(double value, const QLocale &locale)
{
    QString text = decimalDigits(value);
    const int mark = text.indexOf(u'.');
    if (mark >= 0)
        text.replace(mark, 1, locale.decimalPoint());
    return text;
}

QString signBlankNumberText(double value)
{
    const QString digits = decimalDigits(value);
    return value < 0 ? digits : u' ' + digits;
}

} // namespace tavex
