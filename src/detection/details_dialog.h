// The tests behind a configuration: for every used hardware test what the
// machine has and what the configuration asks, and the used components.
// Each hardware test can be run again from its button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "detection/configuration_matcher.h"
#include "platform/dialog_model.h"

namespace tvx {

class DetailsDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 174;
  static constexpr int kHardwareGroup = 1005;
  static constexpr int kSoftwareGroup = 1006;
  // Controls made when the dialog opens, one per row from these numbers.
  static constexpr int kTestButton = 1200;
  static constexpr int kMachineCell = 1220;
  static constexpr int kRequiredCell = 1240;
  static constexpr int kComponentCell = 1260;
  static constexpr int kComponentRequiredCell = 1280;
  // Column heads: test, machine, required; component, required.
  static constexpr int kHeader = 1300;
  static constexpr int kMaxWidth = 640;

  // on_retest runs after a test was run again and matching redone: the
  // choice list behind refills itself.
  DetailsDialog(ConfigurationMatcher& matcher, Configuration& configuration, std::function<void()> on_retest);

  int Run(Ui& ui) { return ui.RunDialog(*this); }

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;

  // The cell texts.
  std::string MachineValue(const DetectionTest& test);
  std::string RequiredValue(const DetectionTest& test);
  std::string ComponentRequiredValue(const DetectionTest& test);

  // One column of a table: its controls, the head first, and its width.
  struct Column {
    std::vector<int> ids;
    int width = 0;
  };

 private:
  void CreateTable(DialogView& view);
  void UpdateValues(DialogView& view);
  void Layout(DialogView& view);
  std::vector<Column> HardwareColumns() const;
  std::vector<Column> ComponentColumns() const;
  void MeasureColumns(DialogView& view, std::vector<Column>& columns, int widest);
  // Places a table's rows from a top edge; answers the bottom of its last row.
  int PlaceTable(DialogView& view, const std::vector<Column>& columns, int left, int top);
  const Requirement* RequirementOn(const std::vector<Requirement>& list, const DetectionTest& test) const;

  ConfigurationMatcher& matcher_;
  Configuration& configuration_;
  std::function<void()> on_retest_;
  std::vector<DetectionTest*> hardware_;
  std::vector<DetectionTest*> components_;
  int row_height_ = 0;
};

}  // namespace tvx
