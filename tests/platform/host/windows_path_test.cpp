// Windows path rules of the simulated machine.
#include "platform/host/windows_path.h"

#include <gtest/gtest.h>

namespace tvx::host {
namespace {

TEST(WindowsPathTest, PathsResolveAgainstTheCurrentDirectory) {
  const WindowsPath current{'C', {"WINDOWS", "Tarvex"}};
  struct Row {
    const char* text;
    const char* expected;  // nullptr: refused
  };
  const Row rows[] = {
      {"C:\\Games\\Zephra", "C:\\Games\\Zephra"},
      {"c:/games/zephra/", "C:\\games\\zephra"},
      {"tvx.ini", "C:\\WINDOWS\\Tarvex\\tvx.ini"},
      {"..\\SYSTEM\\x.dll", "C:\\WINDOWS\\SYSTEM\\x.dll"},
      {"\\root.txt", "C:\\root.txt"},
      {"C:tvx.bak", "C:\\WINDOWS\\Tarvex\\tvx.bak"},
      {"D:readme.txt", "D:\\readme.txt"},
      {"D:", "D:\\"},
      {"C:\\..\\..\\up", "C:\\up"},
      {"C:\\a\\.\\b\\\\c", "C:\\a\\b\\c"},
      {"C:\\name. \\file.txt.", "C:\\name\\file.txt"},
      {"C:\\bad|name", nullptr},
      {"C:\\what?.txt", nullptr},
      {"C:\\a\\b:c", nullptr},
      {"\\\\server\\share\\x", nullptr},
      {"", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const ParsedPath parsed = ParseWindowsPath(row.text, current);
    if (row.expected) {
      ASSERT_TRUE(parsed.path);
      EXPECT_EQ(parsed.path->Text(), row.expected);
    } else {
      EXPECT_FALSE(parsed.path);
      EXPECT_NE(parsed.error, FileError::None);
    }
  }
}

TEST(WindowsPathTest, WildcardsAreAllowedOnlyInTheLastComponentOfAPattern) {
  const WindowsPath current{'C', {}};
  EXPECT_TRUE(ParseWindowsPath("C:\\dir\\*.*", current, true).path);
  EXPECT_FALSE(ParseWindowsPath("C:\\d*r\\x.txt", current, true).path);
  EXPECT_FALSE(ParseWindowsPath("C:\\dir\\*.*", current, false).path);
}

TEST(WindowsPathTest, FindPatternsMatchLikeWindows) {
  struct Row {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Row rows[] = {
      {"*.*", "README", true},
      {"*.*", "a.b.c", true},
      {"*", ".", true},
      {"strings.*", "STRINGS.ENG", true},
      {"strings.*", "strings", true},
      {"strings.*", "stringsx", false},
      {"Play *.*", "Play Zephra.lnk", true},
      {"Play *.*", "Player.lnk", false},
      {"?", "", false},
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"*z", "zzzzzzzzzzzzzzzzzzzzzy", false},
      {"*a*b*c*d*e*", "aXbXcXdXe", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.pattern) + " / " + row.name);
    EXPECT_EQ(MatchesFindPattern(row.pattern, row.name), row.matches);
  }
}

TEST(WindowsPathTest, AHostileFindPatternTakesLinearTime) {
  // Regression guard: a naive recursive matcher is exponential here.
  const std::string pattern = std::string(40, '*') + "b";
  EXPECT_FALSE(MatchesFindPattern(pattern, std::string(10000, 'a')));
}

}  // namespace
}  // namespace tvx::host
