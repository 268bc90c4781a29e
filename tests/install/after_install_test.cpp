// The end of an installation: the configuration's program started from
// the source with its failures told by number, and the README offer.
#include "install/after_install.h"

#include <gtest/gtest.h>

#include "install/post_install_rig.h"

namespace tvx::testing {
namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(LaunchAfterInstallTest, AFailedStartIsToldByItsNumber) {
  struct Row {
    const char* name;
    std::uint32_t result;
    int message;  // 0: none
  };
  const Row rows[] = {
      {"no resources", 0, 261},   {"no such file", 2, 263}, {"no such folder", 3, 264},
      {"not a program", 11, 262}, {"another error", 5, 0},  {"started", 33, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig;
    rig.configuration.launch = true;
    rig.configuration.launch_command = "extras\\register.exe -quiet";
    Platform& real = rig.platform();
    StartAnsweringShell shell(real.shell, row.result);
    Platform platform{real.files, real.registry, real.system, shell, real.ui};
    PostInstallContext context{platform,          TextNumber, rig.script,
                               rig.configuration, "D:",       kPostInstallDirectory};

    LaunchAfterInstall(context);

    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0], "D:\\extras\\register.exe -quiet");
    EXPECT_EQ(shell.show_states[0], kShowDefault);
    EXPECT_EQ(real.files.CurrentDirectory(), "D:\\") << "started from the setup program's folder";
    const std::string transcript = rig.Transcript();
    if (row.message) {
      EXPECT_TRUE(Contains(transcript, "message-box caption=\"text 260\" text=\"text " +
                                           std::to_string(row.message) + "\" style=0x00000010"))
          << transcript;
    } else {
      EXPECT_FALSE(Contains(transcript, "message-box")) << transcript;
    }
  }
}

TEST(LaunchAfterInstallTest, OnTheMachineAProgramStartsAndAMissingOneIsTold) {
  struct Row {
    const char* name;
    bool launch;
    const char* command;
    const char* journal;
    const char* message;
  };
  const Row rows[] = {
      {"a Windows program starts", true, "extras\\register.exe",
       R"(run D:\\extras\\register.exe in D:\\ with D:\\extras\\register.exe)"
       "\n",
       nullptr},
      {"a missing program", true, "extras\\gone.exe", "", "text 263"},
      {"a missing folder", true, "nowhere\\gone.exe", "", "text 264"},
      {"no launch entry: nothing", false, "extras\\register.exe", "", nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig;
    rig.machine().WriteFile("D:\\extras\\register.exe", "MZ");
    rig.configuration.launch = row.launch;
    rig.configuration.launch_command = row.command;
    PostInstallContext context = rig.Context();

    LaunchAfterInstall(context);

    EXPECT_EQ(rig.machine().Journal(), row.journal);
    const std::string transcript = rig.Transcript();
    EXPECT_EQ(Contains(transcript, "message-box"), row.message != nullptr) << transcript;
    if (row.message) {
      EXPECT_TRUE(Contains(transcript, row.message)) << transcript;
    }
  }
}

TEST(OfferReadmeTest, AsksWithTheFileNameAndOpensItInNotepadOnYes) {
  struct Row {
    const char* name;
    const char* readme;
    std::size_t language;
    const char* answers;
    bool asked;
    const char* journal;
  };
  const Row rows[] = {
      {"yes opens it", "docs\\Readme.txt", 0, "dialog 150 press 1\n", true,
       R"(run C:\\WINDOWS\\Notepad.exe in D:\\ with Notepad.exe D:\\docs\\Readme.txt)"
       "\n"},
      {"no leaves it", "docs\\Readme.txt", 0, "dialog 150 press 2\n", true, ""},
      {"a missing file opens nothing", "docs\\Gone.txt", 0, "dialog 150 press 1\n", true, ""},
      {"the second language's file", "docs\\Lisez.txt", 1, "dialog 150 press 1\n", true,
       R"(run C:\\WINDOWS\\Notepad.exe in D:\\ with Notepad.exe D:\\docs\\Lisez.txt)"
       "\n"},
      {"a language without a README is not asked", "", 0, "", false, ""},
      {"a language past the list is not asked", "docs\\Readme.txt", 5, "", false, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PostInstallRig rig("{}", row.answers);
    rig.machine().WriteFile("C:\\WINDOWS\\NOTEPAD.EXE", "MZ");
    rig.machine().WriteFile("D:\\docs\\Readme.txt", "read me");
    rig.machine().WriteFile("D:\\docs\\Lisez.txt", "lisez-moi");
    rig.platform().files.ChangeDirectory("D:\\");
    rig.script.languages.fifth_fields = {row.language == 1 ? "docs\\Readme.txt" : row.readme,
                                         row.language == 1 ? row.readme : ""};
    PostInstallContext context = rig.Context();
    context.text = [](int number) {
      return number == 391 ? std::string("Read %s now?") : TextNumber(number);
    };

    OfferReadme(context, row.language);

    const std::string transcript = rig.Transcript();
    EXPECT_EQ(Contains(transcript, "dialog id=150 caption=\"text 390\""), row.asked) << transcript;
    if (row.asked) {
      const std::string name = std::string(row.readme).substr(std::string(row.readme).rfind('\\') + 1);
      EXPECT_TRUE(Contains(transcript, "1017=\"Read " + name + " now?\"")) << transcript;
    }
    EXPECT_EQ(rig.machine().Journal(), row.journal);
    EXPECT_TRUE(rig.machine().machine().ui().AnswerProblems().empty());
  }
}

}  // namespace
}  // namespace tvx::testing
