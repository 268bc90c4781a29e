#include "platform/host/journal.h"

#include <fstream>

#include "platform/host/escaped_text.h"

namespace tvx::host {

void Journal::Record(std::string_view what, std::string_view detail) {
  std::ofstream out(file_, std::ios::binary | std::ios::app);
  out << what << ' ' << EscapedText(detail) << '\n';
  out.close();
  if (!out) faults_.Add("cannot write the journal " + file_.string());
}

}  // namespace tvx::host
