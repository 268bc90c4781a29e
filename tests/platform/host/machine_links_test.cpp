// The simulated machine is a sandbox: no symbolic link placed in it, and
// none on a disc it is made with, leads a run outside its folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>

#include "platform/file_services.h"
#include "platform/host/atomic_file.h"
#include "registry/product_registry_file.h"
#include "support/test_machine.h"

namespace tvx::testing {
namespace {

namespace fs = std::filesystem;

// Every file and its text under a folder, links left as links.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> seen;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    seen[name] = entry.is_symlink()        ? "link to " + fs::read_symlink(entry.path()).string()
                 : entry.is_regular_file() ? ReadHostText(entry.path())
                                           : "folder";
  }
  return seen;
}

class MachineLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteHostText(outside_.path() / "victim.txt", "outside");
    fs::create_directories(outside_.path() / "folder");
    WriteHostText(drive_c() / "real.txt", "inside");
    fs::create_symlink(outside_.path() / "victim.txt", drive_c() / "file-link");
    fs::create_symlink(outside_.path() / "folder", drive_c() / "folder-link");
    fs::create_symlink(outside_.path() / "made-by-a-link", drive_c() / "dangling");
    before_ = Snapshot(outside_.path());
  }

  fs::path drive_c() const { return machine_.folder() / "drives" / "c"; }
  FileSystem& files() { return machine_.platform().files; }

  TemporaryFolder outside_;
  TestMachine machine_;
  std::map<std::string, std::string> before_;
};

TEST_F(MachineLinksTest, EveryOperationOnOrThroughALinkIsDenied) {
  struct Row {
    const char* name;
    std::function<FileError()> operation;
  };
  FileSystem& f = files();
  const Row rows[] = {
      {"read", [&] { return f.Open("C:\\file-link", OpenMode::Read).error; }},
      {"overwrite", [&] { return f.Open("C:\\FILE-LINK", OpenMode::CreateAlways).error; }},
      {"append", [&] { return f.Open("C:\\file-link", OpenMode::OpenAlways).error; }},
      {"create through a dangling link",
       [&] { return f.Open("C:\\dangling", OpenMode::CreateAlways).error; }},
      {"create in a linked folder",
       [&] { return f.Open("C:\\folder-link\\new.txt", OpenMode::CreateAlways).error; }},
      {"read-only bit", [&] { return f.SetAttributes("C:\\file-link", attribute::kReadOnly); }},
      {"make a folder there", [&] { return f.MakeDirectory("C:\\dangling"); }},
      {"make a folder in it", [&] { return f.MakeDirectory("C:\\folder-link\\sub"); }},
      {"remove", [&] { return f.RemoveFile("C:\\file-link"); }},
      {"remove a linked folder", [&] { return f.RemoveEmptyDirectory("C:\\folder-link"); }},
      {"rename onto", [&] { return f.Rename("C:\\real.txt", "C:\\file-link", true); }},
      {"rename away", [&] { return f.Rename("C:\\file-link", "C:\\moved", false); }},
      {"rename into a linked folder",
       [&] { return f.Rename("C:\\real.txt", "C:\\folder-link\\r.txt", false); }},
      {"change into", [&] { return f.ChangeDirectory("C:\\folder-link"); }},
      {"find in", [&] { return f.Find("C:\\folder-link\\*").error; }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.operation(), FileError::AccessDenied);
  }
  EXPECT_FALSE(f.Attributes("C:\\file-link"));
  EXPECT_EQ(Snapshot(outside_.path()), before_);
  EXPECT_TRUE(fs::is_symlink(drive_c() / "file-link"));
  EXPECT_EQ(ReadHostText(drive_c() / "real.txt"), "inside");
}

TEST_F(MachineLinksTest, FindingFilesLeavesLinksOut) {
  const FindResult found = files().Find("C:\\*");
  std::vector<std::string> names;
  for (const FindEntry& entry : found.entries) names.push_back(entry.name);
  EXPECT_EQ(std::count(names.begin(), names.end(), "real.txt"), 1);
  for (const char* link : {"file-link", "folder-link", "dangling"}) {
    SCOPED_TRACE(link);
    EXPECT_EQ(std::count(names.begin(), names.end(), link), 0);
  }
}

TEST_F(MachineLinksTest, APipeOnTheDriveCannotBeReached) {
  // Opened for reading only, a pipe would wait for a writer forever; this
  // test opens it for both so that it cannot hang.
  ASSERT_EQ(::mkfifo((drive_c() / "pipe").c_str(), 0644), 0);
  EXPECT_EQ(files().Open("C:\\pipe", OpenMode::OpenAlways).error, FileError::AccessDenied);
  EXPECT_EQ(files().Find("C:\\pipe").error, FileError::NotFound);
}

TEST_F(MachineLinksTest, TheDrivesFreeSpaceLeavesWhatALinkPointsAtOut) {
  WriteHostText(outside_.path() / "victim.txt", std::string(100000, 'x'));
  const std::uint64_t free = files().FreeSpace("C:\\")->free_bytes;
  fs::remove(drive_c() / "file-link");
  EXPECT_EQ(files().FreeSpace("C:\\")->free_bytes, free);
}

