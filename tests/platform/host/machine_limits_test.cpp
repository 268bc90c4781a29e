// What a profile may ask of the simulated machine: screens a display can
// have, folders and paths no longer than the ANSI functions take.
#include <gtest/gtest.h>

#include "platform/file_services.h"
#include "platform/host/machine_profile.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string WithScreen(const std::string& screen) {
  return Replaced(DefaultProfileJson(), R"("screen": {"width": 800, "height": 600, "bits_per_pixel": 16})",
                  "\"screen\": {" + screen + "}");
}

// "C:\a\a\..." with the given number of levels under C:.
std::string DeepFolder(int levels) {
  std::string path = "C:";
  for (int i = 0; i < levels; ++i) path += "\\a";
  return path;
}

std::string Json(const std::string& path) {
  std::string json;
  for (char c : path) json += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return json;
}

std::string WithFolders(const std::string& windows, const std::string& system, const std::string& desktop) {
  std::string json = Replaced(DefaultProfileJson(), "\"C:\\\\WINDOWS\",", "\"" + Json(windows) + "\",");
  json = Replaced(json, "\"C:\\\\WINDOWS\\\\SYSTEM\",", "\"" + Json(system) + "\",");
  return Replaced(json, "\"C:\\\\WINDOWS\\\\Desktop\"", "\"" + Json(desktop) + "\"");
}

