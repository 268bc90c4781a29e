// The whole platform seam, built by the entry point and passed down.
#pragma once

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace tvx {

struct Platform {
  FileSystem& files;
  Registry& registry;
  System& system;
  Shell& shell;
  Ui& ui;
};

}  // namespace tvx
