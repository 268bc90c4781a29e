// Default values of registry keys, and the web browser's icon read from one.
#pragma once

#include <string>
#include <string_view>

#include "platform/registry.h"

namespace tvx {

// Reads the key's default text as a 260-character buffer takes it: a
// registry status; on any failure the text is left as it was.
long ReadRegistryDefault(Registry& registry, RegistryRoot root, std::string_view subkey, std::string& text);

// The icon file of HKEY_CLASSES_ROOT "http\DefaultIcon", without its icon
// index; empty when the key or its value is missing.
std::string BrowserIconPath(Registry& registry);

}  // namespace tvx
