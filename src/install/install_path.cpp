#include "install/install_path.h"

namespace tvx {
namespace {

constexpr std::size_t kLongestInstallPath = 180;
constexpr std::string_view kRefusedCharacters = "/:*?\"<>|";

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsValidInstallPath(std::string_view path) {
  if (path.size() < 2 || path.size() > kLongestInstallPath) return false;
  if (!IsAsciiLetter(path[0]) || path[1] != ':') return false;
  // A two-character path has no third: it is refused here.
  if (path.size() < 3 || path[2] != '\\') return false;
  if (path.size() > 3 && path[3] == '.') return false;
  for (std::size_t i = 2; i < path.size(); ++i) {
    if (kRefusedCharacters.find(path[i]) != std::string_view::npos) return false;
    const bool inner_backslash = path[i] == '\\' && i + 1 < path.size();
    if (inner_backslash && (path[i + 1] == '\\' || path[i + 1] == '.')) return false;
  }
  return true;
}

}  // namespace tvx
