#include "platform/host/host_tree_control.h"

#include <algorithm>

namespace tvx::host {
namespace {

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

void DescribeItems(const TreeState& state, const std::vector<TreeItem>& items, std::string& text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TreeNode& node = *state.Node(items[i]);
    if (i) text += ",";
    if (items[i] == state.selected) text += "*";
    text += Quoted(node.text) + "#" + std::to_string(node.image);
    if (node.expanded) text += "+";
    if (node.children.empty()) continue;
    text += "{";
    DescribeItems(state, node.children, text);
    text += "}";
  }
}

}  // namespace

const TreeNode* TreeState::Node(TreeItem item) const {
  if (item <= 0 || static_cast<std::size_t>(item) > nodes.size()) return nullptr;
  return &nodes[static_cast<std::size_t>(item) - 1];
}

TreeItem TreeState::Find(std::string_view path) const {
  const std::vector<TreeItem>* level = &roots;
  TreeItem found = kNoTreeItem;
  while (true) {
    const std::size_t end = std::min(path.find('\\'), path.size());
    const std::string_view name = path.substr(0, end);
    const auto match =
        std::find_if(level->begin(), level->end(), [&](TreeItem item) { return Node(item)->text == name; });
    if (match == level->end()) return kNoTreeItem;
    found = *match;
    if (end == path.size()) return found;
    path.remove_prefix(end + 1);
    level = &Node(found)->children;
  }
}

std::string TreeState::Describe() const {
  std::string text = "{";
  DescribeItems(*this, roots, text);
  return text + "}";
}

TreeNode* HostTreeControl::Mutable(TreeItem item) { return const_cast<TreeNode*>(state_.Node(item)); }

void HostTreeControl::SetImages(std::span<const int> bitmap_ids, std::uint32_t transparent) {
  state_.image_bitmaps.assign(bitmap_ids.begin(), bitmap_ids.end());
  state_.transparent = transparent;
  state_.images_destroyed = false;
}

void HostTreeControl::DestroyImages() {
  state_.image_bitmaps.clear();
  state_.images_destroyed = true;
}

TreeItem HostTreeControl::Insert(TreeItem parent, std::string_view text, int image, int selected_image) {
  if (parent != kNoTreeItem && !state_.Node(parent)) return kNoTreeItem;
  state_.nodes.push_back({std::string(text), image, selected_image, 0, parent, {}, false});
  const auto item = static_cast<TreeItem>(state_.nodes.size());
  (parent == kNoTreeItem ? state_.roots : Mutable(parent)->children).push_back(item);
  return item;
}

void HostTreeControl::SetImage(TreeItem item, int image) {
  if (TreeNode* node = Mutable(item)) node->image = node->selected_image = image;
}

void HostTreeControl::SetValue(TreeItem item, std::uint32_t value) {
  if (TreeNode* node = Mutable(item)) node->value = value;
}

std::uint32_t HostTreeControl::Value(TreeItem item) {
  const TreeNode* node = state_.Node(item);
  return node ? node->value : 0;
}

std::string HostTreeControl::Text(TreeItem item) {
  const TreeNode* node = state_.Node(item);
  return node ? node->text : std::string();
}

TreeItem HostTreeControl::Parent(TreeItem item) {
  const TreeNode* node = state_.Node(item);
  return node ? node->parent : kNoTreeItem;
}

TreeItem HostTreeControl::FirstChild(TreeItem item) {
  const TreeNode* node = state_.Node(item);
  return node && !node->children.empty() ? node->children.front() : kNoTreeItem;
}

TreeItem HostTreeControl::NextSibling(TreeItem item) {
  const TreeNode* node = state_.Node(item);
  if (!node) return kNoTreeItem;
  const auto& level = node->parent == kNoTreeItem ? state_.roots : state_.Node(node->parent)->children;
  const auto at = std::find(level.begin(), level.end(), item);
  return at == level.end() || at + 1 == level.end() ? kNoTreeItem : *(at + 1);
}

bool HostTreeControl::Expand(TreeItem item, bool expand) {
  TreeNode* node = Mutable(item);
  if (!node || node->children.empty()) return false;
  if (node->expanded == expand) return true;
  if (!events_.OnExpanding(item, expand)) return true;
  // The model may have added items meanwhile: look the node up again.
  Mutable(item)->expanded = expand;
  // Closing an item that holds the selection selects the item, as the
  // control does.
  if (!expand && IsBelow(state_.selected, item)) Select(item);
  return true;
}

bool HostTreeControl::IsBelow(TreeItem item, TreeItem ancestor) const {
  for (const TreeNode* node = state_.Node(item); node && node->parent != kNoTreeItem;
       node = state_.Node(node->parent))
    if (node->parent == ancestor) return true;
  return false;
}

bool HostTreeControl::Select(TreeItem item) {
  if (!state_.Node(item)) return false;
  state_.selected = item;
  events_.OnSelectionChanged(item);
  return true;
}

}  // namespace tvx::host
