#include "detection/details_dialog.h"

#include <algorithm>

#include "detection/run_test.h"

namespace tvx {
namespace {

constexpr int kTitle = 191;
constexpr int kHardwareTitle = 172;
constexpr int kSoftwareTitle = 173;
constexpr int kTestHead = 177;
constexpr int kMachineHead = 178;
constexpr int kRequiredHead = 179;
constexpr int kNotRequired = 193;
constexpr int kNoValueText = 0;

// Pixels: dialog edge to group, group edge to cells, group top to the first
// row (below its caption), text to cell frame, between rows and columns.
constexpr int kMargin = 10;
constexpr int kGroupPadding = 8;
constexpr int kGroupHead = 18;
constexpr int kCellPadding = 6;
constexpr int kGap = 3;
constexpr int kNarrowest = 24;

int TableWidth(const std::vector<DetailsDialog::Column>& columns) {
  int width = 0;
  for (const auto& column : columns) width += column.width;
  return width + kGap * static_cast<int>(columns.empty() ? 0 : columns.size() - 1);
}

// Narrows the widest columns until the table fits (texts are then cut).
void FitWidth(std::vector<DetailsDialog::Column>& columns, int widest) {
  for (int excess = TableWidth(columns) - widest; excess > 0; excess = TableWidth(columns) - widest) {
    auto& column = *std::max_element(columns.begin(), columns.end(),
                                     [](const auto& a, const auto& b) { return a.width < b.width; });
    const int cut = std::min(excess, column.width - kNarrowest);
    if (cut <= 0) return;
    column.width -= cut;
  }
}

}  // namespace

DetailsDialog::DetailsDialog(ConfigurationMatcher& matcher, Configuration& configuration,
                             std::function<void()> on_retest)
    : matcher_(matcher),
      configuration_(configuration),
      on_retest_(std::move(on_retest)),
      hardware_(matcher.used_hardware_tests()),
      components_(matcher.used_software_tests()) {}

void DetailsDialog::OnInit(DialogView& view) {
  view.SetTitle(matcher_.Text(kTitle));
  view.SetText(kHardwareGroup, matcher_.Text(kHardwareTitle));
  view.SetText(kSoftwareGroup, matcher_.Text(kSoftwareTitle));
  row_height_ = view.MeasureText(0, "A").height + 10;
  CreateTable(view);
  Layout(view);
}

const Requirement* DetailsDialog::RequirementOn(const std::vector<Requirement>& list,
                                                const DetectionTest& test) const {
  for (const Requirement& requirement : list)
    if (requirement.test == &test) return &requirement;
  return nullptr;
}

std::string DetailsDialog::MachineValue(const DetectionTest& test) {
  if (test.raw) return std::to_string(test.result) + " " + matcher_.Text(test.value_base);
  return matcher_.Text(test.result);
}

std::string DetailsDialog::RequiredValue(const DetectionTest& test) {
  if (const Requirement* requirement = RequirementOn(configuration_.hardware, test))
    return test.raw ? std::to_string(requirement->value) + " " + matcher_.Text(test.value_base)
                    : matcher_.Text(requirement->value);
  return matcher_.Text(test.value_base != 0 ? kNotRequired : kNoValueText);
}

std::string DetailsDialog::ComponentRequiredValue(const DetectionTest& test) {
  if (const Requirement* requirement = RequirementOn(configuration_.software, test))
    return matcher_.Text(requirement->value);
  return matcher_.Text(test.value_base != 0 ? kNotRequired : kNoValueText);
}

void DetailsDialog::CreateTable(DialogView& view) {
  const Rect nowhere{};
  const int heads[] = {kTestHead, kMachineHead, kRequiredHead, kTestHead, kRequiredHead};
  for (int i = 0; i < 5; ++i)
    view.CreateControl(ControlKind::Label, kHeader + i, matcher_.Text(heads[i]), nowhere);
  for (std::size_t row = 0; row < hardware_.size(); ++row) {
    const int offset = static_cast<int>(row);
    view.CreateControl(ControlKind::PushButton, kTestButton + offset, hardware_[row]->display_name, nowhere);
    view.CreateControl(ControlKind::FramedLabel, kMachineCell + offset, "", nowhere);
    view.CreateControl(ControlKind::FramedLabel, kRequiredCell + offset, RequiredValue(*hardware_[row]),
                       nowhere);
  }
  for (std::size_t row = 0; row < components_.size(); ++row) {
    const int offset = static_cast<int>(row);
    view.CreateControl(ControlKind::FramedLabel, kComponentCell + offset, components_[row]->display_name,
                       nowhere);
    view.CreateControl(ControlKind::FramedLabel, kComponentRequiredCell + offset,
                       ComponentRequiredValue(*components_[row]), nowhere);
  }
  UpdateValues(view);
}

void DetailsDialog::UpdateValues(DialogView& view) {
  for (std::size_t row = 0; row < hardware_.size(); ++row)
    view.SetText(kMachineCell + static_cast<int>(row), MachineValue(*hardware_[row]));
}

std::vector<DetailsDialog::Column> DetailsDialog::HardwareColumns() const {
  std::vector<Column> columns(3);
  for (int i = 0; i < 3; ++i) columns[static_cast<std::size_t>(i)].ids.push_back(kHeader + i);
  for (std::size_t row = 0; row < hardware_.size(); ++row) {
    const int offset = static_cast<int>(row);
    columns[0].ids.push_back(kTestButton + offset);
    columns[1].ids.push_back(kMachineCell + offset);
    columns[2].ids.push_back(kRequiredCell + offset);
  }
  return columns;
}

std::vector<DetailsDialog::Column> DetailsDialog::ComponentColumns() const {
  std::vector<Column> columns(2);
  columns[0].ids.push_back(kHeader + 3);
  columns[1].ids.push_back(kHeader + 4);
  for (std::size_t row = 0; row < components_.size(); ++row) {
    columns[0].ids.push_back(kComponentCell + static_cast<int>(row));
    columns[1].ids.push_back(kComponentRequiredCell + static_cast<int>(row));
  }
  return columns;
}

void DetailsDialog::MeasureColumns(DialogView& view, std::vector<Column>& columns, int widest) {
  for (Column& column : columns) {
    column.width = 0;
    for (const int id : column.ids)
      column.width = std::max(column.width, view.MeasureText(id, view.Text(id)).width + 2 * kCellPadding);
  }
  FitWidth(columns, widest);
}

int DetailsDialog::PlaceTable(DialogView& view, const std::vector<Column>& columns, int left, int top) {
  int bottom = top;
  for (const Column& column : columns) {
    int y = top;
    for (const int id : column.ids) {
      view.MoveControl(id, RectAt(left, y, column.width, row_height_));
      bottom = y + row_height_;
      y = bottom + kGap;
    }
    left += column.width + kGap;
  }
  return bottom;
}

void DetailsDialog::Layout(DialogView& view) {
  const Rect window = view.WindowRect();
  const Rect frame = view.ScreenToClient(window);  // the client origin's offsets
  const int side = -frame.left;
  const int widest_table = kMaxWidth - 2 * side - 2 * (kMargin + kGroupPadding);
  std::vector<Column> hardware = HardwareColumns();
  std::vector<Column> components = ComponentColumns();
  MeasureColumns(view, hardware, widest_table);
  MeasureColumns(view, components, widest_table);
  const int group_width = std::max(TableWidth(hardware), TableWidth(components)) + 2 * kGroupPadding;
  const int cells_left = kMargin + kGroupPadding;

  const int hardware_bottom = PlaceTable(view, hardware, cells_left, kMargin + kGroupHead) + kGroupPadding;
  view.MoveControl(kHardwareGroup, {kMargin, kMargin, kMargin + group_width, hardware_bottom});
  const int software_top = hardware_bottom + kGroupPadding;
  const int software_bottom =
      PlaceTable(view, components, cells_left, software_top + kGroupHead) + kGroupPadding;
  view.MoveControl(kSoftwareGroup, {kMargin, software_top, kMargin + group_width, software_bottom});

  const int client_width = group_width + 2 * kMargin;
  const int client_height = software_bottom + kMargin;
  view.MoveWindow(RectAt(window.left, window.top, client_width + 2 * side, client_height - frame.top + side));
}

void DetailsDialog::OnCommand(DialogView& view, int id) {
  const int row = id - kTestButton;
  if (row < 0 || static_cast<std::size_t>(row) >= hardware_.size()) {
    DialogModel::OnCommand(view, id);
    return;
  }
  RunTest(*hardware_[static_cast<std::size_t>(row)]);
  matcher_.MatchConfigurations();
  if (on_retest_) on_retest_();
  UpdateValues(view);
  Layout(view);
}

}  // namespace tvx
