// tvxtool plan against the program itself: a real installation on a
// simulated machine does what the plan says, and nothing it does not say.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/path_text.h"
#include "registry/product_registry_file.h"
#include "shell/front_panel.h"
#include "shell/session.h"
#include "support/machine_snapshot.h"
#include "support/program_run.h"
#include "support/sample_payload.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

// The sample disc with its files, and a profile ready for the sample.
struct Rig {
  Rig(const std::string& profile_name, bool asks_for_configuration) {
    fs::copy(SampleDisc(), disc, fs::copy_options::recursive);
    PutSamplePayloadIn(disc, 30000);
    WriteHostText(profile, SampleInstallProfile(profile_name));
    if (!asks_for_configuration) return;
    const fs::path script = disc / "InstData" / "tvx.ins";
    std::string text = ReadHostText(script);
    text.erase(text.find("[SEQUENCE AUTO]\r\n"), 17);
    WriteHostText(script, text);
  }
  TemporaryFolder folder;
  fs::path disc = folder.path() / "disc";
  fs::path profile = folder.path() / "profile.json";
};

struct Choice {
  const char* profile;
  int configuration;  // -1: none given
  const char* language;
  int language_item;  // in the language dialog
  const char* directory;
  const char* configuration_answers = "";  // with the choice dialogs: what the user answers there
};

std::string PlanArguments(const Rig& rig, const Choice& choice) {
  std::string arguments = "plan " + Quoted(rig.disc) + " --machine " + Quoted(rig.profile);
  if (choice.configuration >= 0) arguments += " --config " + std::to_string(choice.configuration);
  arguments += std::string(" --language ") + choice.language;
  if (*choice.directory) arguments += " --dir " + Quoted(choice.directory);
  return arguments;
}

// The user's own answers: the language, Install, the directory, Quit.
std::string Answers(const Choice& choice) {
  std::string answers = "dialog 133 select 1009 " + std::to_string(choice.language_item) +
                        "\ndialog 133 press 1\ndialog 102 press 1000\n" + choice.configuration_answers;
  if (*choice.directory) {
    std::string typed;
    for (const char c : std::string(choice.directory))
      typed += c == '\\' ? std::string("\\\\") : std::string(1, c);
    answers += "dialog 132 type 1012 \"" + typed + "\"\ndialog 132 press 1\n";
  }
  return answers + "dialog 102 escape\n";
}

std::optional<InstallReport> InstallByHand(TestMachine& machine, const std::string& answers) {
  std::string error;
  host::RunOptions run;
  run.ui.answers = host::AnswerScript::Parse(answers, error);
  run.ui.transcript = machine.folder() / "transcript.log";
  auto process = machine.Open(run);
  Session session(process->platform());
  FrontPanel panel(session, process->platform().system.CommandLine());
  panel.Run();
  return panel.install();
}

// The plan's UTF-8 back to the machine's ANSI: the sample's texts are all
// Latin-1.
std::string Ansi(const std::string& utf8) {
  std::string ansi;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte >= 0xC2 && byte <= 0xC3 && i + 1 < utf8.size()) {
      ansi += static_cast<char>(((byte & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
      continue;
    }
    ansi += utf8[i];
  }
  return ansi;
}

std::string Ansi(const Json& text) { return Ansi(text.get<std::string>()); }

// "drives/c/A/b" -> "c:\a\b"; registry lines as "[key] "name"".
std::string Folded(const std::string& snapshot_name) {
  if (!snapshot_name.starts_with("drives/") || snapshot_name.size() < 9) return AsciiLower(snapshot_name);
  std::string path = snapshot_name.substr(7, 1) + ":\\" + snapshot_name.substr(9);
  std::replace(path.begin(), path.end(), '/', '\\');
  return AsciiLower(path);
}

std::string RegistryName(const std::string& key, const std::string& name) {
  if (name.empty()) return AsciiLower("[" + key + "] @");
  std::string escaped;
  for (const char c : name) escaped += c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
  return AsciiLower("[" + key + "] \"" + escaped + "\"");
}

// Everything the plan names, as the machine snapshot names it.
std::set<std::string> Listed(const Json& plan) {
  std::set<std::string> listed;
  const auto add = [&listed](const Json& list, const char* field = nullptr) {
    for (const Json& item : list) listed.insert(AsciiLower(Ansi(field ? item[field] : item)));
  };
  const auto add_keys = [&listed](const Json& list) {
    for (const Json& key : list) listed.insert(AsciiLower("[" + Ansi(key) + "]"));
  };
  const auto add_values = [&listed](const Json& list) {
    for (const Json& value : list) listed.insert(RegistryName(Ansi(value["key"]), Ansi(value["name"])));
  };
  add(plan["files"], "destination");
  add(plan["directories"]);
  add_keys(plan["registry"]["keys_made"]);
  add_values(plan["registry"]["values"]);
  add(plan["removed"]["files"]);
  add(plan["removed"]["directories"]);
  add_keys(plan["removed"]["registry_keys"]);
  add_values(plan["removed"]["registry_values"]);
  return listed;
}

// The registry file leaves out a key without values once it has subkeys:
// the snapshot sees such a key go although it is still there.
bool StillAParent(const std::string& difference, const MachineSnapshot& after) {
  if (!difference.starts_with("removed [") || difference.back() != ']') return false;
  const std::string parent = difference.substr(8, difference.size() - 9) + "\\";
  for (const auto& [line, value] : after.registry)
    if (line.starts_with(parent)) return true;
  return false;
}

Json ValueOf(const RegistryValue& value) {
  if (value.type == RegistryType::Dword) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < value.data.size() && i < 4; ++i)
      number |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
    return number;
  }
  return value.Text();
}

