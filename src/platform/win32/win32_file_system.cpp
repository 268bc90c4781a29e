#include "platform/win32/win32_file_system.h"

#include "platform/path_text.h"
#include "platform/win32/win32_handles.h"

namespace tvx::win32 {
namespace {

std::string Text(std::string_view view) { return std::string(view); }

FileError LastFileError() { return FileErrorFromCode(::GetLastError()); }

FileError Result(BOOL ok) { return ok ? FileError::None : LastFileError(); }

class Win32File : public File {
 public:
  explicit Win32File(FileHandle handle) : handle_(std::move(handle)) {}

  ReadResult Read(std::span<char> buffer) override {
    DWORD count = 0;
    if (!::ReadFile(handle_.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &count, nullptr))
      return {0, LastFileError()};
    return {count, FileError::None};
  }

  FileError Write(std::string_view data) override {
    while (!data.empty()) {
      DWORD count = 0;
      if (!::WriteFile(handle_.get(), data.data(), static_cast<DWORD>(data.size()), &count, nullptr))
        return LastFileError();
      if (count == 0) return FileError::DiskFull;
      data.remove_prefix(count);
    }
    return FileError::None;
  }

  bool Seek(std::int64_t offset) override { return offset >= 0 && Move(offset, FILE_BEGIN); }
  bool Skip(std::int64_t distance) override { return Move(distance, FILE_CURRENT); }

  std::uint64_t Length() override {
    DWORD high = 0;
    const DWORD low = ::GetFileSize(handle_.get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR) return 0;
    return (static_cast<std::uint64_t>(high) << 32) | low;
  }

  FileError Flush() override { return Result(::FlushFileBuffers(handle_.get())); }

 private:
  // SetFilePointer, not the Ex form: Windows 95 has only this one.
  bool Move(std::int64_t distance, DWORD method) {
    LONG high = static_cast<LONG>(distance >> 32);
    ::SetLastError(NO_ERROR);
    const DWORD low =
        ::SetFilePointer(handle_.get(), static_cast<LONG>(distance & 0xFFFFFFFF), &high, method);
    return !(low == INVALID_SET_FILE_POINTER && ::GetLastError() != NO_ERROR);
  }

