// Shortcuts written by either backend, read back by an independent reader
// of the shortcut file format (lnkinfo).
#include <map>

#include "platform/contract/contract_backend.h"
#include "platform/path_text.h"

namespace tvx::testing {
namespace {

// lnkinfo's "Name<tabs>: value" lines, by name.
std::map<std::string, std::string> Fields(const std::string& output) {
  std::map<std::string, std::string> fields;
  std::size_t start = 0;
  while (start < output.size()) {
    std::size_t end = output.find('\n', start);
    if (end == std::string::npos) end = output.size();
    const std::string line = output.substr(start, end - start);
    start = end + 1;
    const std::size_t colon = line.find(": ");
    if (colon == std::string::npos) continue;
    const std::size_t name_begin = line.find_first_not_of('\t');
    const std::size_t name_end = line.find_last_not_of("\t ", colon - 1);
    if (name_begin == std::string::npos || name_end == std::string::npos || name_end < name_begin) continue;
    fields[line.substr(name_begin, name_end - name_begin + 1)] = line.substr(colon + 2);
  }
  return fields;
}

class ShellLinkTest : public SeamTest {};

TEST_F(ShellLinkTest, AShortcutReadsBackInAnIndependentReader) {
  WriteFile(files(), At("Zephra.exe"), "MZ");
  WriteFile(files(), At("Zephra.ico"), "icon");
  const ShellLink link{
      At("Play Zephra.lnk"), At("Zephra.exe"), "-play Zephra", scratch(), At("Zephra.ico"), 0};
  ASSERT_TRUE(shell().CreateShellLink(link));
  ASSERT_TRUE(Exists(link.file));

  const std::optional<std::string> output = Lnkinfo(link.file);
  ASSERT_TRUE(output) << "lnkinfo (Debian's liblnk-utils) is needed to read the shortcut back";
  const auto fields = Fields(*output);
  SCOPED_TRACE(*output);
  const auto field = [&](const std::string& name) {
    const auto found = fields.find(name);
    return found == fields.end() ? std::string("(none)") : found->second;
  };
  EXPECT_EQ(AsciiLower(field("Local path")), AsciiLower(link.target));
  EXPECT_EQ(field("Command line arguments"), link.arguments);
  EXPECT_EQ(AsciiLower(field("Working directory")), AsciiLower(link.working_directory));
  EXPECT_EQ(AsciiLower(field("Icon location")), AsciiLower(link.icon_path));
  EXPECT_EQ(field("Icon index"), "0");
}

TEST_F(ShellLinkTest, ASecondShortcutOfTheSameNameReplacesTheFirst) {
  ShellLink link{At("Readme.lnk"), At("Readme.txt"), "", "", "C:\\WINDOWS\\Notepad.exe", 0};
  WriteFile(files(), link.target, "text");
  ASSERT_TRUE(shell().CreateShellLink(link));
  link.arguments = "-second";
  ASSERT_TRUE(shell().CreateShellLink(link));
  const std::optional<std::string> output = Lnkinfo(link.file);
  ASSERT_TRUE(output);
  EXPECT_EQ(Fields(*output)["Command line arguments"], "-second");
}

TEST_F(ShellLinkTest, AShortcutIntoAMissingFolderIsNotWritten) {
  const ShellLink link{At("Missing\\Zephra.lnk"), At("Zephra.exe"), "", "", "", 0};
  EXPECT_FALSE(shell().CreateShellLink(link));
  EXPECT_FALSE(Exists(link.file));
}

}  // namespace
}  // namespace tvx::testing
