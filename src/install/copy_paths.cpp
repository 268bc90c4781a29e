#include "install/copy_paths.h"

#include "platform/path_text.h"

namespace tvx {
namespace {

std::string WithBackslash(std::string_view directory) {
  std::string joined(directory);
  if (!EndsWithBackslash(joined)) joined += '\\';
  return joined;
}

// The source folder and the subdirectory ("\dir\" or empty) joined with
// exactly one backslash, so an empty subdirectory still names a path.
std::string SourceRoot(const CopyPlaces& places, const CopyItem& item) {
  std::string root = WithBackslash(places.source_directory);
  std::string_view subdirectory = item.source_subdirectory;
  if (!subdirectory.empty() && subdirectory.front() == '\\') subdirectory.remove_prefix(1);
  root += subdirectory;
  return root.empty() || EndsWithBackslash(root) ? root : root + '\\';
}

}  // namespace

CopyPaths ResolveCopyPaths(const CopyItem& item, const CopyPlaces& places) {
  CopyPaths paths;
  paths.source = SourceRoot(places, item) + item.source_name;
  const std::string& name = item.destination_name.empty() ? item.source_name : item.destination_name;
  paths.climbs_out = ClimbsOut(name);
  std::string directory;
  if (EqualsNoCase(item.destination_directory, kSharedDllMacro)) {
    directory = WithBackslash(places.system_directory);
    paths.shared = true;
  } else if (EqualsNoCase(item.destination_directory, kWindowsSystemMacro)) {
    directory = WithBackslash(places.system_directory);
  } else if (item.font) {
    directory = item.destination_directory;
  } else {
    directory = places.install_directory + item.destination_directory;
    paths.climbs_out = paths.climbs_out || ClimbsOut(item.destination_directory);
  }
  paths.destination = directory + name;
  return paths;
}

bool ClimbsOut(std::string_view path) {
  std::string_view rest = path;
  while (!rest.empty()) {
    const auto slash = rest.find_first_of("\\/");
    const std::string_view step = rest.substr(0, slash);
    // Windows drops trailing dots and blanks: "..." and ".. " climb too.
    if (step.size() >= 2 && step.find_first_not_of(". ") == std::string_view::npos) return true;
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  return false;
}

}  // namespace tvx
