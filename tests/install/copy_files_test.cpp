// The copy loop on a simulated machine: where items land, the chunks and
// messages, stopping on request, and every failure ending the copy.
#include <gtest/gtest.h>

#include "install/copy_rig.h"
#include "install/progress_box.h"

namespace tvx::testing {
namespace {

using Kind = FileFault::Kind;

// Bytes that show where each one came from.
std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>('a' + (i * 7 + i / 512) % 26);
  return bytes;
}

constexpr std::size_t kChunk = 25600;

TEST(CopyFilesTest, AListOfFoldersOnlyMakesThemWithoutPainting) {
  CopyRig rig;
  const CopyOutcome outcome = rig.Run(ListOf({FolderItem("Saves\\"), FolderItem("Data\\Maps\\")}));
  EXPECT_EQ(outcome.code, CopyOutcome::kDone);
  EXPECT_TRUE(rig.Exists("C:\\Games\\Zephra\\Saves"));
  EXPECT_TRUE(rig.Exists("C:\\Games\\Zephra\\Data\\Maps"));
  EXPECT_EQ(rig.box().drawing(), nullptr);
  EXPECT_TRUE(rig.box().lines().empty());
  EXPECT_EQ(rig.ui().dispatched, 0);
}

TEST(CopyFilesTest, EachItemLandsWhereItsDestinationSays) {
  CopyItem renamed = FileItem("README.TXT", "Docs\\");
  renamed.destination_name = "LISEZMOI.TXT";
  struct Row {
    const char* label;
    CopyItem item;
    const char* source;
    const char* destination;
  } rows[] = {
      {"install directory", FileItem("GAME.EXE", ""), "D:\\GAME.EXE", "C:\\Games\\Zephra\\GAME.EXE"},
      {"sub-folders both sides", FileItem("MAP.DAT", "Data\\", 0, "\\Maps\\"), "D:\\Maps\\MAP.DAT",
       "C:\\Games\\Zephra\\Data\\MAP.DAT"},
      {"renamed", renamed, "D:\\README.TXT", "C:\\Games\\Zephra\\Docs\\LISEZMOI.TXT"},
      {"system folder macro in small letters", FileItem("HELPER.OCX", "*windowssystem*\\"), "D:\\HELPER.OCX",
       "C:\\WINDOWS\\SYSTEM\\HELPER.OCX"},
      {"font folder as it stands", FontItem("FACE.TTF", ""), "D:\\Fonts\\FACE.TTF",
       "C:\\WINDOWS\\FONTS\\FACE.TTF"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CopyRig rig;
    rig.Put(row.source, Pattern(3000));
    EXPECT_EQ(rig.Run(ListOf({row.item})).code, CopyOutcome::kDone);
    EXPECT_EQ(rig.Read(row.destination), Pattern(3000));
    ASSERT_FALSE(rig.box().lines().empty());
    EXPECT_EQ(rig.box().lines()[0].text, row.source);
    EXPECT_EQ(rig.box().lines()[1].text, row.destination);
  }
}

TEST(CopyFilesTest, AFileIsCopiedInChunksWithOneMessageLetThroughEach) {
  CopyRig rig;
  const std::string bytes = Pattern(3 * kChunk + 100);
  rig.Put("D:\\BIG.DAT", bytes);
  EXPECT_EQ(rig.Run(ListOf({FileItem("BIG.DAT", "")})).code, CopyOutcome::kDone);
  EXPECT_EQ(rig.Read("C:\\Games\\Zephra\\BIG.DAT"), bytes);
  EXPECT_EQ(rig.files().ReadsOf("D:\\BIG.DAT"), 4);
  EXPECT_EQ(rig.ui().dispatched, 4);
}

// 100 chunks of 50 blocks: the file bar moves one percent a chunk; the
// script states twice the size, so the total bar moves one every two.
TEST(CopyFilesTest, EachBarIsDrawnAgainOnlyWhenItsPercentChanges) {
  CopyRig rig;
  rig.PutSized("D:\\BIG.DAT", 100 * kChunk);
  EXPECT_EQ(rig.Run(ListOf({FileItem("BIG.DAT", "", 10000)})).code, CopyOutcome::kDone);
  EXPECT_EQ(rig.ui().dispatched, 100);
  const int right = rig.box().state().control(ProgressBox::kFileGroup).rect.width() + 5;
  EXPECT_EQ(rig.box().FillsOf({35, 140, right, 141}), 100);  // the top edge of the file bar
  EXPECT_EQ(rig.box().FillsOf({35, 200, right, 201}), 51);   // 0 % to 50 %
}

TEST(CopyFilesTest, TheLastPercentsHoldAcrossFiles) {
  CopyRig rig;
  rig.Put("D:\\A.DAT", Pattern(1000));
  rig.Put("D:\\B.DAT", Pattern(1000));
  EXPECT_EQ(rig.Run(ListOf({FileItem("A.DAT", "", 2), FileItem("B.DAT", "", 2)})).code, CopyOutcome::kDone);
  const int right = rig.box().state().control(ProgressBox::kFileGroup).rect.width() + 5;
  // Both files go from nothing to 100 % in one chunk: the file bar is drawn once.
  EXPECT_EQ(rig.box().FillsOf({35, 140, right, 141}), 1);
  EXPECT_EQ(rig.box().FillsOf({35, 200, right, 201}), 2);
}

TEST(CopyFilesTest, F4OrAbortStopsTheCopyAtTheNextChunk) {
  struct Row {
    const char* label;
    int f4_at;
    int abort_at;
    bool f4_before_copy;
    int code;
    int reads;
  } rows[] = {
      {"F4 after the second chunk", 2, 0, false, CopyOutcome::kFailed, 2},
      {"Abort pressed at the third chunk", 0, 3, false, CopyOutcome::kFailed, 3},
      {"F4 pressed before the copy began", 0, 0, true, CopyOutcome::kDone, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CopyRig rig;
    rig.Put("D:\\BIG.DAT", Pattern(5 * kChunk));
    rig.Put("D:\\NEXT.DAT", Pattern(10));
    rig.ui().f4_at = row.f4_at;
    rig.ui().abort_at = row.abort_at;
    rig.ui().f4_before_copy = row.f4_before_copy;
    EXPECT_EQ(rig.Run(ListOf({FileItem("BIG.DAT", ""), FileItem("NEXT.DAT", "")})).code, row.code);
    EXPECT_EQ(rig.files().ReadsOf("D:\\BIG.DAT"), row.reads);
    EXPECT_EQ(rig.Exists("C:\\Games\\Zephra\\NEXT.DAT"), row.code == CopyOutcome::kDone);
    EXPECT_TRUE(rig.ui().boxes.empty());
  }
}

// Regression: any failure but a full disk or a hardware error was ignored,
// and a source that shrank after it was measured never reached its size:
// the copy spun for ever. Each now ends the copy, the full disk alone with
// its message.
TEST(CopyFilesTest, EveryChunkFailureEndsTheCopy) {
  struct Row {
    const char* label;
    const char* path;
    FileFault fault;
    std::vector<std::string> boxes;
  } rows[] = {
      {"disk full while writing",
       "C:\\Games\\Zephra\\BIG.DAT",
       {Kind::WriteError, 3, FileError::DiskFull},
       {"text 183"}},
      {"hardware error while reading", "D:\\BIG.DAT", {Kind::ReadError, 2, FileError::IoError}, {}},
      {"read refused", "D:\\BIG.DAT", {Kind::ReadError, 2, FileError::AccessDenied}, {}},
      {"source shrank after two chunks", "D:\\BIG.DAT", {Kind::Shrink, 2, FileError::None}, {}},
      {"write refused", "C:\\Games\\Zephra\\BIG.DAT", {Kind::WriteError, 2, FileError::AccessDenied}, {}},
      {"disk full on the bytes held back",
       "C:\\Games\\Zephra\\BIG.DAT",
       {Kind::FinishError, 1, FileError::DiskFull},
       {"text 183"}},
      {"hardware error on the bytes held back",
       "C:\\Games\\Zephra\\BIG.DAT",
       {Kind::FinishError, 1, FileError::IoError},
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CopyRig rig;
    rig.ui().runaway_bound = 50;
    rig.Put("D:\\BIG.DAT", Pattern(5 * kChunk));
    rig.Put("D:\\NEXT.DAT", Pattern(10));
    rig.files().Plan(row.path, row.fault);
    const CopyOutcome outcome = rig.Run(ListOf({FileItem("BIG.DAT", ""), FileItem("NEXT.DAT", "")}));
    EXPECT_EQ(outcome.code, CopyOutcome::kFailed);
    EXPECT_EQ(outcome.disk_full_reported, !row.boxes.empty());
    EXPECT_EQ(rig.ui().boxes, row.boxes);
    EXPECT_FALSE(rig.Exists("C:\\Games\\Zephra\\NEXT.DAT"));
  }
}

// Where the drive fills: the first chunk, the last bytes, a chunk between;
// a backend that gathers writes must still report it for this file.
TEST(CopyFilesTest, AFullDriveIsReportedOnceWithString183) {
  struct Row {
    const char* label;
    std::size_t chunks;
    std::uint64_t room;  // bytes left on C:
  } rows[] = {
      {"first chunk", 3, 100},
      {"last bytes", 3, kChunk + 100},
      {"a chunk between", 40, 30 * kChunk},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CopyRig rig;
    const std::uint64_t free_bytes = rig.platform().files.FreeSpace("C:\\")->free_bytes;
    rig.PutSized("C:\\filler.bin", free_bytes - row.room);
    rig.Put("D:\\BIG.DAT", Pattern(row.chunks * kChunk));
    const CopyOutcome outcome = rig.Run(ListOf({FileItem("BIG.DAT", "")}));
    EXPECT_EQ(outcome.code, CopyOutcome::kFailed);
    EXPECT_TRUE(outcome.disk_full_reported);
    EXPECT_EQ(rig.ui().boxes, std::vector<std::string>{"text 183"});
    EXPECT_NE(rig.machine().Transcript().find("caption=\"SetupTvx\" text=\"text 183\""), std::string::npos);
    EXPECT_FALSE(rig.Exists("C:\\Games\\Zephra\\BIG.DAT"));
  }
}

TEST(CopyFilesTest, ItemsThatCannotBeCopiedSayWhy) {
  struct Row {
    const char* label;
    CopyItem item;
    std::string box;
  } rows[] = {
      {"missing source", FileItem("GONE.DAT", ""),
       "Can't copy D:\\GONE.DAT to C:\\Games\\Zephra\\GONE.DAT!!"},
      {"missing font", FontItem("GONE.TTF", "Gone"), "FileLen(D:\\Fonts\\GONE.TTF)=0 !!"},
      {"a folder above the install directory", FileItem("EVIL.DAT", "..\\..\\WINDOWS\\"),
       "Can't copy D:\\EVIL.DAT to C:\\Games\\Zephra\\..\\..\\WINDOWS\\EVIL.DAT!!"},
      {"a name above the system directory", FileItem("..\\EVIL.DLL", "*SharedDll*\\"),
       "Can't copy D:\\..\\EVIL.DLL to C:\\WINDOWS\\SYSTEM\\..\\EVIL.DLL!!"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CopyRig rig;
    rig.Put("D:\\EVIL.DAT", "evil");
    rig.Put("D:\\EVIL.DLL", "evil");
    EXPECT_EQ(rig.Run(ListOf({row.item})).code, CopyOutcome::kFailed);
    EXPECT_EQ(rig.ui().boxes, std::vector<std::string>{row.box});
    EXPECT_FALSE(rig.Exists("C:\\WINDOWS\\EVIL.DAT"));
    EXPECT_FALSE(rig.Exists("C:\\WINDOWS\\EVIL.DLL"));
  }
}

// Regression: the destination was truncated before the missing source was
// noticed, so an installed file was emptied by a copy that then failed.
TEST(CopyFilesTest, AMissingSourceLeavesTheInstalledFileWhole) {
  CopyRig rig;
  rig.Put("C:\\WINDOWS\\SYSTEM\\KEEP.DLL", "installed library");
  EXPECT_EQ(rig.Run(ListOf({FileItem("KEEP.DLL", "*SharedDll*\\")})).code, CopyOutcome::kFailed);
  EXPECT_EQ(rig.Read("C:\\WINDOWS\\SYSTEM\\KEEP.DLL"), "installed library");
}

// An empty file is a file: it installs. Only a source that cannot be read
// stops the installation with "FileLen(".
TEST(CopyFilesTest, AnEmptyFileInstallsAsAnEmptyFile) {
  CopyRig rig;
  rig.Put("D:\\EMPTY.CFG", "");
  rig.Put("D:\\NEXT.DAT", Pattern(10));
  EXPECT_EQ(rig.Run(ListOf({FileItem("EMPTY.CFG", ""), FileItem("NEXT.DAT", "")})).code, CopyOutcome::kDone);
  EXPECT_TRUE(rig.Exists("C:\\Games\\Zephra\\EMPTY.CFG"));
  EXPECT_EQ(rig.Read("C:\\Games\\Zephra\\EMPTY.CFG"), "");
  EXPECT_EQ(rig.Read("C:\\Games\\Zephra\\NEXT.DAT"), Pattern(10));
  EXPECT_TRUE(rig.ui().boxes.empty());
}

// Regression: a list whose stated total is 0 divided by it.
TEST(CopyFilesTest, AListWithoutStatedSizesShowsItsTotalAsDone) {
  CopyRig rig;
  rig.Put("D:\\A.DAT", Pattern(3 * kChunk));
  EXPECT_EQ(rig.Run(ListOf({FileItem("A.DAT", "", 0)})).code, CopyOutcome::kDone);
  const auto& lines = rig.box().lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().text, "100%");
}

}  // namespace
}  // namespace tvx::testing

namespace tvx::testing {
namespace {

// The simulated machine's own pump: the answer script's lines for the open
// progress box are its messages, one a chunk.
TEST(CopyFilesTest, AnAnswerScriptStopsTheCopyFromTheProgressBox) {
  struct Row {
    const char* label;
    const char* answers;
    int code;  // with every line used: the copy stopped at the line's chunk
  } rows[] = {
      {"Abort pressed at the second chunk", "dialog 103 type 1003 \"\"\ndialog 103 press 1002\n",
       CopyOutcome::kFailed},
      {"F4 pressed at the first chunk", "dialog 103 key 115\n", CopyOutcome::kFailed},
      {"no answer for the box", "", CopyOutcome::kDone},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TestMachine::Options options;
    options.answers = row.answers;
    TestMachine machine(options);
    Platform& platform = machine.platform();
    machine.WriteFile("D:\\BIG.DAT", Pattern(4 * kChunk));
    CopyItemList list;
    list.Add(FileItem("BIG.DAT", ""));
    CopyRequest request{platform, [](int number) { return "text " + std::to_string(number); },
                        CopyPlaces{"D:", kGameDirectory, "C:\\WINDOWS\\SYSTEM"}};
    EXPECT_EQ(CopyFiles(request, list).code, row.code);
    // A stopped copy leaves no part of its file behind.
    EXPECT_EQ(machine.ReadFile("C:\\Games\\Zephra\\BIG.DAT").size(),
              row.code == CopyOutcome::kDone ? 4 * kChunk : 0);
    EXPECT_TRUE(machine.machine().ui().AnswerProblems().empty());
  }
}

}  // namespace
}  // namespace tvx::testing
