#pragma once

#include <QDateTime>
#include <QTime>

#include <chrono>
#include <functional>

namespace tavex {

// The local date and time, and a short wait that lets no window event through.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QTime timeOfDay() const = 0;
    virtual QDateTime now() const = 0;
    virtual void pause(std::chrono::milliseconds duration) = 0;
    // The same pause, with `meanwhile` run in it: the pause lasts as long as the longer of
    // the two. By default the work comes first and the whole pause after it.
    virtual void pause(std::chrono::milliseconds duration, const std::function<void()> &meanwhile)
    {
        meanwhile();
        pause(duration);
    }
};

} // namespace tavex
