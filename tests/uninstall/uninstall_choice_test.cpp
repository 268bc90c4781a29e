// "-uninstall" without a product: dialog 147 lists the installed products.
#include <gtest/gtest.h>

#include "support/test_machine.h"
#include "uninstall/uninstall_choice.h"

namespace tvx {
namespace {

constexpr const char* kIni = "C:\\WINDOWS\\Tarvex\\tvx.ini";

TEST(UninstallChoiceTest, TheChosenLineAndItsScriptInTheRecordedDirectory) {
  struct Row {
    const char* label;
    std::string ini;
    std::string answers;
    std::vector<std::string> listed;
    std::string product;
    std::string script_path;
  };
  const std::string two =
      "[INSTALLED PRODUCTS]\r\nZephra\r\nZephra Gold\r\n\r\n[Zephra]\r\nDirectory=C:\\Games\\Zephra\\\r\n"
      "\r\n[Zephra Gold]\r\nDirectory=C:\\Gold\\\r\n";
  const Row rows[] = {
      {"first line as it opens",
       two,
       "dialog 147 press 1",
       {"Zephra", "Zephra Gold"},
       "Zephra",
       "C:\\Games\\Zephra\\InstData\\tvx.ins"},
      {"second line chosen",
       two,
       "dialog 147 select 1026 1\ndialog 147 press 1",
       {"Zephra", "Zephra Gold"},
       "Zephra Gold",
       "C:\\Gold\\InstData\\tvx.ins"},
      {"cancelled", two, "dialog 147 select 1026 1\ndialog 147 press 2", {"Zephra", "Zephra Gold"}, "", ""},
      {"no directory recorded",
       "[INSTALLED PRODUCTS]\r\nLost\r\n",
       "dialog 147 press 1",
       {"Lost"},
       "Lost",
       ""},
      {"empty list", "[INSTALLED PRODUCTS]\r\n", "dialog 147 press 1", {}, "", ""},
      {"no registry at all", "", "dialog 147 press 1", {}, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    testing::TestMachine::Options options;
    options.answers = row.answers;
    testing::TestMachine machine(options);
    if (!row.ini.empty()) machine.WriteFile(kIni, row.ini);
    RegistryProcessState state;
    const UninstallChoice choice = ChooseProductToUninstall(machine.platform(), state);
    EXPECT_EQ(choice.product, row.product);
    EXPECT_EQ(choice.script_path, row.script_path);
    const auto& runs = machine.machine().ui().dialogs();
    ASSERT_EQ(runs.size(), 1u);
    const host::DialogState& shown = runs.back().shown;
    EXPECT_EQ(shown.caption, "Uninstall Choice");
    EXPECT_EQ(shown.control(UninstallChoiceDialog::kProductList).items.size(), row.listed.size());
    for (std::size_t i = 0; i < row.listed.size(); ++i)
      EXPECT_EQ(shown.control(UninstallChoiceDialog::kProductList).items[i].text, row.listed[i]);
    EXPECT_EQ(machine.machine().ui().AnswerProblems(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace tvx
