#pragma once
// Time, injectable so that tests never wait.
#include <cstdint>

namespace krv {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds from an arbitrary start.
  virtual uint64_t TickMs() = 0;
  // Blocks for `ms` milliseconds without yielding.
  virtual void SleepMs(int ms) = 0;
};

// The real clock (steady clock, thread sleep).
Clock& SystemClock();

}  // namespace krv
