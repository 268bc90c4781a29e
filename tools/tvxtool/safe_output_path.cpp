#include "safe_output_path.h"

#include <array>

#include "platform/path_text.h"
#include "script_json.h"

namespace tvx::authoring {
namespace fs = std::filesystem;

namespace {

bool IsDeviceName(std::string_view step) {
  // Windows reserves the name whatever the extension: "nul.txt" is NUL.
  std::string base = AsciiLower(step.substr(0, step.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static constexpr std::array<const char*, 7> kNames = {"con",    "prn",     "aux",   "nul",
                                                        "conin$", "conout$", "clock$"};
  for (const char* name : kNames)
    if (base == name) return true;
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '0' &&
         base[3] <= '9';
}

std::string StepRefusal(std::string_view step) {
  for (const char c : step) {
    if (static_cast<unsigned char>(c) < 0x20) return "a control character";
    if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
      return c == ':' ? "a drive or stream (\":\")" : std::string("the character ") + c;
  }
  if (IsDeviceName(step)) return "the device name " + std::string(step);
  return {};
}

}  // namespace

SafePath SafeRelativePath(std::string_view windows_path) {
  SafePath safe;
  if (!windows_path.empty() && (windows_path.front() == '\\' || windows_path.front() == '/')) {
    safe.refusal = "an absolute path";
    return safe;
  }
  std::string_view rest = windows_path;
  for (;;) {
    const auto slash = rest.find_first_of("\\/");
    std::string_view step = rest.substr(0, slash);
    if (!step.empty() && step != ".") {
      if (step.find_first_not_of(". ") == std::string_view::npos) {
        safe.refusal = "a \"..\" or blank step";
        break;
      }
      safe.refusal = StepRefusal(step);
      if (!safe.refusal.empty()) break;
      while (step.back() == '.' || step.back() == ' ') step.remove_suffix(1);
      safe.path /= Windows1252ToUtf8(step);
    }
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  if (!safe.refusal.empty()) safe.path.clear();
  return safe;
}

std::optional<fs::path> FindNoCase(const fs::path& folder, const std::string& name) {
  std::error_code status;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, status))
    if (EqualsNoCase(entry.path().filename().string(), name)) return entry.path();
  return std::nullopt;
}

}  // namespace tvx::authoring
