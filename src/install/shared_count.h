// The system-wide use counts of shared libraries, kept under
// HKEY_LOCAL_MACHINE by the libraries' full paths.
#pragma once

#include <string_view>

#include "platform/registry.h"
#include "platform/ui.h"

namespace tvx {

inline constexpr const char* kSharedDllsKey = "software\\microsoft\\windows\\currentversion\\SharedDLLs";

// One more user of the library. Nothing happens when the key is missing;
// a count that cannot be created says "Can't register " + the path.
void IncrementSharedCount(Registry& registry, Ui& ui, std::string_view key, std::string_view value_name);

// One user fewer. True only when the last user is gone and the user, asked
// with the question (default No), agreed that the file may be deleted.
// The count stays at 0 until ForgetSharedCount: the value goes only with
// the file, so a library kept on disk keeps its entry.
bool DecrementSharedCount(Registry& registry, Ui& ui, std::string_view key, std::string_view value_name,
                          std::string_view question, std::string_view caption);

// One user fewer of a library that is no longer on disk: nothing to ask
// about, and its count goes at 0.
void DropSharedCount(Registry& registry, std::string_view key, std::string_view value_name);

// Removes the count of a library whose file was deleted.
void ForgetSharedCount(Registry& registry, std::string_view key, std::string_view value_name);

}  // namespace tvx
