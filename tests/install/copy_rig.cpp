#include "install/copy_rig.h"

#include "install/shared_count.h"
#include "platform/modeless_dialog.h"
#include "support/seam_files.h"

namespace tvx::testing {

int ScriptedUi::ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                               BoxOwner owner) {
  boxes.emplace_back(text);
  return inner_.ShowMessageBox(text, caption, style, owner);
}

std::unique_ptr<ModelessDialog> ScriptedUi::OpenModeless(DialogModel& model, BoxOwner owner) {
  auto window = inner_.OpenModeless(model, owner);
  modeless_ = &model;
  modeless_view_ = window ? &window->view() : nullptr;
  return window;
}

bool ScriptedUi::KeyPressed(int virtual_key) {
  ++key_queries;
  if (virtual_key != kF4Key) return false;
  if (key_queries == 1) return f4_before_copy;
  if (dispatched >= runaway_bound) ran_away = true;
  return ran_away || (f4_at > 0 && dispatched >= f4_at);
}

bool ScriptedUi::DispatchOneMessage() {
  ++dispatched;
  if (dispatched == abort_at && modeless_ && modeless_view_) modeless_->OnCommand(*modeless_view_, 1002);
  return dispatched == abort_at;
}

CopyRig::CopyRig(const std::string& profile_patch)
    : machine_(MachineWith(profile_patch)),
      files_(machine_->platform().files),
      ui_(machine_->platform().ui),
      platform_{files_, machine_->platform().registry, machine_->platform().system,
                machine_->platform().shell, ui_} {}

bool CopyRig::Exists(const std::string& path) { return testing::Exists(machine_->platform().files, path); }

CopyOutcome CopyRig::Run(const CopyItemList& list, const std::string& install_directory) {
  CopyRequest request{platform_, [](int number) { return "text " + std::to_string(number); },
                      CopyPlaces{"D:", install_directory, files_.SystemDirectory()}};
  const CopyOutcome outcome = CopyFiles(request, list);
  EXPECT_FALSE(ui_.ran_away) << "the copy did not end by itself";
  return outcome;
}

host::RecordingDialogView& CopyRig::box() {
  const auto& windows = machine_->machine().ui().windows();
  if (windows.empty()) throw std::runtime_error("no progress box was opened");
  return *windows.back();
}

std::string CopyRig::Registry() const { return ReadHostText(machine_->folder() / "registry.reg"); }

long long CopyRig::SharedCount(const std::string& path) {
  RegistryValue value;
  if (platform_.registry.QueryValue(RegistryRoot::LocalMachine, kSharedDllsKey, path, value) != 0) return -1;
  long long count = 0;
  for (std::size_t i = 0; i < value.data.size() && i < 4; ++i)
    count |= static_cast<long long>(static_cast<unsigned char>(value.data[i])) << (8 * i);
  return count;
}

CopyItem FileItem(const std::string& source_name, const std::string& destination_directory,
                  std::int32_t blocks, const std::string& source_subdirectory) {
  CopyItem item;
  item.source_name = source_name;
  item.destination_name = source_name;
  item.source_subdirectory = source_subdirectory;
  item.destination_directory = destination_directory;
  item.size = blocks;
  return item;
}

CopyItem FolderItem(const std::string& destination_directory) {
  CopyItem item;
  item.destination_directory = destination_directory;
  return item;
}

CopyItem FontItem(const std::string& file_name, const std::string& font_name, std::int32_t blocks) {
  CopyItem item = FileItem(file_name, "C:\\WINDOWS\\FONTS\\", blocks, "\\Fonts\\");
  item.font = true;
  item.font_name = font_name;
  return item;
}

CopyItemList ListOf(std::vector<CopyItem> items) {
  CopyItemList list;
  for (CopyItem& item : items) list.Add(std::move(item));
  return list;
}

}  // namespace tvx::testing
