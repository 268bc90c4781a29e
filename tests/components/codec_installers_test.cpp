// The Indeo codec installers on the simulated machine: what they copy and
// register, what the user is told, and what a failure leaves behind.
#include "components/codec_installers.h"

#include <gtest/gtest.h>

#include "components/bind_installers.h"
#include "detection/bind_probes.h"
#include "detection/detection_process_state.h"
#include "detection/machine_probes.h"
#include "detection/system_version.h"
#include "platform/button_control.h"
#include "platform/file_services.h"
#include "platform/forwarding_file_system.h"
#include "support/fixtures.h"
#include "support/forwarding_registry.h"
#include "support/machine_snapshot.h"
#include "support/recording_ui.h"
#include "support/test_machine.h"
#include "ui/ui_process_state.h"

namespace tvx::testing {
namespace {

constexpr const char* kSystem = "C:\\WINDOWS\\SYSTEM\\";
constexpr const char* kSystemIni =
    "[boot]\r\nshell=Explorer.exe\r\n[drivers32]\r\nmsacm.imaadpcm=imaadp32.acm\r\n";
constexpr const char* kOldIndeo41 = "an older ir41_32.dll";
constexpr const char* kNewIndeo32 = "the disc's ir32_32.dll";
constexpr const char* kUnable = "Unable to install Indeo\xAE.";
constexpr const char* kKey41 = "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV41";
constexpr const char* kKey32 = "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV32";
constexpr const char* kKey50 = "System\\CurrentControlSet\\control\\MediaResources\\icm\\vidc.IV50";

std::string Numbered(int number) { return "S" + std::to_string(number); }

class KeyedUi : public RecordingUi {
 public:
  bool KeyPressed(int key) override { return key == kReturnKey && return_down; }
  bool return_down = false;
};

// Fails the value write of that number (1 for the first), or its flush.
class FailingRegistry : public ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  long SetValue(RegistryRoot root, std::string_view path, std::string_view name,
                const RegistryValue& value) override {
    ++writes_;
    if (writes_ == fail_at && !fail_flush) return registry_status::kAccessDenied;
    return ForwardingRegistry::SetValue(root, path, name, value);
  }
  long Flush(RegistryRoot root) override {
    if (writes_ == fail_at && fail_flush) return registry_status::kAccessDenied;
    return ForwardingRegistry::Flush(root);
  }
  int fail_at = 0;
  bool fail_flush = false;

 private:
  int writes_ = 0;
};

// Refuses to create files whose path ends as given.
class RefusingFiles : public ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  OpenResult Open(std::string_view path, OpenMode mode) override {
    if (!refused.empty() && mode == OpenMode::CreateAlways && path.ends_with(refused))
      return {nullptr, FileError::DiskFull};
    return ForwardingFileSystem::Open(path, mode);
  }
  std::string refused;
};

// A Windows 98 machine with SYSTEM.INI, an older R4.1 codec and no R3.2,
// and the three codecs on the disc's folder D:\Indeo\.
struct Rig {
  explicit Rig(const std::string& patch = "{}")
      : machine(MachineWith(patch)),
        files(machine->platform().files),
        registry(machine->platform().registry),
        platform{files, registry, machine->platform().system, machine->platform().shell, ui} {
    machine->WriteFile("C:\\WINDOWS\\SYSTEM.INI", kSystemIni);
    machine->WriteFile(std::string(kSystem) + "ir41_32.dll", kOldIndeo41);
    machine->WriteFile("D:\\Indeo\\IR41_32.DLL", ReadFixture("pe_version/ir41_32-4.11.15.91.dll"));
    machine->WriteFile("D:\\Indeo\\IR50_32.DLL", ReadFixture("pe_version/ir50_32-5.6.2.15.dll"));
    machine->WriteFile("D:\\Indeo\\IR32_32.DLL", kNewIndeo32);
    detection.installer_path = "D:\\Indeo\\";
  }

  std::int32_t Install(bool indeo5) {
    ComponentContext context{platform, detection, ui_state, &Numbered, [] { return std::string("Zephra"); }};
    return indeo5 ? InstallIndeo5(context) : InstallVfwIndeo(context);
  }

  std::string Value(const std::string& key, const char* name) {
    RegistryValue value;
    if (machine->platform().registry.QueryValue(RegistryRoot::LocalMachine, key, name, value) !=
        registry_status::kSuccess)
      return "<none>";
    return (value.type == RegistryType::String ? "" : "<not a string>") + value.data;
  }
  std::string Ini(const char* key) {
    return machine->platform().system.ProfileText("C:\\WINDOWS\\SYSTEM.INI", "drivers32", key, "<none>", 80);
  }
  // A file of the system directory, or of the Windows directory when named "\\".
  std::string File(const std::string& name) {
    const std::string path = name.starts_with("\\") ? "C:\\WINDOWS" + name : kSystem + name;
    return FileExists(machine->platform().files, path) ? machine->ReadFile(path) : "<none>";
  }