TEST(MachineLimitsTest, ScreensADisplayCannotHaveAreRefusedNamingTheKey) {
  struct Row {
    const char* name;
    std::string profile;
    const char* said;  // nullptr: accepted
  };
  const Row rows[] = {
      {"usual", WithScreen(R"("width": 1024, "height": 768, "bits_per_pixel": 8, "planes": 1)"), nullptr},
      {"largest", WithScreen(R"("width": 32767, "height": 32767, "bits_per_pixel": 32, "logical_dpi": 960)"),
       nullptr},
      {"sixteen colours in planes", WithScreen(R"("bits_per_pixel": 1, "planes": 4)"), nullptr},
      {"no width", WithScreen(R"("width": 0, "height": 600)"), "width"},
      {"too wide", WithScreen(R"("width": 32768, "height": 600)"), "width"},
      {"negative height", WithScreen(R"("width": 800, "height": -600)"), "height"},
      {"no bits", WithScreen(R"("bits_per_pixel": 0)"), "bits_per_pixel"},
      {"too many bits", WithScreen(R"("bits_per_pixel": 33)"), "bits_per_pixel"},
      {"no planes", WithScreen(R"("bits_per_pixel": 8, "planes": 0)"), "planes"},
      {"too many planes", WithScreen(R"("bits_per_pixel": 1, "planes": 33)"), "planes"},
      // Regression: the product of the two overflowed an int.
      {"product overflowing an int", WithScreen(R"("bits_per_pixel": 65536, "planes": 65536)"),
       "bits_per_pixel"},
      {"largest int planes", WithScreen(R"("bits_per_pixel": 16, "planes": 2147483647)"), "planes"},
      {"deeper than 32 bits in all", WithScreen(R"("bits_per_pixel": 32, "planes": 2)"), "planes"},
      {"no resolution", WithScreen(R"("logical_dpi": 0)"), "logical_dpi"},
      {"resolution too fine", WithScreen(R"("logical_dpi": 961)"), "logical_dpi"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string error;
    const auto profile = host::ParseMachineProfile(row.profile, error);
    if (!row.said) {
      EXPECT_TRUE(profile) << error;
      continue;
    }
    EXPECT_FALSE(profile);
    EXPECT_NE(error.find(row.said), std::string::npos) << error;
  }
}

TEST(MachineLimitsTest, AScreenInPlanesIsAPaletteDisplayUpToEightBitsInAll) {
  for (const auto& [screen, palette] : {std::pair{R"("bits_per_pixel": 1, "planes": 4)", true},
                                        std::pair{R"("bits_per_pixel": 8, "planes": 1)", true},
                                        std::pair{R"("bits_per_pixel": 4, "planes": 4)", false}}) {
    SCOPED_TRACE(screen);
    std::string error;
    const auto profile = host::ParseMachineProfile(WithScreen(screen), error);
    ASSERT_TRUE(profile) << error;
    EXPECT_EQ(profile->screen.palette, palette);
  }
}

// 259 characters: the longest path the ANSI functions take.
const std::string kLongestWindows = DeepFolder(128) + "b";

// Regression: a windows_directory 3,000 levels deep took minutes to make,
// each level resolved again from the drive's root.
TEST(MachineLimitsTest, FoldersLongerThanMaxPathAreRefusedNamingTheKey) {
  const std::string system = "C:\\WINDOWS\\SYSTEM";
  const std::string desktop = "C:\\WINDOWS\\Desktop";
  struct Row {
    const char* name;
    std::string profile;
    const char* said;
  };
  const Row rows[] = {
      {"3,000 levels", WithFolders(DeepFolder(3000), system, desktop), "windows_directory"},
      {"one character too long", WithFolders(kLongestWindows + "c", system, desktop), "windows_directory"},
      {"system folder", WithFolders("C:\\WINDOWS", kLongestWindows + "c", desktop), "system_directory"},
      {"special folder", WithFolders("C:\\WINDOWS", system, kLongestWindows + "c"), "desktop"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TemporaryFolder folder;
    WriteHostText(folder.path() / "profile.json", row.profile);
    const std::string error = host::CreateMachine(folder.path() / "m", folder.path() / "profile.json");
    EXPECT_NE(error.find(row.said), std::string::npos) << error;
    EXPECT_NE(error.find("259"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(folder.path() / "m"));
  }
}

TEST(MachineLimitsTest, AWindowsFolderOfMaxPathMakesAMachine) {
  ASSERT_EQ(kLongestWindows.size(), 259u);
  TestMachine::Options options;
  options.profile_json = WithFolders(kLongestWindows, DeepFolder(100) + "\\SYSTEM", kLongestWindows);
  TestMachine machine(options);
  FileSystem& files = machine.platform().files;
  EXPECT_EQ(files.WindowsDirectory(), kLongestWindows);
  EXPECT_TRUE(IsDirectory(files, kLongestWindows));
  EXPECT_TRUE(IsDirectory(files, DeepFolder(100) + "\\system"));
}

TEST(MachineLimitsTest, PathsLongerThanMaxPathAreInvalidNames) {
  TestMachine machine;
  FileSystem& files = machine.platform().files;
  const std::string folder = DeepFolder(127);  // 256 characters
  ASSERT_TRUE(CreateDirectoryChain(files, folder));
  const std::string longest = folder + "\\xy";
  ASSERT_EQ(longest.size(), 259u);
  EXPECT_EQ(files.Open(longest, OpenMode::CreateAlways).error, FileError::None);
  struct Row {
    const char* name;
    FileError error;
  };
  ASSERT_EQ(files.ChangeDirectory(folder), FileError::None);
  const Row rows[] = {
      {"create", files.Open(longest + "z", OpenMode::CreateAlways).error},
      {"create by a relative path", files.Open("xyz", OpenMode::CreateAlways).error},
      {"make a folder", files.MakeDirectory(longest + "z")},
      {"rename to", files.Rename(longest, longest + "z", false)},
      {"find", files.Find(longest + "*").error},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.error, FileError::InvalidName);
  }
  EXPECT_EQ(files.Open("..\\xyz", OpenMode::CreateAlways).error, FileError::None);  // short again
  const FindResult found = files.Find(folder + "\\x*");
  ASSERT_EQ(found.entries.size(), 1u);
  EXPECT_EQ(found.entries[0].name, "xy");
}

}  // namespace
}  // namespace tvx::testing

namespace tvx::testing {
namespace {

// A list nested the given number of levels deep: [[[...]]].
std::string Nested(int levels) { return std::string(levels, '[') + std::string(levels, ']'); }

// Regression: lists were copied before they were read, and copying a value
// nested this deep recursed once per level until the stack overflowed.
TEST(MachineLimitsTest, ValuesNestedAHundredThousandDeepAreRefusedNamingTheKey) {
  const std::string deep = Nested(100'000);
  struct Row {
    const char* key;
    std::string insert;
  };
  const Row rows[] = {
      {"files", "\"files\": " + deep},
      {"processes", "\"processes\": " + deep},
      {"wave_out", "\"sound\": {\"wave_out\": " + deep + "}"},
      {"cache_descriptors", "\"cpu\": {\"cache_descriptors\": " + deep + "}"},
      {"s3d.dll", "\"libraries\": {\"s3d.dll\": " + deep + "}"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    std::string profile = DefaultProfileJson();
    profile.insert(profile.rfind('}'), ", " + row.insert);
    std::string error;
    EXPECT_FALSE(host::ParseMachineProfile(profile, error));
    EXPECT_NE(error.find(row.key), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace tvx::testing
