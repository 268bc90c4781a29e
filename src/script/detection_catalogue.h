// The three ordered catalogues of machine tests and the drive test, built
// once per process; requirements keep pointers into them.
#pragma once

#include <string_view>
#include <vector>

#include "script/detection_test.h"

namespace tvx {

class StringTable;
class Ui;

class DetectionCatalogue {
 public:
  DetectionCatalogue();
  // Requirements point at the tests: the catalogue never moves.
  DetectionCatalogue(const DetectionCatalogue&) = delete;
  DetectionCatalogue& operator=(const DetectionCatalogue&) = delete;

  std::vector<DetectionTest>& HardwareTests() { return hardware_; }
  std::vector<DetectionTest>& SoftwareTests() { return software_; }
  std::vector<DetectionTest>& SystemTests() { return system_; }
  const std::vector<DetectionTest>& HardwareTests() const { return hardware_; }
  const std::vector<DetectionTest>& SoftwareTests() const { return software_; }
  const std::vector<DetectionTest>& SystemTests() const { return system_; }
  DetectionTest& DriveTest() { return drive_; }
  const DetectionTest& DriveTest() const { return drive_; }

 private:
  std::vector<DetectionTest> hardware_;
  std::vector<DetectionTest> software_;
  std::vector<DetectionTest> system_;
  DetectionTest drive_;
};

// Exact, case-sensitive lookup in one catalogue; null when absent.
DetectionTest* FindTestIn(std::vector<DetectionTest>& catalogue, std::string_view name);
// Hardware, then software, then system tests; the first match wins.
DetectionTest* FindTest(DetectionCatalogue& catalogue, std::string_view name);

// Display names by number and value bases by section, from the loaded
// strings; a missing display string shows the strings table's own message.
void SetLocalizedNames(DetectionCatalogue& catalogue, StringTable& strings, Ui& ui);

}  // namespace tvx
