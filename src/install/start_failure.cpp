#include "install/start_failure.h"

namespace tvx {

int StartFailureString(std::uint32_t start_result) {
  switch (start_result) {
    case 0:
      return 261;
    case 2:
      return 263;
    case 3:
      return 264;
    case 11:
      return 262;
    default:
      return 0;
  }
}

}  // namespace tvx
