// The countdown step. A duration of up to three decimals is counted exactly: its label is
// the remaining seconds to the thousandth and it ends on the first tick that reaches it,
// against a model in whole thousandths. Any other duration text gives a number text of the
// unit's form, and only a positive target that the ticks have reached ends the countdown.

#include "common/numbers.h"
#include "fuzzcheck.h"
#include "timed/countdown.h"
#include "timed/units.h"

using namespace tavex;
using namespace tavex::fuzz;

namespace {

// Thousandths as the label writes them: "-" or, in the sign-blank form, a blank before the
// digits, and the decimals without trailing zeros.
QString thousandthsText(qint64 thousandths, bool signBlank, QChar mark)
{
    const qint64 magnitude = std::abs(thousandths);
    // Three decimals, then those that are zero dropped, and the mark when none is left.
    QString text = QString::number(magnitude / 1000) + mark + QString::number(1000 + magnitude % 1000).mid(1);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(mark))
        text.chop(1);
    return thousandths < 0 || signBlank ? (thousandths < 0 ? u'-' : u' ') + text : text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList units = unitTexts() << QStringLiteral("seg");
    Input input{data, size};
    const QString unit = units[input.take<uint8_t>() % units.size()];
    const qint64 ticks = input.take<uint32_t>(); // up to 136 years of seconds
    const bool inBrazil = input.take<uint8_t>() % 2;
    const QLocale locale = inBrazil ? QLocale(QLocale::Portuguese, QLocale::Brazil) : QLocale::c();
    const bool structured = input.take<uint8_t>() % 2;
    // A structured duration: a mantissa and up to three decimals, written with ".". Both
    // locales read it alike, as long as it is no group of three digits in Brazil, where "."
    // is the grouping mark.
    const qint64 mantissa = input.take<int32_t>() % 1000000;
    const int decimals = input.take<uint8_t>() % (inBrazil ? 3 : 4);
    QString duration = input.rest();
    if (structured) {
        duration = QString::number(std::abs(mantissa)).rightJustified(decimals + 1, u'0');
        if (decimals > 0)
            duration.insert(duration.size() - decimals, u'.');
        if (mantissa < 0)
            duration.prepend(u'-');
    }

    const CountdownStep step = countdownStep(ticks, duration, unit, locale);
    const std::optional<int> perUnit = secondsPerUnit(unit);
    if (!perUnit) {
        FUZZ_CHECK(!step.label && !step.finished);
        return 0;
    }
    FUZZ_CHECK(step.label.has_value());
    const bool signBlank = unitUsesSignBlank(unit);
    const QChar mark = signBlank ? QChar(u'.') : locale.decimalPoint().at(0);
    QString digits = *step.label;
    if (signBlank && !digits.startsWith(u'-')) {
        FUZZ_CHECK(digits.startsWith(u' '));
        digits.remove(0, 1);
    }
    FUZZ_CHECK(isNumberText(digits, mark));

    if (structured) {
        qint64 target = mantissa * *perUnit;
        for (int i = decimals; i < 3; ++i)
            target *= 10;
        FUZZ_CHECK(*step.label == thousandthsText(target - ticks * 1000, signBlank, mark));
        FUZZ_CHECK(step.finished == (target > 0 && ticks * 1000 >= target));
    } else if (step.finished) {
        FUZZ_CHECK(leadingNumberValue(duration) > 0);
    }
    return 0;
}
