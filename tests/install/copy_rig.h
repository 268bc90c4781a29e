// A copy on a fresh simulated machine, with its files and its user scripted:
// the disc is D:, the product goes to C:\Games\Zephra\.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "install/copy_files.h"
#include "install/scripted_file_system.h"
#include "support/test_machine.h"

namespace tvx::testing {

// The machine's own Ui, with a user who presses F4 or Abort at a chosen
// message. It counts the messages let through; past a bound it presses F4
// itself, so a copy that would never end fails its test instead.
class ScriptedUi : public Ui {
 public:
  explicit ScriptedUi(Ui& inner) : inner_(inner) {}

  int ShowMessageBox(std::string_view text, std::string_view caption, std::uint32_t style,
                     BoxOwner owner) override;
  std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner) override;
  Surface& surface() override { return inner_.surface(); }
  bool KeyPressed(int virtual_key) override;
  bool DispatchOneMessage() override;

  int f4_at = 0;     // the message after which F4 is down; 0: never
  int abort_at = 0;  // the message that is a click on Abort; 0: never
  bool f4_before_copy = false;
  int runaway_bound = 100000;

  int dispatched = 0;
  int key_queries = 0;
  bool ran_away = false;
  std::vector<std::string> boxes;

 private:
  Ui& inner_;
  DialogModel* modeless_ = nullptr;
  DialogView* modeless_view_ = nullptr;
};

inline constexpr const char* kGameDirectory = "C:\\Games\\Zephra\\";

class CopyRig {
 public:
  explicit CopyRig(const std::string& profile_patch = "{}");

  // Puts a file on the disc (D:) or anywhere else on the machine.
  void Put(const std::string& path, const std::string& bytes) { machine_->WriteFile(path, bytes); }
  void PutSized(const std::string& path, std::uintmax_t size) { machine_->WriteSizedFile(path, size); }
  std::string Read(const std::string& path) { return machine_->ReadFile(path); }
  bool Exists(const std::string& path);

  CopyOutcome Run(const CopyItemList& list, const std::string& install_directory = kGameDirectory);

  // The progress box of the last run; fails the test when none was opened.
  host::RecordingDialogView& box();
  std::string Registry() const;
  std::string Journal() const { return machine_->Journal(); }
  // A SharedDLLs count; -1 when there is none.
  long long SharedCount(const std::string& path);

  TestMachine& machine() { return *machine_; }
  ScriptedFileSystem& files() { return files_; }
  ScriptedUi& ui() { return ui_; }
  Platform& platform() { return platform_; }

 private:
  std::unique_ptr<TestMachine> machine_;
  ScriptedFileSystem files_;
  ScriptedUi ui_;
  Platform platform_;
};

// A file line's item: the source on the disc root or a folder of it.
CopyItem FileItem(const std::string& source_name, const std::string& destination_directory,
                  std::int32_t blocks = 0, const std::string& source_subdirectory = "\\");
CopyItem FolderItem(const std::string& destination_directory);
CopyItem FontItem(const std::string& file_name, const std::string& font_name, std::int32_t blocks = 0);
CopyItemList ListOf(std::vector<CopyItem> items);

}  // namespace tvx::testing
