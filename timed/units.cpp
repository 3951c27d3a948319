#include "timed/units.h"

#include <array>

namespace tavex {

namespace {

struct Unit
{
    QStringView text;
    int seconds;
    bool signBlank;
};

constexpr std::array<Unit, 4> kUnits{{
    {u"SEG", 1, false},
    {u"MIN", 60, false},
    {u"HOR", 3600, true},
    {u"DIA", 86400, true},
}};

const Unit *findUnit(QStringView text)
{
    for (const Unit &unit : kUnits) {
        if (unit.text == text)
            return &unit;
    }
    return nullptr;
}

} // namespace

QStringList unitTexts()
{
    QStringList texts;
    for (const Unit &unit : kUnits)
        texts << unit.text.toString();
    return texts;
}

std::optional<int> secondsPerUnit(QStringView unitText)
{
    if (const Unit *unit = findUnit(unitText))
        return unit->seconds;
    return std::nullopt;
}

bool unitUsesSignBlank(QStringView unitText)
{
    const Unit *unit = findUnit(unitText);
    return unit && unit->signBlank;
}

} // namespace tavex
