// The duration filter and the plus and minus steps. A filtered duration never holds a
// character above 59 after its first and never reads as 0, and filtering it again changes
// nothing; a step, written into the field and filtered as the field does, never takes a
// duration of 1 or more to a whole number below 1.

#include "common/numbers.h"
#include "fuzzcheck.h"
#include "timed/durationrules.h"

#include <cmath>

using namespace tavex;
using namespace tavex::fuzz;

namespace {

void checkFiltered(const QString &text)
{
    const QList<uint> codes = text.toUcs4();
    for (qsizetype i = 1; i < codes.size(); ++i)
        FUZZ_CHECK(codes[i] <= 59);
    FUZZ_CHECK(leadingNumberValue(text) != 0);
    FUZZ_CHECK(filteredDuration(text) == text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const QString text = Input{data, size}.rest();
    const QString filtered = filteredDuration(text);
    checkFiltered(filtered);
    FUZZ_CHECK(filtered == u"1" || text.startsWith(filtered));

    const double before = leadingNumberValue(filtered);
    for (const QLocale &locale : {QLocale::c(), brazil}) {
        const QString plus = durationAfterPlus(filtered, locale);
        if (before == std::floor(before) && std::abs(before) < 1e15)
            FUZZ_CHECK(leadingNumberValue(plus) == before + 1);
        for (const QString &step : {plus, durationAfterMinus(filtered, locale).value_or(plus)}) {
            // What the field shows once the step is written into it: cut to its length, then
            // filtered.
            const QString shown = filteredDuration(step.left(kDurationMaxLength));
            checkFiltered(shown);
            const double value = leadingNumberValue(shown);
            FUZZ_CHECK(before < 1 || value != std::floor(value) || value >= 1);
        }
    }
    return 0;
}
