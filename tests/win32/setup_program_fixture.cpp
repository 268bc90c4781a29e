// Stands in for a component's setup program: it writes its command line into
// NAME.seen beside itself and exits with the number in NAME.answer there (0
// when there is none), NAME being its own file name without ".exe".
#include <windows.h>

#include <cstdlib>
#include <string>

#include "fixture_files.h"

namespace {

std::string OwnPathWithoutExtension() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string own(path, length);
  const std::size_t dot = own.find_last_of('.');
  return dot == std::string::npos ? own : own.substr(0, dot);
}

}  // namespace

int main() {
  const std::string base = OwnPathWithoutExtension();
  fixture::WriteWhole(base + ".seen", ::GetCommandLineA());
  return std::atoi(fixture::ReadWhole(base + ".answer").value_or("0").c_str());
}
