// The rule a typed destination must pass.
#include <gtest/gtest.h>

#include "install/install_path.h"

namespace tvx {
namespace {

TEST(InstallPathTest, OnlyFullPathsOfPlainNamesPass) {
  struct Row {
    std::string path;
    bool valid;
  };
  const Row rows[] = {
      {"C:\\", true},
      {"c:\\Games\\Zephra\\", true},
      {"C:\\Program Files\\Zephra 2", true},
      {"C:", false},  // too short for its root
      {"C", false},
      {"1:\\Games", false},
      {"C;\\Games", false},
      {"C:Games", false},
      {"C:/Games", false},
      {"C:\\.Games", false},
      {"C:\\Games\\..\\WINDOWS", false},
      {"C:\\Games\\.hidden", false},
      {"C:\\Games\\\\Zephra", false},
      {"C:\\Games.\\Zephra", true},  // a dot inside a name is a name
      {"C:\\Games\\Zephra\\\\", false},
      {"C:\\Ga:mes", false},
      {"C:\\Ga*mes", false},
      {"C:\\Ga?mes", false},
      {"C:\\Ga\"mes", false},
      {"C:\\Ga<mes", false},
      {"C:\\Ga>mes", false},
      {"C:\\Ga|mes", false},
      {"C:\\" + std::string(177, 'a'), true},  // 180 characters
      {"C:\\" + std::string(178, 'a'), false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(IsValidInstallPath(row.path), row.valid);
  }
}

}  // namespace
}  // namespace tvx
