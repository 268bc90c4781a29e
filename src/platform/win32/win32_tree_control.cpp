#include "platform/win32/win32_tree_control.h"

#include <string>

#include "platform/win32/win32_gdi_handles.h"

namespace tvx::win32 {
namespace {

HTREEITEM Handle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
TreeItem Item(HTREEITEM handle) { return reinterpret_cast<TreeItem>(handle); }

constexpr int kImageSize = 16;
constexpr int kInitialImages = 6;
constexpr int kImageGrowth = 4;

}  // namespace

void EnsureCommonControls() {
  static const bool registered = [] {
    ::InitCommonControls();
    return true;
  }();
  (void)registered;
}

// TVE_COLLAPSE | TVE_EXPAND; the SDK's mask name is missing from some headers.
constexpr UINT kExpandActions = 0x0003;

Win32TreeControl::~Win32TreeControl() {
  if (images_ && ::IsWindow(tree_)) TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
}

bool Win32TreeControl::Notify(HWND dialog, const NMHDR& header) {
  const auto& notice = reinterpret_cast<const NMTREEVIEWA&>(header);
  switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      const bool expanding = (notice.action & kExpandActions) == TVE_EXPAND;
      const bool allowed = events_.OnExpanding(Item(notice.itemNew.hItem), expanding);
      ::SetWindowLongPtrA(dialog, DWLP_MSGRESULT, allowed ? FALSE : TRUE);
      return true;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      events_.OnSelectionChanged(Item(notice.itemNew.hItem));
      return true;
    default:
      return false;
  }
}

void Win32TreeControl::SetImages(std::span<const int> bitmap_ids, std::uint32_t transparent) {
  ImageListHandle list(
      ::ImageList_Create(kImageSize, kImageSize, ILC_MASK | ILC_COLORDDB, kInitialImages, kImageGrowth));
  if (!list) return;
  for (int id : bitmap_ids) {
    const BitmapHandle bitmap(::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    if (bitmap) ::ImageList_AddMasked(list.get(), bitmap.get(), transparent);
  }
  TreeView_SetImageList(tree_, list.get(), TVSIL_NORMAL);
  images_ = std::move(list);
}

void Win32TreeControl::DestroyImages() {
  TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
  images_.Reset();
}

TreeItem Win32TreeControl::Insert(TreeItem parent, std::string_view text, int image, int selected_image) {
  std::string copy(text);
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent == kNoTreeItem ? TVI_ROOT : Handle(parent);
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = copy.data();
  insert.item.iImage = image;
  insert.item.iSelectedImage = selected_image;
  insert.item.lParam = 0;
  return static_cast<TreeItem>(::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Win32TreeControl::SetImage(TreeItem item, int image) {
  TVITEMA change{};
  change.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  change.hItem = Handle(item);
  change.iImage = image;
  change.iSelectedImage = image;
  ::SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void Win32TreeControl::SetValue(TreeItem item, std::uint32_t value) {
  TVITEMA change{};
  change.mask = TVIF_HANDLE | TVIF_PARAM;
  change.hItem = Handle(item);
  change.lParam = static_cast<LPARAM>(value);
  ::SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

std::uint32_t Win32TreeControl::Value(TreeItem item) {
  TVITEMA query{};
  query.mask = TVIF_HANDLE | TVIF_PARAM;
  query.hItem = Handle(item);
  if (!::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return 0;
  return static_cast<std::uint32_t>(query.lParam);
}

std::string Win32TreeControl::Text(TreeItem item) {
  char text[MAX_PATH + 1] = {};
  TVITEMA query{};
  query.mask = TVIF_HANDLE | TVIF_TEXT;
  query.hItem = Handle(item);
  query.pszText = text;
  query.cchTextMax = MAX_PATH;
  if (!::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return {};
  return query.pszText ? query.pszText : "";
}

TreeItem Win32TreeControl::Next(TreeItem item, UINT relation) {
  return Item(reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(Handle(item)))));
}

}  // namespace tvx::win32
