// The maker's online-service client: programs and libraries that every
// product of the maker shares, installed once per machine under the Windows
// directory, with one subfolder per product that uses it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "install/online_client_service.h"
#include "platform/platform.h"
#include "registry/product_registry_file.h"
#include "registry/registry_process_state.h"
#include "script/script_process_state.h"

namespace tvx {

inline constexpr const char* kClientKey = "software\\Tarvex\\NVC";
inline constexpr const char* kClientSection = "NVC";
// What follows the Windows directory in the client's folder.
inline constexpr const char* kClientFolderSuffix = "\\Tarvex\\NVC\\";
// The client's values are read into a buffer of this size.
inline constexpr std::size_t kClientValueBytes = 20;

struct ClientContext {
  Platform& platform;
  RegistryProcessState& registry_state;
  ScriptProcessState& script_state;            // the expected versions; the strings
  std::function<std::string()> product_name;   // as the product registry records it
  std::function<std::string()> source_folder;  // the client's folder on the disc
};

bool WriteClientValue(Registry& registry, std::string_view name, std::string_view text);
std::optional<std::string> ReadClientValue(Registry& registry, std::string_view name);
// Versions compare as text: "1.10" is older than "1.9". "0" takes any.
bool NeedsUpdate(Registry& registry, std::string_view name, std::string_view expected);

// The client's folder, ending in "\".
std::string ClientFolder(FileSystem& files);
// A product name comes from the script: it names a folder below the
// client's only when it holds no path separator, wildcard or "..".
bool IsPlainFolderName(std::string_view name);

class OnlineClient final : public OnlineClientService {
 public:
  explicit OnlineClient(ClientContext context) : c_(std::move(context)) {}

  bool ClientProbe() override;
  bool ClientInstall() override;
  void ClientRemove() override;

 private:
  struct ClientFile;
  static const ClientFile kClientFiles[];

  bool VersionsCurrent(const std::string& product);
  bool MakeFolders(ProductRegistryFile& registry, const std::string& folder, const std::string& subfolder);
  bool InstallClientFile(const ClientFile& file, const std::string& source, const std::string& folder);
  bool InstallProductLibrary(const std::string& source, const std::string& subfolder,
                             const std::string& product);
  bool PlaceFile(const std::string& from, const std::string& to, const std::string& value_name,
                 const std::string& version, const char* failure_message);
  void CountSystemLibraries(const std::string& source);
  void RemoveWholeClient(ProductRegistryFile& registry, const std::string& product);
  void RemoveProductShare(ProductRegistryFile& registry, const std::string& product);
  void ReleaseSystemLibraries();
  std::string Text(int number);

  ClientContext c_;
};

}  // namespace tvx
