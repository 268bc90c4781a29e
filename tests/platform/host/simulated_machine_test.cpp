// The simulated machine: its folder, drives, registry file and processes.
#include "platform/host/simulated_machine.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/file_services.h"
#include "support/seam_files.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

std::string ProfileWith(const std::string& from, const std::string& to) {
  std::string profile = DefaultProfileJson();
  const auto at = profile.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return profile.replace(at, from.size(), to);
}

TEST(SimulatedMachineTest, BadProfilesAreRefusedWithOneLineAndNothingIsMade) {
  struct Row {
    const char* name;
    std::string profile;
    const char* said;
  };
  const Row rows[] = {
      {"not JSON", "{ \"os\": ", "not valid JSON"},
      {"no os", ProfileWith("\"os\"", "\"so\""), "os"},
      {"wrong type", ProfileWith("\"major\": 4", "\"major\": \"four\""), "major"},
      {"number out of range", ProfileWith("\"major\": 4", "\"major\": 1e300"), "major"},
      {"negative number", ProfileWith("\"capacity\": 1073741824", "\"capacity\": -1"), "capacity"},
      {"bad drive type", ProfileWith("\"cdrom\"", "\"floppy\""), "floppy"},
      {"bad letter", ProfileWith("\"letter\": \"D\"", "\"letter\": \"DD\""), "DD"},
      {"same letter twice", ProfileWith("\"letter\": \"D\"", "\"letter\": \"C\""), "twice"},
      // Regression: the error quoted the value with its line breaks.
      {"line break in a quoted value", ProfileWith("\"letter\": \"D\"", "\"letter\": \"D\\nE\""), "D?E"},
      {"windows on no drive", ProfileWith("\"C:\\\\WINDOWS\",", "\"Q:\\\\WINDOWS\","), "windows_directory"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TemporaryFolder folder;
    WriteHostText(folder.path() / "profile.json", row.profile);
    const std::string error = host::CreateMachine(folder.path() / "machine", folder.path() / "profile.json");
    EXPECT_NE(error.find(row.said), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(folder.path() / "machine"));
  }
}

TEST(SimulatedMachineTest, OpeningRefusesWhatIsNotAMachine) {
  TemporaryFolder folder;
  std::string error;
  EXPECT_FALSE(host::SimulatedMachine::Open(folder.path(), {}, error));
  EXPECT_NE(error.find("not a machine folder"), std::string::npos);

  TestMachine machine;
  host::RunOptions on_missing_drive;
  on_missing_drive.program_path = "Q:\\SetupTvx.exe";
  EXPECT_FALSE(host::SimulatedMachine::Open(machine.folder(), on_missing_drive, error));
  EXPECT_NE(error.find("not on a drive of this machine"), std::string::npos);

  WriteHostText(machine.folder() / "registry.reg", "garbage");
  EXPECT_FALSE(host::SimulatedMachine::Open(machine.folder(), {}, error));
  EXPECT_NE(error.find("REGEDIT4"), std::string::npos);

  // A line the machine could not keep would be lost at its first save.
  WriteHostText(machine.folder() / "registry.reg", "REGEDIT4\n\n[HKEY_USERS\\.DEFAULT]\n");
  EXPECT_FALSE(host::SimulatedMachine::Open(machine.folder(), {}, error));
  EXPECT_NE(error.find("registry.reg line 3: a key outside"), std::string::npos) << error;

  fs::remove(machine.folder() / "registry.reg");
  fs::create_directory(machine.folder() / "registry.reg");
  EXPECT_FALSE(host::SimulatedMachine::Open(machine.folder(), {}, error));
  EXPECT_NE(error.find("registry.reg: cannot be read"), std::string::npos) << error;
}

TEST(SimulatedMachineTest, AFreshMachineHasItsFoldersAndTheDisc) {
  TemporaryFolder disc;
  fs::create_directories(disc.path() / "InstData");
  WriteHostText(disc.path() / "InstData" / "tvx.ins", "APPLICATION NAME\n");
  TemporaryFolder place;
  ASSERT_EQ(host::CreateMachine(place.path() / "m", ExampleProfile("nt40-sp3"), disc.path()), "");

  std::string error;
  auto machine = host::SimulatedMachine::Open(place.path() / "m", {}, error);
  ASSERT_TRUE(machine) << error;
  FileSystem& files = machine->files();
  EXPECT_EQ(files.ModulePath(), "D:\\SetupTvx.exe");
  EXPECT_TRUE(IsDirectory(files, "C:\\WINNT\\system32"));
  EXPECT_TRUE(IsDirectory(files, machine->platform().shell.SpecialFolderPath(SpecialFolder::Startup)));
  EXPECT_TRUE(FileExists(files, "d:\\instdata\\TVX.INS"));
  EXPECT_EQ(files.VolumeLabel("D:\\"), "ZEPHRA");
  EXPECT_EQ(machine->platform().system.Version().service, "Service Pack 3");

  EXPECT_NE(host::CreateMachine(place.path() / "m", ExampleProfile("win98")), "");  // not empty
  EXPECT_NE(host::CreateMachine(place.path() / "n", ExampleProfile("win98"), place.path() / "none"), "");
  EXPECT_FALSE(fs::exists(place.path() / "n"));
}

TEST(SimulatedMachineTest, EveryExampleProfileMakesAMachine) {
  for (const char* name : {"win95-osr2", "win98", "nt40-sp3", "win2000", "modern-4tib", "nt351"}) {
    SCOPED_TRACE(name);
    TemporaryFolder place;
    EXPECT_EQ(host::CreateMachine(place.path() / "m", ExampleProfile(name)), "");
  }
}

TEST(SimulatedMachineTest, WritesPastTheCapacityFailAsAFullDisk) {
  TestMachine::Options options;
  options.profile_json =
      ProfileWith("\"capacity\": 1073741824, \"used\": 536870912", "\"capacity\": 1000000, \"used\": 999000");
  TestMachine machine(options);
  FileSystem& files = machine.platform().files;
  EXPECT_EQ(files.FreeSpace("C:\\")->free_bytes, 1000u);

  OpenResult opened = files.Open("C:\\big.bin", OpenMode::CreateAlways);
  ASSERT_TRUE(opened.file);
  EXPECT_EQ(opened.file->Write(std::string(600, 'a')), FileError::None);
  EXPECT_EQ(opened.file->Write(std::string(600, 'b')), FileError::DiskFull);
  EXPECT_EQ(opened.file->Length(), 1000u);  // what fitted reached the disk
  opened.file.reset();
  EXPECT_EQ(files.FreeSpace("C:\\")->free_bytes, 0u);

  ASSERT_EQ(files.RemoveFile("C:\\big.bin"), FileError::None);
  EXPECT_EQ(files.FreeSpace("C:\\")->free_bytes, 1000u);
}

// Chunks moved from another file are held back while they fit: the one
// that does not is still told at once, with what fitted on the disk.
TEST(SimulatedMachineTest, ChunksCopiedPastTheCapacityFailAsAFullDiskAtOnce) {
  TestMachine::Options options;
  options.profile_json =
      ProfileWith("\"capacity\": 1073741824, \"used\": 536870912", "\"capacity\": 1000000, \"used\": 800000");
  TestMachine machine(options);
  FileSystem& files = machine.platform().files;
  WriteFile(files, "C:\\source.bin", std::string(120000, 's'));
  OpenResult source = files.Open("C:\\source.bin", OpenMode::Read);
  OpenResult target = files.Open("C:\\target.bin", OpenMode::CreateAlways);
  ASSERT_TRUE(source.file && target.file);
  std::vector<char> buffer(25600);
  for (int chunk = 1; chunk <= 3; ++chunk) {
    SCOPED_TRACE(chunk);
    EXPECT_EQ(target.file->CopyFrom(*source.file, buffer).write_error, FileError::None);
  }
  EXPECT_EQ(target.file->CopyFrom(*source.file, buffer).write_error, FileError::DiskFull);
  EXPECT_EQ(target.file->Length(), 80000u);
  EXPECT_EQ(files.FreeSpace("C:\\")->free_bytes, 0u);
}

// A source cut short after its chunks were counted: the copy fails rather
// than end short and be called whole.
TEST(SimulatedMachineTest, ACopyFromASourceThatShrankFails) {
  TestMachine machine;
  FileSystem& files = machine.platform().files;
  WriteFile(files, "C:\\source.bin", std::string(200000, 's'));
  OpenResult source = files.Open("C:\\source.bin", OpenMode::Read);
  OpenResult target = files.Open("C:\\target.bin", OpenMode::CreateAlways);
  ASSERT_TRUE(source.file && target.file);
  std::vector<char> buffer(25600);
  for (int chunk = 1; chunk <= 3; ++chunk)
    ASSERT_EQ(target.file->CopyFrom(*source.file, buffer).count, 25600u);
  fs::resize_file(machine.folder() / "drives" / "c" / "source.bin", 30000);
  EXPECT_NE(target.file->Finish(), FileError::None);
}

TEST(SimulatedMachineTest, AFourTebibyteDiskReportsItsSpaceIn64Bits) {
  TestMachine::Options options;
  options.profile_file = ExampleProfile("modern-4tib");
  TestMachine machine(options);
  const auto space = machine.platform().files.FreeSpace("C:\\");
  ASSERT_TRUE(space);
  EXPECT_EQ(space->total_bytes, 4ull << 40);
  EXPECT_GE(space->free_bytes, 3ull << 40);
}

TEST(SimulatedMachineTest, TheDiscIsReadOnlyAndAnEmptyDriveIsNotReady) {
  TestMachine::Options options;
  options.profile_json = ProfileWith("{\"letter\": \"D\", \"type\": \"cdrom\", \"label\": \"ZEPHRA\"}",
                                     "{\"letter\": \"D\", \"type\": \"cdrom\", \"label\": \"ZEPHRA\"},"
                                     "{\"letter\": \"E\", \"type\": \"cdrom\", \"has_media\": false}");
  TestMachine machine(options);
  FileSystem& files = machine.platform().files;
  EXPECT_EQ(files.Open("D:\\new.txt", OpenMode::CreateAlways).error, FileError::AccessDenied);
  EXPECT_EQ(files.MakeDirectory("D:\\dir"), FileError::AccessDenied);
  EXPECT_EQ(files.DriveKind("E:\\"), DriveType::CdRom);
  EXPECT_FALSE(files.VolumeLabel("E:\\"));
  EXPECT_EQ(files.Open("E:\\x", OpenMode::Read).error, FileError::PathNotFound);
  EXPECT_EQ(files.LogicalDrives(), (std::vector<std::string>{"C:\\", "D:\\", "E:\\"}));
}

TEST(SimulatedMachineTest, NamesKeepTheCaseTheyWereCreatedWith) {
  TestMachine machine;
  FileSystem& files = machine.platform().files;
  ASSERT_EQ(files.MakeDirectory("C:\\Tarvex"), FileError::None);
  ASSERT_TRUE(files.Open("C:\\TARVEX\\Tvx.Ini", OpenMode::CreateAlways).file);
  EXPECT_TRUE(fs::exists(machine.folder() / "drives" / "c" / "Tarvex" / "Tvx.Ini"));
  EXPECT_EQ(files.Find("c:\\tarvex\\*.ini").entries.at(0).name, "Tvx.Ini");
}

TEST(SimulatedMachineTest, TheRegistryLastsAcrossRunsAndNeedsRightsOnNt) {
  TestMachine machine;
  Registry& registry = machine.platform().registry;
  ASSERT_EQ(registry.CreateKey(RegistryRoot::LocalMachine, "Software\\Tarvex"), registry_status::kSuccess);
  ASSERT_EQ(
      registry.SetValue(RegistryRoot::LocalMachine, "Software\\Tarvex", "V", RegistryValue::String("1")),
      registry_status::kSuccess);
  EXPECT_NE(ReadHostText(machine.folder() / "registry.reg").find("\"V\"=\"1\""), std::string::npos);

  auto later = machine.Open();
  RegistryValue value;
  EXPECT_EQ(later->platform().registry.QueryValue(RegistryRoot::LocalMachine, "software\\tarvex", "v", value),
            registry_status::kSuccess);

  TestMachine::Options options;
  options.profile_json = ProfileWith("\"platform\": 1, \"major\": 4, \"minor\": 10",
                                     "\"platform\": 2, \"major\": 4, \"minor\": 0");
  options.profile_json.insert(1, "\"administrator\": false,");
  TestMachine user(options);
  Registry& denied = user.platform().registry;
  EXPECT_EQ(denied.CreateKey(RegistryRoot::LocalMachine, "Software\\Tarvex"), registry_status::kAccessDenied);
  EXPECT_EQ(denied.CreateKey(RegistryRoot::CurrentUser, "Software\\Tarvex"), registry_status::kSuccess);
}

TEST(SimulatedMachineTest, MutexesHoldAcrossOpeningsOfTheSameMachine) {
  TestMachine machine;
  MutexResult first = machine.platform().shell.CreateNamedMutex("SetupTvx.exe");
  ASSERT_FALSE(first.already_existed);
  auto other_process = machine.Open();
  EXPECT_TRUE(other_process->platform().shell.CreateNamedMutex("SetupTvx.exe").already_existed);
  first.handle.reset();
  EXPECT_FALSE(other_process->platform().shell.CreateNamedMutex("SetupTvx.exe").already_existed);
}

TEST(SimulatedMachineTest, RunningProgramsAreBroughtToTheFrontByFileName) {
  TestMachine::Options options;
  options.profile_json = DefaultProfileJson();
  options.profile_json.insert(
      1,
      "\"processes\": [{\"executable\": \"C:\\\\Games\\\\Zephra.EXE\", \"window\": \"Zephra\"},"
      "{\"executable\": \"C:\\\\Tools\\\\zephra.exe\"}],");
  TestMachine machine(options);
  Shell& shell = machine.platform().shell;
  EXPECT_TRUE(shell.BringProcessWindowToFront("ZEPHRA.exe"));
  EXPECT_FALSE(shell.BringProcessWindowToFront("ZEPHRA"));
  EXPECT_FALSE(shell.BringProcessWindowToFront("Games\\Zephra.EXE"));
  // The second process has no window: found, nothing raised.
  EXPECT_EQ(machine.Journal(), "front Zephra\n");
}

TEST(SimulatedMachineTest, DocumentsAreJournalled) {
  TestMachine machine;
  EXPECT_TRUE(machine.platform().shell.OpenDocument("http://www.example.invalid/zephra"));
  EXPECT_EQ(machine.Journal(), "open http://www.example.invalid/zephra\n");
}

// Pins a fault: a line break in a command line's address made a journal
// line of its own, which could pass for something the machine did.
TEST(SimulatedMachineTest, JournalDetailsAreEscapedAsTranscriptTextsAre) {
  TestMachine machine;
  EXPECT_TRUE(machine.platform().shell.OpenDocument("http://a/\nfront Forged\r\t\"C:\\x\"\x01"));
  EXPECT_EQ(machine.Journal(), "open http://a/\\nfront Forged\\r\\t\\\"C:\\\\x\\\"\\x01\n");
  EXPECT_TRUE(machine.machine().faults().list().empty());
}

TEST(SimulatedMachineTest, AJournalThatCannotBeWrittenIsTheMachinesFault) {
  TestMachine machine;
  fs::create_directory(machine.folder() / "journal.log");
  machine.platform().shell.OpenDocument("http://a/");
  machine.platform().shell.OpenDocument("http://b/");
  EXPECT_EQ(
      machine.machine().faults().list(),
      std::vector<std::string>{"cannot write the journal " + (machine.folder() / "journal.log").string()});
}

}  // namespace
}  // namespace tvx::testing
