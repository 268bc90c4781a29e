// copy_tree_bare SOURCE DESTINATION: the floor for the copy step under the
// same system: every file of a tree read and written in 25,600-byte chunks
// with ReadFile and WriteFile, and nothing else.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/win32_handles.h"
#include "win32_copy_report.h"

namespace {

using tvx::win32::FileHandle;

constexpr DWORD kChunk = 25600;

bool CopyOne(const std::string& from, const std::string& to, char* buffer) {
  const FileHandle source(::CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
  const FileHandle destination(
      ::CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!source.valid() || !destination.valid()) return false;
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(source.get(), buffer, kChunk, &read, nullptr)) return false;
    if (read == 0) return true;
    DWORD written = 0;
    if (!::WriteFile(destination.get(), buffer, read, &written, nullptr) || written != read) return false;
  }
}

bool CopyTree(const std::string& from, const std::string& to, char* buffer) {
  ::CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  const tvx::win32::FindHandle search(::FindFirstFileA((from + "\\*").c_str(), &found));
  if (!search) return false;
  bool ok = true;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ok = folder ? CopyTree(from + "\\" + name, to + "\\" + name, buffer)
                : CopyOne(from + "\\" + name, to + "\\" + name, buffer);
  } while (ok && ::FindNextFileA(search.get(), &found));
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: copy_tree_bare SOURCE DESTINATION\n", stderr);
    return 2;
  }
  const tvx::bench::CopyClock clock;
  static char buffer[kChunk];
  std::string destination = argv[2];
  while (!destination.empty() && destination.back() == '\\') destination.pop_back();
  const bool ok = CopyTree(argv[1], destination, buffer);
  tvx::bench::PrintReport("bare", clock);
  return ok ? 0 : 1;
}
