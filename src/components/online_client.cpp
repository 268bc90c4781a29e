#include "components/online_client.h"

#include <algorithm>
#include <vector>

#include "install/shared_count.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "platform/whole_file_replace.h"
#include "registry/installed_products.h"
#include "ui/plain_message.h"

namespace tvx {
namespace {

constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;
constexpr const char* kAnyVersion = "0";
constexpr const char* kSystemLibraries[] = {"svrapi.dll", "secur32.dll"};
constexpr int kSharedQuestion = 130;
constexpr int kSharedCaption = 131;

// The copy replaces the file in one step: a full disk leaves the old file
// or none, never a truncated one that would pass for installed next time.
bool CopyClientFile(FileSystem& files, const std::string& from, const std::string& to) {
  std::string contents;
  return ReadWholeFile(files, from, contents) == FileError::None &&
         ReplaceWholeFile(files, to, to + ".tmp", contents, /*replace_read_only=*/true);
}

}  // namespace

struct OnlineClient::ClientFile {
  const char* name;
  const char* value_name;
  std::string ScriptProcessState::*expected;
  bool skipped_for_any_version;
  const char* update_failure;   // shown when an update could not be copied
  const char* missing_failure;  // shown when a missing file could not be copied
};

const OnlineClient::ClientFile OnlineClient::kClientFiles[] = {
    {"Startup.exe", "StartupVersion", &ScriptProcessState::client_startup_version, false, "startup", nullptr},
    {"Client.exe", "ClientVersion", &ScriptProcessState::client_version, false, nullptr, "client"},
    {"Client.dll", "NVCDLLVersion", &ScriptProcessState::client_library_version, true, nullptr, nullptr},
};

bool WriteClientValue(Registry& registry, std::string_view name, std::string_view text) {
  if (registry.CreateKey(kRoot, kClientKey) != registry_status::kSuccess) return false;
  // Counted without a terminating zero, as the client reads it.
  const bool written =
      registry.SetValue(kRoot, kClientKey, name, RegistryValue{RegistryType::String, std::string(text)}) ==
      registry_status::kSuccess;
  registry.Flush(kRoot);
  return written;
}

std::optional<std::string> ReadClientValue(Registry& registry, std::string_view name) {
  if (registry.CreateKey(kRoot, kClientKey) != registry_status::kSuccess) return std::nullopt;
  RegistryValue value;
  const long status = registry.QueryValue(kRoot, kClientKey, name, value);
  registry.Flush(kRoot);
  // A longer value does not fit the buffer, and the read fails.
  if (status != registry_status::kSuccess || value.data.size() > kClientValueBytes) return std::nullopt;
  return value.Text();
}

bool NeedsUpdate(Registry& registry, std::string_view name, std::string_view expected) {
  if (expected == kAnyVersion) return false;
  const std::optional<std::string> installed = ReadClientValue(registry, name);
  return !installed || expected > std::string_view(*installed);
}

std::string ClientFolder(FileSystem& files) { return WindowsDirectory(files) + kClientFolderSuffix; }

bool IsPlainFolderName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  const auto unsafe = [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
  };
  if (std::any_of(name.begin(), name.end(), unsafe)) return false;
  // Windows drops trailing dots and blanks: such a name is the parent.
  return name.find_first_not_of(". ") != std::string_view::npos;
}

bool OnlineClient::ClientProbe() {
  std::string directory;
  {
    ProductRegistryFile registry(c_.platform.files, c_.registry_state);
    if (!registry.FindSection(kClientSection) ||
        !registry.ReadString(kClientSection, kDirectoryKey, directory))
      return false;
  }
  const std::string product = c_.product_name();
  FileSystem& files = c_.platform.files;
  if (!IsPlainFolderName(product) || !IsDirectory(files, directory) ||
      !IsDirectory(files, directory + product))
    return false;
  return VersionsCurrent(product);
}

// The product library's restore value is the one looked at: a normal
// installation writes "_DLLVersion", so such a product reads as missing
// and the installer only checks its files again.
bool OnlineClient::VersionsCurrent(const std::string& product) {
  Registry& registry = c_.platform.registry;
  const ScriptProcessState& expected = c_.script_state;
  return !NeedsUpdate(registry, "StartupVersion", expected.client_startup_version) &&
         !NeedsUpdate(registry, "ClientVersion", expected.client_version) &&
         !NeedsUpdate(registry, "NVCDLLVersion", expected.client_library_version) &&
         !NeedsUpdate(registry, product + "Version", expected.product_library_version);
}

bool OnlineClient::ClientInstall() {
  const std::string product = c_.product_name();
  if (!IsPlainFolderName(product)) return false;
  const std::string folder = ClientFolder(c_.platform.files);
  const std::string subfolder = folder + product + "\\";
  const std::string source = c_.source_folder() + "\\";
  {
    ProductRegistryFile registry(c_.platform.files, c_.registry_state);
    if (!MakeFolders(registry, folder, subfolder)) return false;
    for (const ClientFile& file : kClientFiles)
      if (!InstallClientFile(file, source, folder)) return false;
    if (!InstallProductLibrary(source, subfolder, product)) return false;
  }
  CountSystemLibraries(source);
  return true;
}

