// What the Win32 copy programs print about themselves.
#pragma once

#include <windows.h>

#include <psapi.h>

#include <cstdio>

namespace tvx::bench {

// Started when made.
class CopyClock {
 public:
  CopyClock() {
    ::QueryPerformanceFrequency(&frequency_);
    ::QueryPerformanceCounter(&start_);
  }
  double Seconds() const {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
  }

 private:
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER start_{};
};

// One line: "<label> seconds=S peak_kib=K".
inline void PrintReport(const char* label, const CopyClock& clock) {
  const double seconds = clock.Seconds();
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  const bool known = ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  std::printf("%s seconds=%.3f peak_kib=%lu\n", label, seconds,
              known ? static_cast<unsigned long>(counters.PeakWorkingSetSize / 1024) : 0ul);
}

}  // namespace tvx::bench
