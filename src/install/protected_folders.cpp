#include "install/protected_folders.h"

#include "platform/path_text.h"

namespace tvx {
namespace {

constexpr const char* kCurrentVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";

std::string ProgramFilesFolder(Registry& registry) {
  RegistryValue value;
  if (registry.QueryValue(RegistryRoot::LocalMachine, kCurrentVersionKey, "ProgramFilesDir", value) != 0)
    return {};
  if (value.type != RegistryType::String && value.type != RegistryType::ExpandString) return {};
  std::string text = value.data;
  if (const auto end = text.find('\0'); end != std::string::npos) text.resize(end);
  return text;
}

bool IsFullPath(std::string_view key) {
  const bool letter = !key.empty() && ((key[0] >= 'a' && key[0] <= 'z'));
  return letter && key.size() >= 2 && key[1] == ':' && (key.size() == 2 || key[2] == '\\');
}

}  // namespace

std::string FolderKey(std::string_view path) {
  std::string key = AsciiLower(path);
  while (key.size() > 2 && key.back() == '\\') key.pop_back();
  return key;
}

bool IsWithinFolder(std::string_view path_key, std::string_view folder_key) {
  if (folder_key.empty() || path_key.size() < folder_key.size()) return false;
  if (path_key.substr(0, folder_key.size()) != folder_key) return false;
  return path_key.size() == folder_key.size() || path_key[folder_key.size()] == '\\';
}

ProtectedFolders::ProtectedFolders(Platform& platform)
    : windows_(FolderKey(platform.files.WindowsDirectory())) {
  const SpecialFolder special[] = {
      SpecialFolder::Programs,         SpecialFolder::Startup,         SpecialFolder::StartMenu,
      SpecialFolder::DesktopDirectory, SpecialFolder::Fonts,           SpecialFolder::CommonPrograms,
      SpecialFolder::CommonStartup,    SpecialFolder::CommonStartMenu, SpecialFolder::CommonDesktopDirectory};
  folders_.push_back(windows_);
  folders_.push_back(FolderKey(platform.files.SystemDirectory()));
  for (SpecialFolder folder : special)
    folders_.push_back(FolderKey(platform.shell.SpecialFolderPath(folder)));
  folders_.push_back(FolderKey(ProgramFilesFolder(platform.registry)));
  std::erase_if(folders_, [](const std::string& folder) { return folder.size() < 2; });
}

bool ProtectedFolders::Protects(std::string_view directory) const {
  const std::string key = FolderKey(directory);
  if (!IsFullPath(key) || key.size() <= 3) return true;
  if (key.find("\\.") != std::string::npos) return true;  // "." and ".." steps name another folder
  for (const std::string& folder : folders_)
    if (IsWithinFolder(folder, key)) return true;
  return false;
}

bool ProtectedFolders::InsideWindows(std::string_view path) const {
  return IsWithinFolder(FolderKey(path), windows_);
}

}  // namespace tvx
