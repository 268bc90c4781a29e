// The probes of the software components, the two components that have no
// installer of their own, and the version text of a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tvx {

class FileSystem;
class System;
class Ui;
struct SystemVersion;

inline constexpr const char* kIndeo4Codec = "IR41_32.DLL";
inline constexpr const char* kIndeo5Codec = "IR50_32.DLL";
inline constexpr std::int32_t kVideoForWindowsCaption = 240;

std::int32_t ProbeVideoForWindows(const SystemVersion& version);
std::int32_t ProbeDirectDraw();
std::int32_t ProbeDirectX(const SystemVersion& version);
std::int32_t ProbeDxMedia();
std::int32_t ProbeAMovie();
// 1 when SYSTEM.INI names the Indeo driver and the codec in the system
// directory is at least as new, as text, as the one at the installer path.
std::int32_t ProbeIndeo(FileSystem& files, System& system, std::string_view codec_file,
                        std::string_view installer_path);

// Video for Windows cannot be installed: says so and answers 0.
std::int32_t ReportVideoForWindowsMissing(Ui& ui, std::string_view caption);
std::int32_t InstallDirectDraw();

// "major.minor.build.revision" of the file's version resource; empty when
// the file cannot be opened or has none.
std::string FileVersionText(FileSystem& files, System& system, std::string_view path);

}  // namespace tvx
