// A tree-view control taken over by a model: what the control reports,
// and what the model may do with its items.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tvx {

// An item of the tree, as the control names it; kNoTreeItem for none.
using TreeItem = std::intptr_t;
inline constexpr TreeItem kNoTreeItem = 0;

class TreeEvents {
 public:
  virtual ~TreeEvents() = default;
  // The item is about to open (or close); false keeps it as it is.
  virtual bool OnExpanding(TreeItem item, bool expanding) = 0;
  virtual void OnSelectionChanged(TreeItem item) = 0;
};

// The colour an image list leaves out of its bitmaps, as 0x00BBGGRR.
inline constexpr std::uint32_t kTealTransparent = 0x00808000;

class TreeControl {
 public:
  virtual ~TreeControl() = default;
  // Builds the control's image list of 16 x 16 masked images from the
  // program's bitmap resources, in order; the colour is left out.
  virtual void SetImages(std::span<const int> bitmap_ids, std::uint32_t transparent) = 0;
  // Takes the image list from the control and destroys it.
  virtual void DestroyImages() = 0;
  // Adds an item as the last child of the parent (kNoTreeItem: a root).
  virtual TreeItem Insert(TreeItem parent, std::string_view text, int image, int selected_image) = 0;
  // The image shown, selected or not.
  virtual void SetImage(TreeItem item, int image) = 0;
  virtual void SetValue(TreeItem item, std::uint32_t value) = 0;
  virtual std::uint32_t Value(TreeItem item) = 0;
  virtual std::string Text(TreeItem item) = 0;
  virtual TreeItem Parent(TreeItem item) = 0;
  virtual TreeItem FirstChild(TreeItem item) = 0;
  virtual TreeItem NextSibling(TreeItem item) = 0;
};

}  // namespace tvx
