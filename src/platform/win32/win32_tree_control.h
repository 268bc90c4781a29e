// A tree-view control of a dialog taken over by a model: items through the
// control's messages, its notifications forwarded to the model.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "platform/tree_control.h"
#include "platform/win32/win32_handles.h"

namespace tvx::win32 {

struct ImageListTraits {
  static HIMAGELIST Invalid() { return nullptr; }
  static void Close(HIMAGELIST list) { ::ImageList_Destroy(list); }
};
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListTraits>;

// The common controls' window classes, registered once per process.
void EnsureCommonControls();

class Win32TreeControl : public TreeControl {
 public:
  Win32TreeControl(HWND tree, TreeEvents& events) : tree_(tree), events_(events) {}
  ~Win32TreeControl() override;
  Win32TreeControl(const Win32TreeControl&) = delete;
  Win32TreeControl& operator=(const Win32TreeControl&) = delete;

  // A notification from the control; true when it was answered, with the
  // answer set as the dialog's message result.
  bool Notify(HWND dialog, const NMHDR& header);

  void SetImages(std::span<const int> bitmap_ids, std::uint32_t transparent) override;
  void DestroyImages() override;
  TreeItem Insert(TreeItem parent, std::string_view text, int image, int selected_image) override;
  void SetImage(TreeItem item, int image) override;
  void SetValue(TreeItem item, std::uint32_t value) override;
  std::uint32_t Value(TreeItem item) override;
  std::string Text(TreeItem item) override;
  TreeItem Parent(TreeItem item) override { return Next(item, TVGN_PARENT); }
  TreeItem FirstChild(TreeItem item) override { return Next(item, TVGN_CHILD); }
  TreeItem NextSibling(TreeItem item) override { return Next(item, TVGN_NEXT); }

 private:
  TreeItem Next(TreeItem item, UINT relation);

  HWND tree_;
  TreeEvents& events_;
  ImageListHandle images_;
};

}  // namespace tvx::win32
