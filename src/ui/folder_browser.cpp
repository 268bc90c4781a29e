#include "ui/folder_browser.h"

#include "platform/path_text.h"

namespace tvx {
namespace {

constexpr int kDriveCaption = 290;
constexpr int kProgramsCaption = 300;
constexpr int kOkLabel = 292;
constexpr int kCancelLabel = 293;

// Images, in the order the image list holds their bitmaps.
constexpr int kDriveImage = 0;
constexpr int kNewFolderImage = 1;
constexpr int kClosedFolderImage = 2;
constexpr int kOpenFolderImage = 3;
constexpr int kGroupImage = 4;
constexpr int kImageBitmaps[] = {152, 149, 151, 150, 153};

constexpr std::uint32_t kSubfoldersRead = 1;

}  // namespace

FolderBrowser::FolderBrowser(FileSystem& files, Shell& shell, Mode mode, std::vector<BrowserDrive> drives,
                             TextLookup strings)
    : files_(files), shell_(shell), mode_(mode), drives_(std::move(drives)), strings_(std::move(strings)) {}

void FolderBrowser::OnInit(DialogView& view) {
  view_ = &view;
  view.SetTitle(strings_(mode_ == Mode::Drives ? kDriveCaption : kProgramsCaption));
  view.SetText(kOkCommand, strings_(kOkLabel));
  view.SetText(kCancelCommand, strings_(kCancelLabel));
  if (programs_.empty()) {
    programs_ = shell_.SpecialFolderPath(SpecialFolder::Programs);
    start_menu_ = shell_.SpecialFolderPath(SpecialFolder::StartMenu);
  }
  tree_ = view.AttachTree(kTree, *this);
  if (tree_) {
    tree_->SetImages(kImageBitmaps, kTealTransparent);
    if (mode_ == Mode::Drives) {
      AddDriveRoots();
    } else {
      AddProgramsRoot();
    }
  }
  ShowPath();
}

void FolderBrowser::AddDriveRoots() {
  for (const BrowserDrive& drive : drives_) {
    if (!drive.has_room) continue;
    const std::string letter = drive.root.substr(0, 2);
    const TreeItem root =
        tree_->Insert(kNoTreeItem, drive.label + " [" + letter + "]", kDriveImage, kDriveImage);
    ReadSubfolders(root, drive.root);
  }
}

void FolderBrowser::AddProgramsRoot() {
  const TreeItem root =
      tree_->Insert(kNoTreeItem, std::string(AfterLastBackslash(programs_)), kGroupImage, kGroupImage);
  ReadSubfolders(root, programs_ + "\\");
}

void FolderBrowser::ReadSubfolders(TreeItem item, const std::string& folder) {
  const int image = mode_ == Mode::Drives ? kNewFolderImage : kGroupImage;
  const std::string start_menu = start_menu_ + "\\";
  bool inserted = false;
  for (const FindEntry& entry : files_.Find(folder + "*.*").entries) {
    if (entry.name == "." || entry.name == "..") continue;
    // Hidden, read-only and system folders are left out, as are files.
    if (entry.attributes != attribute::kDirectory) continue;
    if (EqualsNoCase(folder + entry.name + "\\", start_menu)) continue;
    tree_->Insert(item, entry.name, image, image);
    inserted = true;
  }
  if (mode_ == Mode::Drives && inserted && !IsRoot(item)) tree_->SetImage(item, kClosedFolderImage);
}

bool FolderBrowser::IsRoot(TreeItem item) { return tree_->Parent(item) == kNoTreeItem; }

bool FolderBrowser::OnExpanding(TreeItem item, bool expanding) {
  const bool drives = mode_ == Mode::Drives;
  if (!expanding) {
    if (!IsRoot(item)) tree_->SetImage(item, drives ? kClosedFolderImage : kGroupImage);
    return true;
  }
  view_->SetWaitCursor(true);
  if (!IsRoot(item)) tree_->SetImage(item, drives ? kOpenFolderImage : kGroupImage);
  for (TreeItem child = tree_->FirstChild(item); child != kNoTreeItem; child = tree_->NextSibling(child)) {
    if (tree_->Value(child) == kSubfoldersRead) continue;
    std::string folder = PathOf(child);
    if (!EndsWithBackslash(folder)) folder += '\\';
    ReadSubfolders(child, folder);
    tree_->SetValue(child, kSubfoldersRead);
  }
  view_->SetWaitCursor(false);
  return true;
}

std::string FolderBrowser::RootFolder(TreeItem root) {
  if (mode_ == Mode::Programs) return programs_ + "\\";
  // "LABEL [C:]": the letter and colon before the closing bracket.
  const std::string text = tree_->Text(root);
  return text.size() >= 3 ? text.substr(text.size() - 3, 2) + "\\" : std::string();
}

std::string FolderBrowser::PathOf(TreeItem item) {
  if (IsRoot(item)) return {};
  std::string below_root = tree_->Text(item);
  TreeItem root = tree_->Parent(item);
  for (TreeItem parent = root; parent != kNoTreeItem; parent = tree_->Parent(parent)) {
    root = parent;
    if (IsRoot(parent)) break;
    below_root = tree_->Text(parent) + "\\" + below_root;
  }
  return RootFolder(root) + below_root;
}

void FolderBrowser::OnSelectionChanged(TreeItem item) {
  path_ = PathOf(item);
  ShowPath();
}

std::string FolderBrowser::ShownPath() const {
  if (mode_ == Mode::Drives) return path_;
  // From the Programs folder's own name on; the stored text stays whole.
  const auto last = programs_.rfind('\\');
  const std::size_t from = last == std::string::npos ? 0 : last + 1;
  return from <= path_.size() ? path_.substr(from) : std::string();
}

void FolderBrowser::ShowPath() { view_->SetText(kPathEdit, ShownPath()); }

void FolderBrowser::OnCommand(DialogView& view, int id) {
  if (id == kCancelCommand) {
    if (tree_) tree_->DestroyImages();
    view.End(kCancelCommand);
    return;
  }
  if (id != kOkCommand) return;
  if (tree_) tree_->DestroyImages();
  std::string text = view.Text(kPathEdit);
  if (!EndsWithBackslash(text)) text += '\\';
  path_ = mode_ == Mode::Programs ? std::string(UpToLastBackslash(programs_)) + "\\" + text : text;
  view.End(kOkCommand);
}

}  // namespace tvx
