#include "detection/software_probes.h"

#include "detection/system_version.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace tvx {
namespace {

constexpr std::size_t kIndeoValueBuffer = 50;

std::string Halves(std::uint32_t word) {
  return std::to_string(word >> 16) + "." + std::to_string(word & 0xFFFF);
}

}  // namespace

std::int32_t ProbeVideoForWindows(const SystemVersion& version) {
  return version.win9x || version.nt4_or_later ? 1 : 0;
}

std::int32_t ProbeDirectDraw() { return 1; }

std::int32_t ProbeDirectX(const SystemVersion& version) { return version.win9x ? 0 : 1; }

std::int32_t ProbeDxMedia() { return 0; }

std::int32_t ProbeAMovie() { return 0; }

std::int32_t ProbeIndeo(FileSystem& files, System& system, std::string_view codec_file,
                        std::string_view installer_path) {
  const std::string driver =
      AsciiLower(system.ProfileText("SYSTEM.INI", "Drivers32", "VIDC.IV32", "No", kIndeoValueBuffer));
  if (driver.find("ir32_32.dll") == std::string::npos) return 0;
  const std::string installed = FileVersionText(files, system, JoinPath(files.SystemDirectory(), codec_file));
  const std::string offered =
      FileVersionText(files, system, std::string(installer_path) + std::string(codec_file));
  // Compared as text, so 4.11.15.91 is older than 4.2.0.0; kept so.
  return installed >= offered ? 1 : 0;
}

std::int32_t ReportVideoForWindowsMissing(Ui& ui, std::string_view caption) {
  ui.ShowMessageBox("Video For Windows not installed", caption, box::kIconExclamation | box::kSetForeground,
                    BoxOwner::None);
  return 0;
}

std::int32_t InstallDirectDraw() { return 1; }

std::string FileVersionText(FileSystem& files, System& system, std::string_view path) {
  if (!files.Open(path, OpenMode::Read).file) return {};
  const auto version = system.FileVersion(path);
  if (!version) return {};
  return Halves(version->most_significant) + "." + Halves(version->least_significant);
}

}  // namespace tvx
