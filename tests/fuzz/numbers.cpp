// The number conversions: reading never fails and never gives a value that is not finite;
// every value is written in at most 15 significant digits without an exponent, never as
// "-0", and reads back as itself to those digits.

#include "common/numbers.h"
#include "fuzzcheck.h"

#include <cfloat>
#include <cmath>

using namespace tavex;
using namespace tavex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    Input input{data, size};
    const QString text = input.rest();
    const double leading = leadingNumberValue(text);
    FUZZ_CHECK(std::isfinite(leading));
    for (const QLocale &locale : {QLocale::c(), brazil}) {
        if (const std::optional<double> value = localeNumberValue(text, locale))
            FUZZ_CHECK(std::isfinite(*value));
    }
    // The input's first bytes as a double bring every value to the number texts, infinities
    // and NaN included.
    for (const double value : {leading, input.take<double>()}) {
        const QString plain = plainNumberText(value, QLocale::c());
        FUZZ_CHECK(isNumberText(plain, u'.'));
        FUZZ_CHECK(plainNumberText(value, brazil) == QString(plain).replace(u'.', u','));
        FUZZ_CHECK(signBlankNumberText(value) == (plain.startsWith(u'-') ? plain : u' ' + plain));
        // Rounded to 15 digits and read back: within half a unit of the 15th digit. An
        // infinity is written as the largest double.
        const double written = std::clamp(value, -DBL_MAX, DBL_MAX);
        const double back = leadingNumberValue(plain);
        FUZZ_CHECK(std::isnan(value) || back == written
                   || std::abs(back - written) <= std::abs(written) * 1e-14);
    }
    return 0;
}