// A client folder that cannot be made fails here: every file copy into it
// would fail next.
bool OnlineClient::MakeFolders(ProductRegistryFile& registry, const std::string& folder,
                               const std::string& subfolder) {
  FileSystem& files = c_.platform.files;
  if (!CreateDirectoryChain(files, WithoutFinalBackslash(folder))) return false;
  if (registry.WriteString(kClientSection, kDirectoryKey, folder) == kWriteFailed) return false;
  return CreateDirectoryChain(files, WithoutFinalBackslash(subfolder));
}

bool OnlineClient::InstallClientFile(const ClientFile& file, const std::string& source,
                                     const std::string& folder) {
  const std::string& expected = c_.script_state.*file.expected;
  if (file.skipped_for_any_version && expected == kAnyVersion) return true;
  const std::string from = source + file.name;
  const std::string to = folder + file.name;
  if (NeedsUpdate(c_.platform.registry, file.value_name, expected))
    return PlaceFile(from, to, file.value_name, expected, file.update_failure);
  if (FileExists(c_.platform.files, to)) return true;
  return PlaceFile(from, to, file.value_name, expected, file.missing_failure);
}

bool OnlineClient::InstallProductLibrary(const std::string& source, const std::string& subfolder,
                                         const std::string& product) {
  const std::string& expected = c_.script_state.product_library_version;
  if (expected == kAnyVersion) return true;
  const std::string file = product + ".dll";
  if (NeedsUpdate(c_.platform.registry, product + "_DLLVersion", expected))
    return PlaceFile(source + file, subfolder + file, product + "_DLLVersion", expected, nullptr);
  if (FileExists(c_.platform.files, subfolder + file)) return true;
  return PlaceFile(source + file, subfolder + file, product + "Version", expected, nullptr);
}

bool OnlineClient::PlaceFile(const std::string& from, const std::string& to, const std::string& value_name,
                             const std::string& version, const char* failure_message) {
  if (!CopyClientFile(c_.platform.files, from, to)) {
    if (failure_message) ShowPlainMessage(c_.platform.ui, failure_message);
    return false;
  }
  return WriteClientValue(c_.platform.registry, value_name, version);
}

// Each library counts once per installation, found or copied; one the disc
// lacks is told about and left uncounted.
void OnlineClient::CountSystemLibraries(const std::string& source) {
  FileSystem& files = c_.platform.files;
  const std::string system = SystemDirectory(files);
  for (const char* library : kSystemLibraries) {
    const std::string path = JoinPath(system, library);
    if (!FileExists(files, path)) {
      if (!FileExists(files, source + library)) {
        c_.platform.ui.ShowMessageBox("Can't open " + source + library + " !!", kProgramName, box::kOk,
                                      BoxOwner::MainWindow);
        continue;
      }
      if (!CopyClientFile(files, source + library, path)) continue;
    }
    IncrementSharedCount(c_.platform.registry, c_.platform.ui, kSharedDllsKey, path);
  }
}

void OnlineClient::ClientRemove() {
  const std::string product = c_.product_name();
  // The last recorded product must be this one: a rollback of another
  // product's installation leaves the installed product's client alone.
  const std::vector<std::string> products = ListInstalledProducts(c_.platform.files, c_.registry_state);
  const bool last = products.size() == 1 && products.front() == product;
  {
    ProductRegistryFile registry(c_.platform.files, c_.registry_state);
    if (registry.FindSection(kClientSection)) {
      if (last) {
        RemoveWholeClient(registry, product);
      } else {
        RemoveProductShare(registry, product);
      }
    }
  }
  Registry& registry = c_.platform.registry;
  if (last) {
    registry.DeleteKey(kRoot, kClientKey);
  } else {
    registry.DeleteValue(kRoot, kClientKey, product + "_DLLVersion");
  }
  registry.Flush(kRoot);
}

// "Directory" only says that the client was installed: what goes is the
// folder this program makes, never another one a hand-edited file names.
void OnlineClient::RemoveWholeClient(ProductRegistryFile& registry, const std::string& product) {
  std::string recorded;
  if (!registry.FindSection(product) || !registry.ReadString(kClientSection, kDirectoryKey, recorded)) return;
  FileSystem& files = c_.platform.files;
  const std::string folder = ClientFolder(files);
  DeleteTree(files, WithoutFinalBackslash(folder));
  if (!IsDirectory(files, folder)) registry.DeleteSection(kClientSection);
  ReleaseSystemLibraries();
}

void OnlineClient::RemoveProductShare(ProductRegistryFile& registry, const std::string& product) {
  std::string recorded;
  if (!registry.ReadString(kClientSection, kDirectoryKey, recorded) || !IsPlainFolderName(product)) return;
  DeleteDirectoryFiles(c_.platform.files, ClientFolder(c_.platform.files) + product);
}

// The libraries belong to the system: their counts go down, and a Yes to
// the question deletes nothing.
void OnlineClient::ReleaseSystemLibraries() {
  const std::string system = SystemDirectory(c_.platform.files);
  for (const char* library : kSystemLibraries)
    DecrementSharedCount(c_.platform.registry, c_.platform.ui, kSharedDllsKey, JoinPath(system, library),
                         Text(kSharedQuestion) + " " + library, Text(kSharedCaption));
}

std::string OnlineClient::Text(int number) {
  return c_.script_state.strings.LookupString(c_.platform.ui, number);
}

}  // namespace tvx
