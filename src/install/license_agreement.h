#pragma once
#include "platform/platform.h"
#include "script/install_script.h"
#include "ui/text_lookup.h"
#include "ui/ui_process_state.h"
namespace tvx {
inline bool ShowLicenseAgreement(Platform&, UiProcessState&, const InstallScript&, std::size_t, TextLookup,
                                 std::string_view) {
  return true;
}
}  // namespace tvx
