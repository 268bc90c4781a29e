// One line of text whatever it holds: the escapes of the transcript and
// the journal.
#pragma once

#include <string>
#include <string_view>

namespace tvx::host {

// \n, \r, \t, \", \\ and \xNN for the other control bytes; other bytes as
// they are.
std::string EscapedText(std::string_view text);

}  // namespace tvx::host
