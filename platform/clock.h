#pragma once

#include <QTime>

#include <chrono>

namespace tavex {

// The local time of day, and a short wait that lets no window event through.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime timeOfDay() const = 0;
    virtual void pause(std::chrono::milliseconds duration) = 0;
};

} // namespace tavex
