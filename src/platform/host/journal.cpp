#include "platform/host/journal.h"

#include <fstream>

namespace tvx::host {

void Journal::Record(std::string_view what, std::string_view detail) {
  std::ofstream out(file_, std::ios::binary | std::ios::app);
  out << what << ' ' << detail << '\n';
}

}  // namespace tvx::host