// Regression: a link named tvx.tmp in the common folder made a save of
// tvx.ini write through it, outside the machine.
TEST_F(MachineLinksTest, ASaveOfTheProductRegistryNeverWritesThroughALinkedTemporaryFile) {
  ASSERT_TRUE(CreateDirectoryChain(files(), "C:\\WINDOWS\\Tarvex"));
  const fs::path tarvex = machine_.HostPath("C:\\WINDOWS\\Tarvex");
  WriteHostText(tarvex / "tvx.ini", "[SYSTEM]\r\nCD ROM Speed=8\r\n");
  fs::create_symlink(outside_.path() / "victim.txt", tarvex / "tvx.tmp");
  RegistryProcessState state;
  {
    ProductRegistryFile registry(files(), state);
    EXPECT_EQ(registry.WriteSystemLong("CD ROM Speed", 24), kWriteStored);
    EXPECT_FALSE(registry.Save());
  }
  EXPECT_EQ(Snapshot(outside_.path()), before_);
  EXPECT_EQ(ReadHostText(tarvex / "tvx.ini"), "[SYSTEM]\r\nCD ROM Speed=8\r\n");
  EXPECT_TRUE(fs::is_symlink(tarvex / "tvx.tmp"));
}

TEST_F(MachineLinksTest, AWholeFileReplacementReplacesALinkAndNeverWritesThroughOne) {
  const fs::path target = machine_.folder() / "registry.reg";
  fs::create_symlink(outside_.path() / "victim.txt", target.string() + ".tmp" + std::to_string(::getpid()));
  ASSERT_TRUE(host::WriteFileAtomically(target, "REGEDIT4\n"));
  EXPECT_EQ(ReadHostText(target), "REGEDIT4\n");
  EXPECT_EQ(Snapshot(outside_.path()), before_);
}

TEST_F(MachineLinksTest, AMutexLockFileIsNotMadeThroughALink) {
  fs::create_directories(machine_.folder() / "mutexes");
  fs::create_symlink(outside_.path() / "made-by-a-lock", machine_.folder() / "mutexes" / "Zephra.lock");
  machine_.platform().shell.CreateNamedMutex("Zephra");
  EXPECT_EQ(Snapshot(outside_.path()), before_);
}

TEST(MachineOwnLinksTest, AMachineWhoseOwnFilesAreLinksIsRefusedNamingThem) {
  for (const char* name :
       {"machine.json", "registry.reg", "journal.log", "transcript.log", "mutexes", "drives", "drives/c"}) {
    SCOPED_TRACE(name);
    TestMachine machine;
    TemporaryFolder outside;
    const fs::path own = machine.folder() / name;
    if (fs::exists(own)) fs::rename(own, outside.path() / "moved");
    fs::create_symlink(outside.path() / "moved", own);
    std::string error;
    EXPECT_FALSE(host::SimulatedMachine::Open(machine.folder(), {}, error));
    EXPECT_NE(error.find(own.string() + " is a symbolic link"), std::string::npos) << error;
  }
}

// Every entry of a folder, its own name first: nothing made aside is left.
std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(MachineDiscLinksTest, ADiscHoldingALinkIsRefusedAndNothingIsMade) {
  struct Row {
    const char* name;
    std::function<void(const fs::path& disc, const fs::path& outside)> plant;
    const char* said;
  };
  const Row rows[] = {
      {"link to a file outside",
       [](const fs::path& disc, const fs::path& outside) {
         fs::create_symlink(outside / "secret.txt", disc / "InstData" / "secret.txt");
       },
       "symbolic link"},
      // Regression: copying followed the loop until the path grew too
      // long, and left a machine made halfway.
      {"loop",
       [](const fs::path& disc, const fs::path&) { fs::create_symlink("..", disc / "InstData" / "loop"); },
       "symbolic link"},
      {"pipe",
       [](const fs::path& disc, const fs::path&) { ::mkfifo((disc / "InstData" / "pipe").c_str(), 0644); },
       "neither a file nor a folder"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TemporaryFolder disc;
    TemporaryFolder outside;
    TemporaryFolder place;
    WriteHostText(outside.path() / "secret.txt", "secret");
    fs::create_directories(disc.path() / "InstData");
    WriteHostText(disc.path() / "InstData" / "tvx.ins", "APPLICATION NAME\n");
    row.plant(disc.path(), outside.path());
    WriteHostText(place.path() / "profile.json", DefaultProfileJson());
    const std::string error =
        host::CreateMachine(place.path() / "m", place.path() / "profile.json", disc.path());
    EXPECT_NE(error.find(row.said), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(Entries(place.path()), std::vector<std::string>{"profile.json"});
  }
}

// Regression: a failure after the machine folder was made left it made
// halfway.
TEST(MachineDiscLinksTest, AMachineThatCannotBeFinishedLeavesNothing) {
  TemporaryFolder place;
  std::string profile = DefaultProfileJson();
  profile.insert(profile.rfind('}'), ", \"files\": [\"C:\\\\bad|name.txt\"]");
  WriteHostText(place.path() / "profile.json", profile);
  const std::string error = host::CreateMachine(place.path() / "m", place.path() / "profile.json");
  EXPECT_NE(error.find("bad|name"), std::string::npos) << error;
  EXPECT_EQ(Entries(place.path()), std::vector<std::string>{"profile.json"});
}

}  // namespace
}  // namespace tvx::testing
