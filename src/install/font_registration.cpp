#include "install/font_registration.h"

#include "platform/path_text.h"

namespace tvx {

void RegisterFont(Shell& shell, Registry& registry, std::string_view destination_path,
                  std::string_view display_name) {
  shell.AddFontFile(destination_path);
  shell.BroadcastFontChange();
  if (display_name.empty()) return;
  constexpr RegistryRoot kRoot = RegistryRoot::LocalMachine;
  if (registry.CreateKey(kRoot, kFontsKey) != registry_status::kSuccess) return;
  registry.SetValue(kRoot, kFontsKey, display_name,
                    RegistryValue::String(AfterLastBackslash(destination_path)));
  registry.Flush(kRoot);
}

}  // namespace tvx
