// The simulated machine's time: it moves only when the machine does
// something that takes time (counter reads, sleeps, reads from a slow
// drive), so timings on it are exact and repeatable.
#pragma once

#include <cstdint>

namespace tvx::host {

class SimulatedClock {
 public:
  static constexpr std::uint64_t kTicksPerSecond = 1'000'000;  // microseconds

  std::uint64_t Now() const { return now_; }
  void Advance(std::uint64_t microseconds) { now_ += microseconds; }
  std::uint32_t Milliseconds() const { return static_cast<std::uint32_t>(now_ / 1000); }
  // Cycles of a processor running at that rate since the machine started.
  std::uint64_t CyclesAt(std::uint64_t hertz) const {
    return now_ / kTicksPerSecond * hertz + now_ % kTicksPerSecond * hertz / kTicksPerSecond;
  }

 private:
  // An hour after the machine started, as a running machine would be.
  std::uint64_t now_ = 3'600'000'000;
};

}  // namespace tvx::host
