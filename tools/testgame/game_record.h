// What the project's test game writes down when it is started: its
// program, command line, current folder and whether it could take its
// mutex. One block per start, appended to "tvxgame.log" in the Windows
// folder (a disc cannot be written to):
//
//   run C:\Tarvex\Zephra\Zephra.exe
//   command line: "C:\Tarvex\Zephra\Zephra.exe" -l:English -cdrom:D
//   current directory: C:\Tarvex\Zephra
//   mutex ZEPHRAEXE: taken            ("held by another" when it could not)
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tvx::game {

inline constexpr const char* kRecordName = "tvxgame.log";

// The product's mutex as a game takes it: its file name without the
// extension, in capitals, then "EXE" ("Zephra.exe": "ZEPHRAEXE").
std::string MutexNameOf(std::string_view program_path);

// Takes the mutex and appends the record; the mutex is held until the
// answer goes. Null when the record could not be written.
std::unique_ptr<MutexHandle> RecordThisRun(Platform& platform);

}  // namespace tvx::game
