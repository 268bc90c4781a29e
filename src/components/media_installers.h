// The installers of the DirectX runtime and the media runtimes: the actions
// of their software tests, run when a probe finds the component missing.
// Each answers nonzero when the installation may go on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/text_lookup.h"

namespace tvx {

struct DetectionProcessState;
struct Platform;
struct UiProcessState;

struct ComponentContext {
  Platform& platform;
  DetectionProcessState& detection;  // the installer path; the restart flag
  UiProcessState& ui_state;
  TextLookup text;                            // the product's strings
  std::function<std::string()> product_name;  // as the product registry records it
};

// The DirectX flags: the core, the display drivers and the sound drivers.
inline constexpr std::uint32_t kDirectXSetupFlags = 0x10018;
// A setup program's exit code for success that wants a restart.
inline constexpr std::int32_t kRestartExitCode = 3010;

std::int32_t InstallDirectX(ComponentContext& context);
std::int32_t InstallDxMedia(ComponentContext& context);
std::int32_t InstallAMovie(ComponentContext& context);

}  // namespace tvx
