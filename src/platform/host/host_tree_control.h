// A tree view on the simulated machine: its items as the user would see
// them, and the clicks an answer script or a test gives it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/tree_control.h"

namespace tvx::host {

struct TreeNode {
  std::string text;
  int image = 0;
  int selected_image = 0;
  std::uint32_t value = 0;
  TreeItem parent = kNoTreeItem;
  std::vector<TreeItem> children;
  bool expanded = false;
};

// What the control holds; kept with the dialog's state so the transcript
// shows it.
struct TreeState {
  std::vector<TreeNode> nodes;  // item n is nodes[n - 1]
  std::vector<TreeItem> roots;
  TreeItem selected = kNoTreeItem;
  std::vector<int> image_bitmaps;  // the image list, by bitmap resource
  std::uint32_t transparent = 0;
  bool images_destroyed = false;

  const TreeNode* Node(TreeItem item) const;
  // The item reached by its texts from a root, joined by "\"; none when
  // no item has that path.
  TreeItem Find(std::string_view path) const;
  // The items depth first: "text"#image, "*" before the selected one, "+"
  // after an open one, children in braces.
  std::string Describe() const;
};

class HostTreeControl : public TreeControl {
 public:
  HostTreeControl(TreeState& state, TreeEvents& events) : state_(state), events_(events) {}

  void SetImages(std::span<const int> bitmap_ids, std::uint32_t transparent) override;
  void DestroyImages() override;
  TreeItem Insert(TreeItem parent, std::string_view text, int image, int selected_image) override;
  void SetImage(TreeItem item, int image) override;
  void SetValue(TreeItem item, std::uint32_t value) override;
  std::uint32_t Value(TreeItem item) override;
  std::string Text(TreeItem item) override;
  TreeItem Parent(TreeItem item) override;
  TreeItem FirstChild(TreeItem item) override;
  TreeItem NextSibling(TreeItem item) override;

  // The user opens or closes an item, as a click on its mark does: only
  // an item with children has one. False when nothing could be clicked.
  bool Expand(TreeItem item, bool expand);
  // The user clicks an item.
  bool Select(TreeItem item);
  const TreeState& state() const { return state_; }

 private:
  TreeNode* Mutable(TreeItem item);
  bool IsBelow(TreeItem item, TreeItem ancestor) const;

  TreeState& state_;
  TreeEvents& events_;
};

}  // namespace tvx::host
