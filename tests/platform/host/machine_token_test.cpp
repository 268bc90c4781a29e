// User account control on the simulated machine: the profile's token and
// prompt, what a token without its rights may change, and the elevated copy.
#include <gtest/gtest.h>

#include "platform/host/machine_profile.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

constexpr const char* kWindows10 = R"("os": {"platform": 2, "major": 10, "minor": 0})";

std::string Windows10With(const std::string& fields) {
  return PatchedProfile(std::string("{") + kWindows10 + ", " + fields + "}");
}

TEST(MachineTokenTest, BadValuesAreRefusedNamingTheKey) {
  struct Row {
    const char* label;
    const char* patch;
    const char* said;
  };
  const Row rows[] = {
      {"unknown token", R"({"token": "admin"})", "token"},
      {"unknown prompt answer", R"({"uac_prompt": "maybe"})", "uac_prompt"},
      {"control as text", R"({"uac": "on"})", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    std::string error;
    EXPECT_FALSE(host::ParseMachineProfile(PatchedProfile(row.patch), error));
    EXPECT_NE(error.find(row.said), std::string::npos) << error;
  }
}

// Nothing is virtualized for a program with a manifest: a write of a token
// without its rights to the machine's folders or keys simply fails.
TEST(MachineTokenTest, ATokenWithoutItsRightsCannotChangeTheMachinesFoldersAndKeys) {
  struct Row {
    const char* label;
    std::string profile;
    bool may_change;
  };
  const Row rows[] = {
      {"10, limited", Windows10With(R"("uac": true, "token": "limited")"), false},
      {"10, limited, control off", Windows10With(R"("uac": false, "token": "limited")"), false},
      {"10, a user without rights", Windows10With(R"("uac": true, "token": "standard")"), false},
      {"10, elevated", Windows10With(R"("uac": true, "token": "elevated")"), true},
      {"10, full", Windows10With(R"("uac": false, "token": "full")"), true},
      {"NT 4, the keys mean nothing", PatchedProfile(R"({"os": {"platform": 2, "major": 4, "minor": 0},
                                                      "token": "limited"})"),
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TestMachine::Options options;
    options.profile_json = row.profile;
    TestMachine machine(options);
    FileSystem& files = machine.platform().files;
    const auto denied_unless = [&](FileError error) {
      return row.may_change ? error == FileError::None : error == FileError::AccessDenied;
    };
    EXPECT_TRUE(denied_unless(files.Open("C:\\WINDOWS\\Tarvex.ini", OpenMode::CreateAlways).error));
    EXPECT_TRUE(denied_unless(files.MakeDirectory("C:\\Program Files")));
    EXPECT_TRUE(denied_unless(files.MakeDirectory("c:\\windows\\SYSTEM\\Tarvex")));
    machine.WriteFile("C:\\Games\\a.txt", "a");
    EXPECT_TRUE(denied_unless(files.Rename("C:\\Games\\a.txt", "C:\\WINDOWS\\a.txt", false)));
    // Elsewhere the user's own rights serve.
    EXPECT_EQ(files.Open("C:\\Games\\b.txt", OpenMode::CreateAlways).error, FileError::None);
    EXPECT_EQ(machine.platform().registry.CreateKey(RegistryRoot::LocalMachine, "Software\\Tarvex"),
              row.may_change ? registry_status::kSuccess : registry_status::kAccessDenied);
    EXPECT_EQ(machine.platform().registry.CreateKey(RegistryRoot::CurrentUser, "Software\\Tarvex"),
              registry_status::kSuccess);
  }
}

TEST(MachineTokenTest, TheRequestIsJournalledAndAnAcceptedOneStartsAnElevatedCopy) {
  struct Row {
    const char* prompt;
    ElevationAnswer answer;
    const char* journalled;
  };
  const Row rows[] = {
      {"accept", ElevationAnswer::Accepted, "elevate accepted with -uninstall Zephra\n"},
      {"refuse", ElevationAnswer::Refused, "elevate refused with -uninstall Zephra\n"},
      {"fail", ElevationAnswer::Failed, "elevate failed with -uninstall Zephra\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.prompt);
    TestMachine::Options options;
    options.profile_json =
        Windows10With(std::string(R"("uac": true, "token": "limited", "uac_prompt": ")") + row.prompt + "\"");
    TestMachine machine(options);
    EXPECT_EQ(machine.platform().system.Elevation().type, TokenElevation::Limited);
    EXPECT_FALSE(machine.platform().shell.ClaimElevatedRestart());
    EXPECT_EQ(machine.platform().shell.RestartElevated("-uninstall Zephra"), row.answer);
    EXPECT_EQ(machine.Journal(), row.journalled);
    const auto& copy = machine.machine().shell().elevated_copy_requested();
    EXPECT_EQ(copy.has_value(), row.answer == ElevationAnswer::Accepted);
    if (copy) {
      EXPECT_EQ(*copy, "\"D:\\SetupTvx.exe\" -uninstall Zephra");
    }
  }
  host::RunOptions run;
  run.elevated = true;
  TestMachine::Options options;
  options.profile_json = Windows10With(R"("uac": true, "token": "limited")");
  TestMachine machine(options);
  auto copy = machine.Open(std::move(run));
  const ElevationState state = copy->platform().system.Elevation();
  EXPECT_EQ(state.type, TokenElevation::Elevated);
  EXPECT_TRUE(state.elevated);
  EXPECT_TRUE(copy->platform().shell.ClaimElevatedRestart());
  EXPECT_EQ(copy->platform().files.MakeDirectory("C:\\Program Files"), FileError::None);
}

}  // namespace
}  // namespace tvx::testing