void ExpectRegistryAsPlanned(TestMachine& machine, const Json& plan) {
  auto process = machine.Open();
  for (const Json& value : plan["registry"]["values"]) {
    const std::string key = Ansi(value["key"]);
    SCOPED_TRACE(key + " " + Ansi(value["name"]));
    ASSERT_TRUE(key.starts_with("HKEY_LOCAL_MACHINE\\"));
    RegistryValue found;
    ASSERT_EQ(process->platform().registry.QueryValue(RegistryRoot::LocalMachine, key.substr(19),
                                                      Ansi(value["name"]), found),
              registry_status::kSuccess);
    EXPECT_EQ(ValueOf(found), value["value"].is_string() ? Json(Ansi(value["value"])) : value["value"]);
  }
}

void ExpectFilesAsPlanned(TestMachine& machine, const Json& plan) {
  for (const Json& file : plan["files"]) {
    const std::string destination = file["destination"];
    SCOPED_TRACE(destination);
    const std::string bytes = machine.ReadFile(Ansi(destination));
    EXPECT_EQ(bytes.size(), file["size"].get<std::size_t>());
    if (!file["source"].is_null()) {
      EXPECT_EQ(bytes, machine.ReadFile(Ansi(file["source"])));
    }
  }
  for (const Json& folder : plan["directories"])
    EXPECT_TRUE(fs::is_directory(machine.HostPath(Ansi(folder)))) << folder;
}

void ExpectShortcutsAndRecordAsPlanned(TestMachine& machine, const Json& plan) {
  for (const Json& link : plan["shortcuts"]) {
    SCOPED_TRACE(link.dump());
    const std::string bytes = machine.ReadFile(Ansi(link["file"]));
    const std::string target = Ansi(link["target"]);
    // A target on a drive is kept as the volume's local path, in ANSI.
    EXPECT_NE(bytes.find('\0' + target + '\0'), std::string::npos) << "the shortcut holds its target";
    if (!link["arguments"].get<std::string>().empty()) {
      std::string arguments;
      for (const char c : Ansi(link["arguments"])) arguments += std::string{c, '\0'};
      EXPECT_NE(bytes.find(arguments), std::string::npos) << "and its arguments";
    }
  }
  const std::string ini = machine.ReadFile(machine.platform().files.WindowsDirectory() + kRegistryFileSuffix);
  for (const Json& entry : plan["tvx_ini"]) {
    SCOPED_TRACE(entry.dump());
    const std::size_t section = ini.find("[" + Ansi(entry["section"]) + "]\r\n");
    ASSERT_NE(section, std::string::npos);
    const std::string line = "\r\n" + Ansi(entry["key"]) + "=" + Ansi(entry["value"]) + "\r\n";
    EXPECT_LT(ini.find(line, section), ini.find("\r\n[", section + 1));
  }
}

