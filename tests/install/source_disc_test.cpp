// Finding the product's disc among the drives by its volume label.
#include <gtest/gtest.h>

#include "install/source_disc.h"
#include "support/test_machine.h"

namespace tvx {
namespace {

TEST(SourceDiscTest, TheFirstCdRomLabelledWithTheOneVolumeNameIsTheSource) {
  struct Row {
    const char* label;
    const char* drives;  // the profile's drive list
    const char* volume_name;
    std::optional<std::string> found;
  };
  const char* fixed = R"({"letter": "C", "type": "fixed", "label": "", "capacity": 1073741824, "used": 0})";
  const auto cd = [](const char* letter, const char* label) {
    return std::string(R"({"letter": ")") + letter + R"(", "type": "cdrom", "label": ")" + label + "\"}";
  };
  const auto list = [&](std::initializer_list<std::string> drives) {
    std::string text = std::string("[") + fixed;
    for (const std::string& drive : drives) text += ", " + drive;
    return text + "]";
  };
  const std::string one = list({cd("D", "ZEPHRA")});
  const std::string lower = list({cd("E", "zephra")});
  const std::string second = list({cd("D", "OTHER"), cd("E", "ZEPHRA"), cd("F", "ZEPHRA")});
  const std::string none = list({cd("D", "OTHER")});
  const std::string empty_first =
      list({R"({"letter": "D", "type": "cdrom", "label": "ZEPHRA", "has_media": false})", cd("E", "ZEPHRA")});
  const std::string fixed_labelled =
      std::string("[") +
      R"({"letter": "C", "type": "fixed", "label": "ZEPHRA", "capacity": 1073741824, "used": 0}, )" +
      cd("D", "OTHER") + "]";
  const Row rows[] = {
      {"the disc in D:", one.c_str(), "ZEPHRA", "D:"},
      {"the volume name in lower case", one.c_str(), "zephra", "D:"},
      {"the label in lower case", lower.c_str(), "ZEPHRA", "E:"},
      {"the first of two labelled discs", second.c_str(), "ZEPHRA", "E:"},
      {"an empty drive is passed over", empty_first.c_str(), "ZEPHRA", "E:"},
      {"no disc with the label", none.c_str(), "ZEPHRA", std::nullopt},
      {"a fixed drive with the label is no disc", fixed_labelled.c_str(), "ZEPHRA", std::nullopt},
      {"another volume name is never searched", one.c_str(), "ZEPHRA2", std::nullopt},
      {"an empty volume name", one.c_str(), "", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    auto machine = testing::MachineWith(std::string(R"({"drives": )") + row.drives + "}");
    EXPECT_EQ(LocateSourceDisc(machine->platform().files, row.volume_name), row.found);
  }
}

}  // namespace
}  // namespace tvx
