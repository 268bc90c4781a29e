// A product's own library as the installation calls it right after the
// copy: it copies the log it was given, with the three strings, into
// <data path>\seen.txt, and answers the number in <data path>\answer.txt
// (1 when there is none). Built again under the sample's entry name for the
// sample disc.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "fixture_files.h"

#ifndef TVX_HOOK_ENTRY
#define TVX_HOOK_ENTRY TvxHookSetup
#endif

extern "C" __declspec(dllexport) int __cdecl TVX_HOOK_ENTRY(const char* log, const char* data,
                                                            const char* folder) {
  const std::string data_path(data);
  fixture::WriteWhole(data_path + "\\seen.txt", std::string("log=") + log + "\ndata=" + data +
                                                    "\nfolder=" + folder + "\n" +
                                                    fixture::ReadWhole(log).value_or("(none)"));
  const std::optional<std::string> answer = fixture::ReadWhole(data_path + "\\answer.txt");
  return answer ? std::atoi(answer->c_str()) : 1;
}
