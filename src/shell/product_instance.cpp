#include "shell/product_instance.h"

#include <string>

namespace tvx {

std::unique_ptr<MutexHandle> TakeProductMutex(Shell& shell, std::string_view volume_name,
                                              bool bring_game_forward) {
  MutexResult mutex = shell.CreateNamedMutex(std::string(volume_name) + "EXE");
  if (!mutex.already_existed) return std::move(mutex.handle);
  if (bring_game_forward) {
    // The game's file is named after the volume; Windows lists it with its
    // ".EXE", which a bare comparison with the volume name never matches.
    shell.BringProcessWindowToFront(volume_name);
    shell.BringProcessWindowToFront(std::string(volume_name) + ".EXE");
  }
  return nullptr;
}

}  // namespace tvx