  std::unique_ptr<TestMachine> machine;
  RefusingFiles files;
  FailingRegistry registry;
  KeyedUi ui;
  Platform platform;
  DetectionProcessState detection;
  UiProcessState ui_state;
};

const char* const kVfwDrivers =
    "The following drivers will be installed:\n  *  Indeo\xAE video interactive 4.11.15.91\n"
    "Filename: ir41_32.dll\n *  Indeo\xAE video R3.2 version 3.24.15.03\nFilename: ir32_32.dll\n";
const char* const kIndeo5Drivers =
    "The following drivers will be installed:\n  *  Indeo\xAE video interactive 5.6.2.15\n"
    "Filename: ir50_32.dll\n *  Indeo\xAE video R4.1 version 4.11.15.91\nFilename: ir41_32.dll\n"
    " *  Indeo\xAE video R3.2 version 3.24.15.03\nFilename: ir32_32.dll\n";

struct Installer {
  const char* label;
  bool indeo5;
};
const Installer kInstallers[] = {{"VFW Indeo", false}, {"Indeo5", true}};

TEST(CodecInstallersTest, ASuccessCopiesRegistersAndTellsTwice) {
  for (const Installer& installer : kInstallers) {
    for (const bool return_down : {false, true}) {
      SCOPED_TRACE(std::string(installer.label) + (return_down ? ", Return down" : ""));
      Rig rig;
      rig.ui.return_down = return_down;
      ASSERT_EQ(rig.Install(installer.indeo5), 1);

      ASSERT_EQ(rig.ui.boxes.size(), 2u) << "the drivers list and the completion, nothing else";
      EXPECT_EQ(rig.ui.boxes[0].text, installer.indeo5 ? kIndeo5Drivers : kVfwDrivers);
      EXPECT_EQ(rig.ui.boxes[0].style, box::kIconAsterisk);
      EXPECT_EQ(rig.ui.boxes[1].text, "Indeo\xAE video interactive Setup is now complete");
      EXPECT_EQ(rig.ui.boxes[1].style, box::kOk);
      for (const auto& shown : rig.ui.boxes) EXPECT_EQ(shown.caption, "Zephra");
      EXPECT_EQ(rig.ui_state.return_key_armed, !return_down);

      EXPECT_EQ(rig.File("ir41_32.dll"), ReadFixture("pe_version/ir41_32-4.11.15.91.dll"));
      EXPECT_EQ(rig.File("ir32_32.dll"), kNewIndeo32);
      EXPECT_EQ(rig.File("ir50_32.dll"),
                installer.indeo5 ? ReadFixture("pe_version/ir50_32-5.6.2.15.dll") : "<none>");
      for (const char* backup : {"ir41_32.sav", "ir32_32.sav", "ir50_32.sav", "\\system.sav"})
        EXPECT_EQ(rig.File(backup), "<none>") << backup;

      EXPECT_EQ(rig.Ini("VIDC.IV41"), "ir41_32.dll");
      EXPECT_EQ(rig.Ini("VIDC.IV32"), "ir32_32.dll");
      EXPECT_EQ(rig.Ini("VIDC.IV50"), installer.indeo5 ? "ir50_32.dll" : "<none>");
      EXPECT_EQ(rig.Ini("msacm.imaadpcm"), "imaadp32.acm");
    }
  }
}

TEST(CodecInstallersTest, TheValuesAreStringsWithoutTheirTerminatingZero) {
  struct Row {
    const char* key;
    const char* name;
    const char* value;
    bool indeo5_only;
  };
  const Row rows[] = {
      {kKey50, "Description", "Indeo\xAE video interactive R5.06 by Intel", true},
      {kKey50, "Driver", "ir50_32.dll", true},
      {kKey50, "FriendlyName", "Indeo\xAE video interactive R5.06 by Intel", true},
      {kKey41, "Description", "Indeo\xAE video interactive R4.1 by Intel", false},
      {kKey41, "Driver", "ir41_32.dll", false},
      {kKey41, "FriendlyName", "Indeo\xAE video interactive R4.1 by Intel", false},
      {kKey32, "Description", "Indeo\xAE video R3.2 by Intel", false},
      {kKey32, "Driver", "ir32_32.dll", false},
      {kKey32, "FriendlyName", "Indeo\xAE video R3.2 by Intel", false},
  };
  for (const Installer& installer : kInstallers) {
    Rig rig;
    ASSERT_EQ(rig.Install(installer.indeo5), 1);
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(installer.label) + ": " + row.key + " " + row.name);
      EXPECT_EQ(rig.Value(row.key, row.name), row.indeo5_only && !installer.indeo5 ? "<none>" : row.value);
    }
  }
}

