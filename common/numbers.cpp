#include "common/numbers.h"

#include <cmath>

namespace tavex {

namespace {

bool isSkippedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits with "." as the decimal mark, no exponent, at most 15 significant digits.
QString decimalDigits(double value)
{
    if (value == 0.0) // also turns -0 into 0
        return QStringLiteral("0");
    QString text = QString::number(value, 'g', 15);
    if (text.contains(u'e')) {
        // Very large or very small values: write them out rather than in exponent form.
        text = QString::number(value, 'f', 15);
        if (text.contains(u'.')) {
            while (text.endsWith(u'0'))
                text.chop(1);
            if (text.endsWith(u'.'))
                text.chop(1);
        }
    }
    return text;
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
    return ok ? value : 0.0;
}

std::optional<double> localeNumberValue(QStringView text, const QLocale &locale)
{
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
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
