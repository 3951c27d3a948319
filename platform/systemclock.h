#pragma once

#include "platform/clock.h"

namespace tavex {

class SystemClock final : public Clock
{
public:
    QTime timeOfDay() const override;
    QDateTime now() const override;
    void pause(std::chrono::milliseconds duration) override;
    void pause(std::chrono::milliseconds duration, const std::function<void()> &meanwhile) override;
};

} // namespace tavex
