// The language-choice dialog: the script's languages in a drop-down list,
// opened on the one the system's language name names.
#pragma once

#include <span>
#include <string>

#include "platform/dialog_model.h"
#include "ui/ui_process_state.h"

namespace tvx {

// The first four of the script's parallel language lists.
struct LanguageLists {
  std::span<const std::string> keys;
  std::span<const std::string> labels;
  std::span<const std::string> common_files;
  std::span<const std::string> product_files;

  // Entries present in all four lists.
  std::size_t size() const;
};

class LanguageChoiceDialog : public DialogModel {
 public:
  static constexpr int kTemplate = 133;
  static constexpr int kList = 1009;

  LanguageChoiceDialog(LanguageLists lists, std::string system_language, UiProcessState& state);

  int TemplateId() const override { return kTemplate; }
  void OnInit(DialogView& view) override;
  void OnCommand(DialogView& view, int id) override;
  void OnSelChange(DialogView& view, int id) override;

  int selected() const { return selected_; }
  const std::string& common_file() const { return common_file_; }
  const std::string& product_file() const { return product_file_; }

 private:
  void Record(int index);

  LanguageLists lists_;
  std::string system_language_;
  UiProcessState& state_;
  int selected_ = 0;
  std::string common_file_;
  std::string product_file_;
};

// The entry whose key the system's language name contains, letter case
// ignored; the last such entry, or 0 without one.
int LanguageOfSystem(LanguageLists lists, std::string_view system_language);

}  // namespace tvx
