// The folder browser: a tree of folders to choose a destination in,
// either on the fixed drives with room or among the Programs menu's groups.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dialog_model.h"
#include "platform/file_system.h"
#include "platform/shell.h"
#include "platform/tree_control.h"
#include "ui/text_lookup.h"

namespace tvx {

// A fixed drive as the browser lists it.
struct BrowserDrive {
  std::string root;   // "C:\"
  std::string label;  // "NoLabel" when the volume has none
  bool has_room = false;
};

class FolderBrowser : public DialogModel, public TreeEvents {
 public:
  static constexpr int kTemplate = 148;
  static constexpr int kPathEdit = 1029;
  static constexpr int kTree = 1028;

  enum class Mode { Drives = 0, Programs = 1 };

  FolderBrowser(FileSystem& files, Shell& shell, Mode mode, std::vector<BrowserDrive> drives,
                TextLookup strings);

  // The path shown when the browser opens, and the one chosen after OK.
  void set_path(std::string path) { path_ = std::move(path); }
  const std::string& path() const { return path_; }
  // The Programs folder browsed and the Start menu around it; the user's
  // unless set.
  void set_programs_folder(std::string programs, std::string start_menu) {
    programs_ = std::move(programs);
    start_menu_ = std::move(start_menu);
  }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;
  bool OnExpanding(TreeItem item, bool expanding) override;
  void OnSelectionChanged(TreeItem item) override;

 private:
  void AddDriveRoots();
  void AddProgramsRoot();
  // Inserts the plain subfolders of a folder ending in "\" under the item.
  void ReadSubfolders(TreeItem item, const std::string& folder);
  bool IsRoot(TreeItem item);
  std::string PathOf(TreeItem item);
  std::string RootFolder(TreeItem root);
  // The path text as the edit field shows it.
  std::string ShownPath() const;
  void ShowPath();

  FileSystem& files_;
  Shell& shell_;
  Mode mode_;
  std::vector<BrowserDrive> drives_;
  TextLookup strings_;
  std::string path_;
  std::string programs_;
  std::string start_menu_;
  DialogView* view_ = nullptr;
  TreeControl* tree_ = nullptr;
};

}  // namespace tvx
