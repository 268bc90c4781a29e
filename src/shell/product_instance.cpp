#include "shell/product_instance.h"

#include <string>

namespace tvx {

MutexResult TakeProductMutex(Shell& shell, std::string_view volume_name, bool bring_game_forward) {
  MutexResult mutex = shell.CreateNamedMutex(std::string(volume_name) + "EXE");
  if (!mutex.already_existed) return mutex;
  mutex.handle.reset();
  if (bring_game_forward) {
    // The game's file is named after the volume; Windows lists it with its
    // ".EXE", which a bare comparison with the volume name never matches.
    shell.BringProcessWindowToFront(volume_name);
    shell.BringProcessWindowToFront(std::string(volume_name) + ".EXE");
  }
  return mutex;
}

}  // namespace tvx
