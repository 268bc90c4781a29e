#pragma once
#include "platform/platform.h"
#include "script/install_script.h"
#include "ui/text_lookup.h"
namespace tvx {
struct PostInstallContext {
  Platform& platform;
  TextLookup text;
  const InstallScript& script;
  const Configuration& configuration;
  std::string source_directory;
  std::string install_directory;
};
inline bool WriteLogAndCallDll(PostInstallContext&, const CopyItemList&) { return true; }
inline void LaunchAfterInstall(PostInstallContext&) {}
inline void OfferReadme(PostInstallContext&, std::size_t) {}
inline void OfferRestart(Platform&, TextLookup, std::string_view, std::string_view) {}
}  // namespace tvx
