// Clock: the time of day, for the dates scripts ask for (Now, Date, new Date()). Time-outs do
// not use it: they run on the monotonic clock, which no test needs to move.
#pragma once

#include <chrono>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // The current time, UTC; the local time follows from the process's time zone.
  virtual std::chrono::system_clock::time_point now() = 0;
};

// The system's clock.
Clock& systemClock();

// A clock that shows the time it was set to, for tests.
class FixedClock : public Clock {
 public:
  explicit FixedClock(std::chrono::system_clock::time_point time) : time(time) {}
  std::chrono::system_clock::time_point now() override { return time; }
  std::chrono::system_clock::time_point time;
};

}  // namespace platform
