// The name patterns of the vital and non-vital file lists.
#include "detection/file_name_pattern.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TEST(NameMatchesPattern, StarsQuestionMarksLettersInEitherCase) {
  const struct {
    const char* pattern;
    const char* name;
    bool matches;
  } rows[] = {
      {"*", "", true},
      {"", "", true},
      {"?", "", false},
      {"", "a", false},
      {"*.dat", "Speech.DAT", true},
      {"*.dat", "Speech.da", false},
      {"S*h.?at", "speech.dat", true},
      {"*a*b*c", "xaxbxcxc", true},
      {"a*", "a", true},
      {"a*b", "acb", true},
      {"a*b", "acbc", false},
      // Pins a fault: characters 32 apart that are not letters are different
      // characters ("." and "N", "1" and "Q", "@" and "`").
      {"Speech.dat", "SpeechNdat", false},
      {"File1", "FileQ", false},
      {"@", "`", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.pattern) + " ~ " + row.name);
    EXPECT_EQ(NameMatchesPattern(row.pattern, row.name), row.matches);
  }
}

}  // namespace
}  // namespace tvx
