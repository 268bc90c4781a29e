// install_tree: the installation's copy step on a simulated machine, as a
// whole process to time and weigh against cp -r of the same tree.
//
//   install_tree --new MACHINE PROFILE        make a fresh machine
//   install_tree MACHINE SOURCE DESTINATION   copy SOURCE's tree (a folder
//                                             on the machine, D:\TREE) into
//                                             DESTINATION (C:\GAME\)
//
// Every file goes through CopyFiles with its progress box, as an
// installation copies it; exit 0 when all were copied.
#include <iostream>
#include <string>

#include "install/copy_files.h"
#include "platform/host/simulated_machine.h"
#include "tree_items.h"

namespace {

int Install(const std::string& folder, const std::string& source, const std::string& destination) {
  std::string error;
  auto machine = tvx::host::SimulatedMachine::Open(folder, {}, error);
  if (!machine) {
    std::cerr << "install_tree: " << error << '\n';
    return 2;
  }
  tvx::Platform& platform = machine->platform();
  tvx::CopyItemList list;
  if (!tvx::bench::AddTree(platform.files, source, "\\", list)) {
    std::cerr << "install_tree: cannot list " << source << '\n';
    return 2;
  }
  tvx::CopyRequest request{platform, [](int number) { return "text " + std::to_string(number); },
                           tvx::CopyPlaces{source, destination, platform.files.SystemDirectory()}};
  const tvx::CopyOutcome outcome = tvx::CopyFiles(request, list);
  if (outcome.code != tvx::CopyOutcome::kDone) {
    std::cerr << "install_tree: the copy failed\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (argc == 4 && first == "--new") {
    const std::string error = tvx::host::CreateMachine(argv[2], argv[3]);
    if (!error.empty()) std::cerr << "install_tree: " << error << '\n';
    return error.empty() ? 0 : 2;
  }
  if (argc == 4 && !first.starts_with("-")) return Install(argv[1], argv[2], argv[3]);
  std::cerr << "usage: install_tree --new MACHINE PROFILE | install_tree MACHINE SOURCE DESTINATION\n";
  return 2;
}