TEST(TvxtoolPlanTest, TheInstallationDoesWhatThePlanSaysAndNothingElse) {
  // The sample takes its proposal without asking: each machine proposes
  // its own configuration.
  const Choice choices[] = {
      {"win98", 1, "English", 0, ""},
      {"win95-osr2", 0, "French", 1, "C:\\Jeux\\Zephra"},
      {"win2000", -1, "English", 0, "C:\\Games\\Zephra"},
      // Without SEQUENCE AUTO the proposal (0) is changed in the choice
      // list, the other type shown by its "..." item.
      {"win95-osr2", 2, "English", 0, "",
       "dialog 142 press 1001\ndialog 130 double-click 1019 1\ndialog 130 select 1019 1\ndialog 130 press "
       "1\n"},
  };
  for (const Choice& choice : choices) {
    SCOPED_TRACE(choice.profile);
    Rig rig(choice.profile, *choice.configuration_answers != '\0');
    const auto disc_before = FolderContents(rig.disc);
    const std::string profile_before = ReadHostText(rig.profile);
    const ProgramRun planned = RunProgram(TVX_TVXTOOL, PlanArguments(rig, choice));
    ASSERT_EQ(planned.status, 0) << planned.err;
    EXPECT_EQ(FolderContents(rig.disc), disc_before) << "the disc is not written";
    EXPECT_EQ(ReadHostText(rig.profile), profile_before);
    const Json plan = Json::parse(planned.out);
    EXPECT_EQ(plan["outcome"], "installed");
    EXPECT_EQ(plan["language"], choice.language);
    if (choice.configuration >= 0) {
      EXPECT_EQ(plan["configuration"]["index"], choice.configuration);
    }
    if (*choice.directory) {
      EXPECT_EQ(plan["install_directory"], std::string(choice.directory) + "\\");
    }

    TestMachine::Options options;
    options.profile_file = rig.profile;
    options.disc = rig.disc;
    TestMachine machine(std::move(options));
    const MachineSnapshot before = TakeSnapshot(machine);
    const std::optional<InstallReport> report = InstallByHand(machine, Answers(choice));
    ASSERT_TRUE(report);
    ASSERT_EQ(report->outcome, InstallOutcome::Installed);

    ExpectFilesAsPlanned(machine, plan);
    ExpectRegistryAsPlanned(machine, plan);
    ExpectShortcutsAndRecordAsPlanned(machine, plan);
    std::vector<std::string> journal;
    std::istringstream lines(machine.Journal());
    for (std::string line; std::getline(lines, line);) journal.push_back(line);
    EXPECT_EQ(Json(journal), plan["journal"]);
    const std::set<std::string> listed = Listed(plan);
    std::vector<std::string> unlisted;
    const MachineSnapshot after = TakeSnapshot(machine);
    for (const std::string& difference : Differences(before, after)) {
      const std::string name = difference.substr(difference.find(' ') + 1);
      if (!listed.contains(Folded(name)) && !StillAParent(difference, after)) unlisted.push_back(difference);
    }
    EXPECT_TRUE(unlisted.empty()) << ::testing::PrintToString(unlisted);
    EXPECT_FALSE(plan["files"].empty());
    EXPECT_FALSE(plan["shortcuts"].empty());
    EXPECT_FALSE(plan["fonts"].empty());
    EXPECT_FALSE(plan["shared_counts"].empty());
  }
}

// What extract writes is what the installation copies from the disc, by
// the same list: the files below the installation directory at their
// places, the system folder's and the fonts in their own folders (the
// online client, which extract leaves out, aside).
TEST(TvxtoolPlanTest, ExtractLaysOutWhatTheInstallationCopies) {
  Rig rig("win98", false);
  const ProgramRun planned = RunProgram(
      TVX_TVXTOOL, "plan " + Quoted(rig.disc) + " --machine " + Quoted(rig.profile) + " --language French");
  ASSERT_EQ(planned.status, 0) << planned.err;
  const Json plan = Json::parse(planned.out);
  const fs::path out = rig.folder.path() / "out";
  const ProgramRun extracted =
      RunProgram(TVX_TVXTOOL, "extract " + Quoted(rig.disc) + " " + Quoted(out) + " --config " +
                                  plan["configuration"]["index"].dump() + " --language French");
  ASSERT_EQ(extracted.status, 0) << extracted.err;
  const Json profile = Json::parse(ReadHostText(rig.profile));
  const std::string install = AsciiLower(plan["install_directory"].get<std::string>());
  const std::string system = AsciiLower(profile["system_directory"].get<std::string>() + "\\");
  const std::string fonts = AsciiLower(profile["special_folders"]["fonts"].get<std::string>() + "\\");
  const std::string client =
      AsciiLower("D:\\" + ClientSourceFolder(ReadHostText(rig.disc / "InstData" / "tvx.ins")));
  std::map<std::string, std::uintmax_t> expected;
  for (const Json& file : plan["files"]) {
    if (file["source"].is_null() || AsciiLower(file["source"].get<std::string>()).starts_with(client))
      continue;
    std::string destination = AsciiLower(Ansi(file["destination"]));
    std::string place;
    if (destination.starts_with(install))
      place = destination.substr(install.size());
    else if (destination.starts_with(system))
      place = "_system\\" + destination.substr(system.size());
    else if (destination.starts_with(fonts))
      place = "_fonts\\" + destination.substr(fonts.size());
    else
      continue;
    std::replace(place.begin(), place.end(), '\\', '/');
    expected[place] = file["size"].get<std::uintmax_t>();
  }
  std::map<std::string, std::uintmax_t> written;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(out)) {
    const std::string place = AsciiLower(fs::relative(entry.path(), out).generic_string());
    if (entry.is_regular_file() && !place.starts_with("_setup/")) written[place] = entry.file_size();
  }
  EXPECT_EQ(written, expected);
}

}  // namespace
}  // namespace tvx::testing
