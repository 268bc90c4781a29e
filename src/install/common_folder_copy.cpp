#include "install/common_folder_copy.h"

#include "platform/file_services.h"
#include "platform/path_text.h"
#include "platform/whole_file_replace.h"

namespace tvx {
namespace {

constexpr std::uint32_t kVersionString = 1;
// LoadStringA's buffer: 255 characters and the zero.
constexpr std::size_t kVersionBuffer = 256;
constexpr const char* kCommonFolder = "\\Tarvex";

// The first marker followed by a text: one followed at once by its zero is
// a search key in some program's data, not a version.
std::string MarkedVersion(std::string_view bytes) {
  const std::string marker = VersionMarker();
  for (std::size_t at = bytes.find(marker); at != std::string_view::npos; at = bytes.find(marker, at + 1)) {
    const std::string_view rest = bytes.substr(at + marker.size());
    const std::string_view text = rest.substr(0, std::min(rest.find('\0'), kVersionBuffer - 1));
    if (!text.empty()) return std::string(text);
  }
  return {};
}

// The common folder's program is what every product's uninstall entry and
// Play entry start: a full disk must leave the old one whole.
bool ReplaceProgram(FileSystem& files, std::string_view source, const std::string& destination) {
  std::string contents;
  if (ReadWholeFile(files, source, contents) != FileError::None) return false;
  return ReplaceWholeFile(files, destination, destination + ".tmp", contents, /*replace_read_only=*/true);
}

}  // namespace

std::string VersionMarker() {
  std::string marker = "TVX-VERS:";
  marker.insert(marker.begin(), '\xA3');
  return marker;
}

std::string SetupVersionText(Platform& platform, std::string_view path) {
  if (auto text = platform.system.ModuleString(path, kVersionString, kVersionBuffer)) return *text;
  std::string bytes;
  if (ReadWholeFile(platform.files, path, bytes) != FileError::None) return {};
  return MarkedVersion(bytes);
}

void CopySetupToCommonFolder(Platform& platform) {
  FileSystem& files = platform.files;
  const std::string common = WindowsDirectory(files) + kCommonFolder;
  if (!CreateDirectoryChain(files, common)) return;
  const std::string own_folder = ProgramDirectory(files);
  const std::string own = JoinPath(own_folder, kSetupProgramName);
  const std::string kept = JoinPath(common, kSetupProgramName);
  // Byte-wise, as the texts are compared everywhere the copy is kept.
  if (SetupVersionText(platform, kept) <= SetupVersionText(platform, own)) ReplaceProgram(files, own, kept);
  CopyMatchingFiles(files, own_folder, common, "*.dll");
}

}  // namespace tvx