  FileHandle handle_;
};

struct OpenFlags {
  DWORD access;
  DWORD share;
  DWORD creation;
};

OpenFlags FlagsFor(OpenMode mode) {
  switch (mode) {
    case OpenMode::Read:
      return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case OpenMode::WriteExisting:
      return {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case OpenMode::CreateAlways:
      return {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS};
    case OpenMode::OpenAlways:
      return {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS};
  }
  return {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING};
}

std::string FixedBufferCall(UINT(WINAPI* call)(LPSTR, UINT)) {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = call(buffer, MAX_PATH);
  return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

using GetDiskFreeSpaceExFunction = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

}  // namespace

FileError FileErrorFromCode(unsigned long code) {
  switch (code) {
    case ERROR_SUCCESS:
      return FileError::None;
    case ERROR_FILE_NOT_FOUND:
      return FileError::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH:
      return FileError::PathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
    case ERROR_NOT_SAME_DEVICE:
      return FileError::AccessDenied;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return FileError::AlreadyExists;
    case ERROR_DIR_NOT_EMPTY:
      return FileError::DirectoryNotEmpty;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
      return FileError::InvalidName;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::DiskFull;
    default:
      return FileError::IoError;
  }
}

OpenResult Win32FileSystem::Open(std::string_view path, OpenMode mode) {
  const OpenFlags flags = FlagsFor(mode);
  FileHandle handle(::CreateFileA(Text(path).c_str(), flags.access, flags.share, nullptr, flags.creation,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return {nullptr, LastFileError()};
  return {std::make_unique<Win32File>(std::move(handle)), FileError::None};
}

std::optional<std::uint32_t> Win32FileSystem::Attributes(std::string_view path) {
  const DWORD attributes = ::GetFileAttributesA(Text(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return attributes;
}

FileError Win32FileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  return Result(::SetFileAttributesA(Text(path).c_str(), attributes));
}

FileError Win32FileSystem::MakeDirectory(std::string_view path) {
  return Result(::CreateDirectoryA(Text(path).c_str(), nullptr));
}

namespace {

// Whether the folder is the current directory or holds it. Windows refuses
// to remove those because it keeps the current directory open; Wine does not
// always, so the refusal is made here for both.
bool HoldsCurrentDirectory(std::string_view folder, const std::string& current) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetFullPathNameA(std::string(folder).c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length > MAX_PATH || current.empty()) return false;
  std::string full(buffer, length);
  while (full.size() > 3 && full.back() == '\\') full.pop_back();
  if (current.size() < full.size() || !EqualsNoCase(std::string_view(current).substr(0, full.size()), full))
    return false;
  return current.size() == full.size() || current[full.size()] == '\\' || full.back() == '\\';
}

}  // namespace

FileError Win32FileSystem::RemoveEmptyDirectory(std::string_view path) {
  if (HoldsCurrentDirectory(path, CurrentDirectory())) return FileError::AccessDenied;
  return Result(::RemoveDirectoryA(Text(path).c_str()));
}

FileError Win32FileSystem::RemoveFile(std::string_view path) {
  return Result(::DeleteFileA(Text(path).c_str()));
}

FileError Win32FileSystem::Rename(std::string_view from, std::string_view to, bool replace_existing) {
  const std::string source = Text(from), target = Text(to);
  const DWORD flags = replace_existing ? MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH : 0;
  if (::MoveFileExA(source.c_str(), target.c_str(), flags)) return FileError::None;
  if (::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return LastFileError();
  // Windows 95/98 have no MoveFileExA: the best they offer is two steps.
  if (replace_existing) ::DeleteFileA(target.c_str());
  return Result(::MoveFileA(source.c_str(), target.c_str()));
}

FindResult Win32FileSystem::Find(std::string_view pattern) {
  FindResult result;
  WIN32_FIND_DATAA data{};
  FindHandle handle(::FindFirstFileA(Text(pattern).c_str(), &data));
  if (!handle) {
    result.error = LastFileError();
    return result;
  }
  do {
    const std::uint64_t size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    result.entries.push_back({data.cFileName, data.dwFileAttributes, size});
  } while (::FindNextFileA(handle.get(), &data));
  return result;
}

FileError Win32FileSystem::ChangeDirectory(std::string_view path) {
  return Result(::SetCurrentDirectoryA(Text(path).c_str()));
}

std::string Win32FileSystem::CurrentDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, buffer);
  return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

std::vector<std::string> Win32FileSystem::LogicalDrives() {
  char buffer[512] = {};
  const DWORD length = ::GetLogicalDriveStringsA(sizeof buffer - 1, buffer);
  std::vector<std::string> roots;
  if (length == 0 || length >= sizeof buffer) return roots;
  for (const char* entry = buffer; *entry; entry += std::char_traits<char>::length(entry) + 1)
    roots.emplace_back(entry);
  return roots;
}

DriveType Win32FileSystem::DriveKind(std::string_view root) {
  return static_cast<DriveType>(::GetDriveTypeA(Text(root).c_str()));
}

std::optional<std::string> Win32FileSystem::VolumeLabel(std::string_view root) {
  char label[MAX_PATH + 1] = {};
  if (!::GetVolumeInformationA(Text(root).c_str(), label, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0))
    return std::nullopt;
  return std::string(label);
}

std::optional<DiskSpace> Win32FileSystem::FreeSpace(std::string_view root) {
  const std::string path = Text(root);
  DWORD sectors = 0, bytes = 0, free_clusters = 0, total_clusters = 0;
  if (!::GetDiskFreeSpaceA(path.c_str(), &sectors, &bytes, &free_clusters, &total_clusters))
    return std::nullopt;
  const std::uint64_t cluster = static_cast<std::uint64_t>(sectors) * bytes;
  DiskSpace space{sectors, bytes, cluster * free_clusters, cluster * total_clusters};
  // The cluster counts saturate on large disks; the Ex call (Windows 95
  // OSR2 and later) tells the truth.
  static const auto ex = OptionalExport<GetDiskFreeSpaceExFunction>("kernel32.dll", "GetDiskFreeSpaceExA");
  ULARGE_INTEGER available{}, total{}, total_free{};
  if (ex && ex(path.c_str(), &available, &total, &total_free)) {
    space.free_bytes = available.QuadPart;
    space.total_bytes = total.QuadPart;
  }
  return space;
}

std::string Win32FileSystem::WindowsDirectory() { return FixedBufferCall(&::GetWindowsDirectoryA); }

std::string Win32FileSystem::SystemDirectory() { return FixedBufferCall(&::GetSystemDirectoryA); }

std::string Win32FileSystem::ModulePath() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, length);
}

}  // namespace tvx::win32
