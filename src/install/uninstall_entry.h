#pragma once
#include "platform/platform.h"
#include "script/install_script.h"
namespace tvx {
struct UninstallEntry {};
inline UninstallEntry UninstallEntryFor(Platform&, const InstallScript&, const Configuration&,
                                        const std::string&) {
  return {};
}
inline void RegisterProduct(Platform&, const UninstallEntry&) {}
}  // namespace tvx
