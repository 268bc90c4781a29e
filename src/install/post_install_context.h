// What the steps around the copy and at the end of an installation read.
#pragma once

#include <string>

#include "platform/platform.h"
#include "script/configuration.h"
#include "script/install_script.h"
#include "ui/text_lookup.h"

namespace tvx {

struct PostInstallContext {
  Platform& platform;
  TextLookup text;  // localized strings by number
  const InstallScript& script;
  const Configuration& configuration;  // the one being installed
  std::string source_directory;        // the installation source, without a final "\"
  std::string install_directory;       // ends in "\"
};

}  // namespace tvx
