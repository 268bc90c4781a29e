// Every malformed script of tests/data/scripts fails at its stated line
// with its stated messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "script_test_support.h"
#include "support/fixtures.h"

namespace tvx {
namespace {
namespace fs = std::filesystem;

struct Expectation {
  std::int32_t error_line = -2;
  std::vector<std::string> messages;  // "caption: text"
};

Expectation ExpectationOf(const std::string& text) {
  Expectation expectation;
  std::size_t start = 0;
  while (start < text.size() && text.compare(start, 3, "// ") == 0) {
    const std::size_t end = text.find('\n', start);
    const std::string line = text.substr(start + 3, end - start - 3);
    if (line.starts_with("error-line: ")) expectation.error_line = std::stoi(line.substr(12));
    if (line.starts_with("message: ")) expectation.messages.push_back(line.substr(9));
    start = end + 1;
  }
  return expectation;
}

TEST(ScriptCorpus, EachMalformedScriptFailsAtItsLine) {
  const fs::path folder = testing::FixturePath("scripts");
  int scripts = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".ins") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++scripts;
    const std::string text = testing::ReadHostText(entry.path());
    const Expectation expected = ExpectationOf(text);
    ASSERT_GT(expected.error_line, 0) << "the file must say its error line";
    testing::ScriptMachine m;
    EXPECT_FALSE(m.LoadText(text));
    EXPECT_EQ(m.script.load.error_line, expected.error_line);
    std::vector<std::string> shown;
    for (const auto& box : m.ui().boxes) shown.push_back(box.caption + ": " + box.text);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(),
              "Error: Script loaded but corrupted !\nFileName : D:\\InstData\\tvx.ins\nError in line " +
                  std::to_string(expected.error_line));
    shown.pop_back();
    EXPECT_EQ(shown, expected.messages);
  }
  EXPECT_GE(scripts, 15);
}

}  // namespace
}  // namespace tvx
