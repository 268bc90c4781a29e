#include "script/detection_catalogue.h"

#include "script/string_table.h"

namespace tvx {
namespace {

DetectionTest Test(const char* name, std::int32_t display, bool raw = false, const char* key = nullptr) {
  DetectionTest test;
  test.name = name;
  test.display_number = display;
  test.raw = raw;
  test.value_base_key = key ? key : name;
  return test;
}

std::vector<DetectionTest> MakeHardwareTests() {
  return {Test("CPU", 150),
          Test("Windows resolution", 151),
          Test("Windows colors", 152),
          Test("MMX", 153),
          Test("Memory", 154, true),
          Test("S3D Card", 156),
          Test("ATI 3D Card", 157),
          Test("Power VR", 159),
          Test("Power VR (Pod)", 159),
          Test("3DFX", 155),
          Test("3DFX (Glide3X)", 206),
          Test("Test Sound", 310),
          Test("Test Maxi Sound 64", 310),
          Test("I740 Card", 205),
          Test("CD ROM Speed", 158)};
}

std::vector<DetectionTest> MakeSoftwareTests() {
  return {Test("Video For Windows", 160),
          Test("Microsoft Direct Draw", 162),
          Test("Microsoft Direct X", 163),
          Test("VFW Indeo", 161),
          Test("DXMedia", 165),
          Test("AMovie", 166),
          Test("Indeo5", 167)};
}

std::vector<DetectionTest> MakeSystemTests() {
  return {Test("W95", 450, false, "W95"),
          Test("W98", 451, false, "W98"),
          Test("WNT4.0", 452, false, "WNT40"),
          Test("W2000", 455, false, "W2000"),
          Test("Windows System", 453, false, "W"),
          Test("Windows NT System", 454, false, "WNT"),
          Test("Administrator right", 456, false, "AdminRight")};
}

void LocalizeAll(std::vector<DetectionTest>& tests, StringTable& strings, Ui& ui) {
  for (DetectionTest& test : tests) {
    test.display_name = strings.LookupString(ui, test.display_number);
    test.value_base = strings.SectionNumber(test.value_base_key);
  }
}

}  // namespace

DetectionCatalogue::DetectionCatalogue()
    : hardware_(MakeHardwareTests()), software_(MakeSoftwareTests()), system_(MakeSystemTests()) {
  drive_.name = "Drive";
  drive_.value_base_key = "Drive";
  drive_.raw = true;
}

DetectionTest* FindTestIn(std::vector<DetectionTest>& catalogue, std::string_view name) {
  for (DetectionTest& test : catalogue)
    if (test.name == name) return &test;
  return nullptr;
}

DetectionTest* FindTest(DetectionCatalogue& catalogue, std::string_view name) {
  if (DetectionTest* test = FindTestIn(catalogue.HardwareTests(), name)) return test;
  if (DetectionTest* test = FindTestIn(catalogue.SoftwareTests(), name)) return test;
  return FindTestIn(catalogue.SystemTests(), name);
}

void SetLocalizedNames(DetectionCatalogue& catalogue, StringTable& strings, Ui& ui) {
  LocalizeAll(catalogue.HardwareTests(), strings, ui);
  LocalizeAll(catalogue.SoftwareTests(), strings, ui);
  LocalizeAll(catalogue.SystemTests(), strings, ui);
  // The drive test has no display name of its own.
  catalogue.DriveTest().value_base = strings.SectionNumber(catalogue.DriveTest().value_base_key);
}

}  // namespace tvx
