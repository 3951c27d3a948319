#pragma once

#include "platform/clock.h"

namespace tavex {

class SystemClock final : public Clock
{
public:
    QTime timeOfDay() const override;
    void pause(std::chrono::milliseconds duration) override;
};

} // namespace tavex
