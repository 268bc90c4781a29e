// "setup.log", the list of copied files handed to the configuration's own
// library function right after the copy.
#pragma once

#include <string>
#include <string_view>

#include "install/post_install_context.h"
#include "script/copy_item.h"

namespace tvx {

inline constexpr const char* kInstallLogName = "setup.log";
inline constexpr const char* kLogNotCreated = "Could not create 'log' file !!";
inline constexpr const char* kDllNotOpened = "Could not open DLL to call function !!";

// One "source=destination" line, CR LF ended, per copied file in list
// order; fonts, unlogged items and folders are left out. The destination
// keeps the script's folder field as written, macros unexpanded.
std::string InstallLogText(std::string_view program_directory, std::string_view install_directory,
                           const CopyItemList& list);

// The setup program's directory + the path, with one "\" between.
std::string FromProgramDirectory(std::string_view program_directory, std::string_view path);

// Writes the log when the script asks for one or the configuration calls a
// library function, calls that function with (log, data path, install
// directory without its "\"), and deletes the log again. False when the
// log could not be written, the library could not be loaded or the
// function answered 0; the messages are shown here.
bool WriteLogAndCallDll(PostInstallContext& context, const CopyItemList& list);

}  // namespace tvx
