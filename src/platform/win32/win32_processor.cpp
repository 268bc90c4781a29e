// The processor and clock readings of Win32System: the identification
// instruction, flag toggles, the Cyrix registers, the counters.
#include <cpuid.h>
#include <windows.h>

#include <mmsystem.h>

#include <cstdint>

#include "platform/win32/win32_system.h"

namespace tvx::win32 {
namespace {

// Flips the bits of the flags register, reads them back, restores them.
std::uint32_t ToggledFlags(std::uint32_t mask) {
  std::uint32_t changed = 0;
  asm volatile(
      "pushfl\n\t"
      "popl %%eax\n\t"
      "movl %%eax, %%ecx\n\t"
      "xorl %1, %%eax\n\t"
      "pushl %%eax\n\t"
      "popfl\n\t"
      "pushfl\n\t"
      "popl %%eax\n\t"
      "pushl %%ecx\n\t"
      "popfl\n\t"
      "xorl %%ecx, %%eax\n\t"
      "movl %%eax, %0\n\t"
      : "=r"(changed)
      : "r"(mask)
      : "eax", "ecx", "cc");
  return changed & mask;
}

std::uint8_t ReadCyrixRegister(std::uint8_t index) {
  std::uint8_t value = 0;
  asm volatile("outb %1, $0x22\n\tinb $0x23, %0" : "=a"(value) : "a"(index));
  return value;
}

void WriteCyrixRegister(std::uint8_t index, std::uint8_t value) {
  const auto index_and_value = static_cast<std::uint16_t>(index | value << 8);
  asm volatile("outb %%al, $0x22\n\tmovb %%ah, %%al\n\toutb %%al, $0x23" : : "a"(index_and_value));
}

// One read-modify-write with interrupts off, as the registers need.
void ChangeCyrixRegister(std::uint8_t index, std::uint8_t set, std::uint8_t clear) {
  asm volatile("cli" ::: "memory");
  WriteCyrixRegister(index, static_cast<std::uint8_t>((ReadCyrixRegister(index) | set) & ~clear));
  asm volatile("sti" ::: "memory");
}

}  // namespace

bool Win32System::ProcessorFlagToggles(std::uint32_t mask) { return ToggledFlags(mask) == mask; }

CpuidRegisters Win32System::ProcessorIdentification(std::uint32_t leaf) {
  CpuidRegisters registers;
  __cpuid(leaf, registers.eax, registers.ebx, registers.ecx, registers.edx);
  return registers;
}

bool Win32System::CyrixDivisionSignature() {
  std::uint8_t flags = 0;
  asm volatile(
      "xorw %%ax, %%ax\n\t"
      "sahf\n\t"
      "movw $5, %%ax\n\t"
      "movb $2, %%cl\n\t"
      "divb %%cl\n\t"
      "lahf\n\t"
      "movb %%ah, %0\n\t"
      : "=q"(flags)
      :
      : "eax", "ecx", "cc");
  return flags == 2;
}

bool Win32System::SetCyrixIdentification(bool enabled) {
  // Only Windows 95 and 98 let a program reach the ports; NT (and Wine)
  // would stop it with a privileged-instruction fault.
  if (Version().platform_id != kPlatformWin32Windows) return false;
  if (enabled) {
    ChangeCyrixRegister(0xC3, 0x10, 0);
    ChangeCyrixRegister(0xE8, 0x80, 0);
  } else {
    ChangeCyrixRegister(0xE8, 0, 0x80);
  }
  return true;
}

std::uint64_t Win32System::TimeStampCounter() { return __builtin_ia32_rdtsc(); }

std::optional<std::uint64_t> Win32System::PerformanceFrequency() {
  LARGE_INTEGER frequency{};
  if (!::QueryPerformanceFrequency(&frequency)) return std::nullopt;
  return static_cast<std::uint64_t>(frequency.QuadPart);
}

std::uint64_t Win32System::PerformanceCounter() {
  LARGE_INTEGER counter{};
  ::QueryPerformanceCounter(&counter);
  return static_cast<std::uint64_t>(counter.QuadPart);
}

std::uint32_t Win32System::MillisecondClock() { return ::timeGetTime(); }

void Win32System::SleepMilliseconds(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

void Win32System::SetTimeCriticalPriority(bool raised) {
  ::SetThreadPriority(::GetCurrentThread(), raised ? THREAD_PRIORITY_TIME_CRITICAL : THREAD_PRIORITY_NORMAL);
}

}  // namespace tvx::win32
