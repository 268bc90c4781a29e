// What a failed program start tells the user.
#pragma once

#include <cstdint>

namespace tvx {

// The localized string that reports a failed WinExec by its result; 0 when
// none does.
int StartFailureString(std::uint32_t start_result);

}  // namespace tvx