TEST(CodecInstallersTest, WithoutRoomOnTheWindowsDriveNothingChanges) {
  // 11,000 blocks free: the 10,240 kept free leave less than 1,796 and two clusters.
  const std::string patch =
      R"({"drives": [{"letter": "C", "type": "fixed", "label": "", "capacity": 1073741824,
                               "used": 1068109824}, {"letter": "D", "type": "cdrom", "label": "ZEPHRA"}]})";
  for (const Installer& installer : kInstallers) {
    SCOPED_TRACE(installer.label);
    Rig rig(patch);
    rig.ui.return_down = true;
    const MachineSnapshot before = TakeSnapshot(*rig.machine);
    EXPECT_EQ(rig.Install(installer.indeo5), 0);
    EXPECT_EQ(Differences(before, TakeSnapshot(*rig.machine)), std::vector<std::string>{});
    EXPECT_EQ(rig.ui.Texts(), std::vector<std::string>{"Not Enough HD Space to install Indeo\xAE"});
    EXPECT_EQ(rig.ui.boxes.at(0).style, box::kIconHand);
    EXPECT_FALSE(rig.ui_state.return_key_armed);
  }
}

TEST(CodecInstallersTest, ACopyFailurePutsEveryFileBack) {
  struct Row {
    const char* label;
    bool indeo5;
    const char* missing;  // the disc file that cannot be copied
  };
  const Row rows[] = {
      {"VFW Indeo, the first copy", false, "IR41_32.DLL"},
      {"VFW Indeo, the second copy, after the older R4.1 was replaced", false, "IR32_32.DLL"},
      {"Indeo5, the first copy", true, "IR50_32.DLL"},
      {"Indeo5, the second copy, after a codec that was not there before", true, "IR41_32.DLL"},
      {"Indeo5, the third copy", true, "IR32_32.DLL"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Rig rig;
    std::filesystem::remove(rig.machine->HostPath(std::string("D:\\Indeo\\") + row.missing));
    rig.ui.return_down = true;
    const MachineSnapshot before = TakeSnapshot(*rig.machine);

    EXPECT_EQ(rig.Install(row.indeo5), 0);

    EXPECT_EQ(Differences(before, TakeSnapshot(*rig.machine)), std::vector<std::string>{});
    std::vector<std::string> expected = {std::string("Impossible to copy D:\\Indeo\\") + row.missing +
                                         " to " + kSystem + row.missing};
    // One for SYSTEM.INI and one for each codec, whether it had a copy or not.
    expected.insert(expected.end(), row.indeo5 ? 4 : 3, kUnable);
    EXPECT_EQ(rig.ui.Texts(), expected);
    EXPECT_EQ(rig.ui.boxes.at(0).style, box::kOk);
    EXPECT_EQ(rig.ui.boxes.back().style, box::kIconHand);
    EXPECT_FALSE(rig.ui_state.return_key_armed);
  }
}

TEST(CodecInstallersTest, ARegistrationFailureStopsAtItsValueAndLeavesTheBackups) {
  const char* const tags_vfw[] = {"IV41", "IV32"};
  const char* const tags_indeo5[] = {"IV50", "IV41", "IV32"};
  const char* const ordinals[] = {"1st", "2nd", "3rd"};
  for (const Installer& installer : kInstallers) {
    const int values = installer.indeo5 ? 9 : 6;
    // Each value's write in turn, then the flush of the last.
    for (int row = 1; row <= values + 1; ++row) {
      const int fail_at = std::min(row, values);
      const bool flush = row > values;
      SCOPED_TRACE(std::string(installer.label) + ", value " + std::to_string(fail_at) +
                   (flush ? ", its flush" : ""));
      Rig rig;
      rig.registry.fail_at = fail_at;
      rig.registry.fail_flush = flush;
      EXPECT_EQ(rig.Install(installer.indeo5), 0);

      const char* tag = (installer.indeo5 ? tags_indeo5 : tags_vfw)[(fail_at - 1) / 3];
      EXPECT_EQ(rig.ui.Texts(),
                (std::vector<std::string>{installer.indeo5 ? kIndeo5Drivers : kVfwDrivers,
                                          std::string("Failed to make ") + ordinals[(fail_at - 1) % 3] + " " +
                                              tag + " registry entry!"}));
      EXPECT_EQ(rig.ui.boxes.back().style, box::kOk);
      EXPECT_EQ(rig.File("\\system.sav"), kSystemIni);
      EXPECT_EQ(rig.File("ir41_32.sav"), kOldIndeo41);
      EXPECT_EQ(rig.File("ir32_32.sav"), "<none>") << "there was nothing to back up";
      EXPECT_EQ(rig.File("ir32_32.dll"), kNewIndeo32);
      EXPECT_EQ(rig.Ini("VIDC.IV32"), "ir32_32.dll");
      // The values before the failing one are written, none after it;
      // a value whose flush failed was set.
      const std::vector<std::string> keys = installer.indeo5
                                                ? std::vector<std::string>{kKey50, kKey41, kKey32}
                                                : std::vector<std::string>{kKey41, kKey32};
      for (int i = 0; i < values; ++i) {
        const bool written = i + 1 < fail_at || (i + 1 == fail_at && flush);
        const char* names[] = {"Description", "Driver", "FriendlyName"};
        EXPECT_EQ(rig.Value(keys[i / 3], names[i % 3]) != "<none>", written) << "value " << i + 1;
      }
    }
  }
}

TEST(CodecInstallersTest, ASecondRunReplacesTheBackupsTheFirstLeft) {
  for (const Installer& installer : kInstallers) {
    SCOPED_TRACE(installer.label);
    Rig rig;
    rig.machine->WriteFile(std::string(kSystem) + "ir41_32.sav", "left by a run that failed to register");
    rig.machine->WriteFile("C:\\WINDOWS\\system.sav", "[old]\r\n");
    std::filesystem::remove(rig.machine->HostPath("D:\\Indeo\\IR32_32.DLL"));
    EXPECT_EQ(rig.Install(installer.indeo5), 0);
    EXPECT_EQ(rig.File("ir41_32.dll"), kOldIndeo41) << "this run's backup is put back, not the old one";
    EXPECT_EQ(rig.File("ir41_32.sav"), "<none>");
    EXPECT_EQ(rig.File("\\system.sav"), "<none>");
    EXPECT_EQ(rig.machine->ReadFile("C:\\WINDOWS\\SYSTEM.INI"), kSystemIni);

    Rig again;
    again.machine->WriteFile(std::string(kSystem) + "ir41_32.sav", "left by a run that failed to register");
    EXPECT_EQ(again.Install(installer.indeo5), 1);
    EXPECT_EQ(again.File("ir41_32.sav"), "<none>");
  }
}

TEST(CodecInstallersTest, ABackupThatCannotBeMadeStopsBeforeAnyChange) {
  for (const char* refused : {"system.sav", "ir41_32.sav"}) {
    SCOPED_TRACE(refused);
    Rig rig;
    rig.files.refused = refused;
    const MachineSnapshot before = TakeSnapshot(*rig.machine);
    EXPECT_EQ(rig.Install(false), 0);
    EXPECT_EQ(Differences(before, TakeSnapshot(*rig.machine)), std::vector<std::string>{});
    EXPECT_EQ(rig.ui.Texts(), std::vector<std::string>{kUnable});
  }
}

TEST(CodecInstallersTest, EverySoftwareTestHasAnInstaller) {
  auto machine = MachineWith("{}");
  Platform& platform = machine->platform();
  DetectionCatalogue catalogue;
  SystemVersion version{true, false, "4 . 10"};
  DetectionProcessState detection;
  UiProcessState ui_state;
  MachineProbes probes(platform, version, detection, {});
  BindProbes(catalogue, probes);
  ComponentContext context{platform, detection, ui_state, &Numbered, [] { return std::string("Zephra"); }};
  BindComponentInstallers(catalogue, context);
  for (const DetectionTest& test : catalogue.SoftwareTests()) {
    SCOPED_TRACE(test.name);
    EXPECT_TRUE(static_cast<bool>(test.action));
  }
  // Without a disc folder the codec installers cannot copy and say so.
  for (const char* name : {"VFW Indeo", "Indeo5"}) {
    SCOPED_TRACE(name);
    for (DetectionTest& test : catalogue.SoftwareTests())
      if (test.name == name) {
        EXPECT_EQ(test.action(), 0);
      }
  }
  EXPECT_NE(
      machine->Transcript().find("Impossible to copy IR50_32.DLL to C:\\\\WINDOWS\\\\SYSTEM\\\\IR50_32.DLL"),
      std::string::npos)
      << machine->Transcript();
}

}  // namespace
}  // namespace tvx::testing
