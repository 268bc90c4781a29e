// The file-system primitives of the seam, on both backends.
#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "platform/contract/contract_backend.h"
#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx::testing {
namespace {

class FileSystemTest : public SeamTest {
 protected:
  std::set<std::string> FoundNames(const std::string& pattern) {
    std::set<std::string> names;
    for (const FindEntry& entry : files().Find(pattern).entries) names.insert(AsciiLower(entry.name));
    return names;
  }
};

TEST_F(FileSystemTest, WrittenBytesReadBackWithSeekSkipAndLength) {
  WriteFile(files(), At("data.bin"), std::string("0123456789\0\r\n\xFF", 14));
  OpenResult opened = files().Open(At("data.bin"), OpenMode::Read);
  ASSERT_TRUE(opened.file);
  File& file = *opened.file;
  EXPECT_EQ(file.Length(), 14u);

  char buffer[4];
  ASSERT_TRUE(file.Seek(3));
  EXPECT_EQ(file.Read(buffer).count, 4u);
  EXPECT_EQ(std::string(buffer, 4), "3456");
  ASSERT_TRUE(file.Skip(3));
  EXPECT_EQ(file.Read(buffer).count, 4u);
  EXPECT_EQ(std::string(buffer, 4), std::string("\0\r\n\xFF", 4));
  EXPECT_EQ(file.Read(buffer).count, 0u);
  EXPECT_FALSE(file.Seek(-1));
}

// Writes in a copy's chunks, written or moved from another file, which a
// backend may gather: what the file shows after each way of giving them
// up, read through another handle.
TEST_F(FileSystemTest, WritesInChunksAreWholeOnceReadMeasuredOrFinished) {
  std::string bytes(40 * 25600 + 777, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 / 7);
  WriteFile(files(), At("source.bin"), bytes);
  struct Row {
    const char* label;
    std::function<bool(File&)> give_up;
  } rows[] = {
      {"finished", [](File& file) { return file.Finish() == FileError::None; }},
      {"measured", [&bytes](File& file) { return file.Length() == bytes.size(); }},
      {"flushed", [](File& file) { return file.Flush() == FileError::None; }},
      {"sought", [](File& file) { return file.Seek(0); }},
  };
  for (const bool copied : {false, true}) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.label) + (copied ? ", copied" : ", written"));
      OpenResult opened = files().Open(At("chunks.bin"), OpenMode::CreateAlways);
      OpenResult source = files().Open(At("source.bin"), OpenMode::Read);
      ASSERT_TRUE(opened.file && source.file);
      std::vector<char> buffer(25600);
      for (std::size_t at = 0; at < bytes.size(); at += 25600) {
        if (!copied) {
          ASSERT_EQ(opened.file->Write(std::string_view(bytes).substr(at, 25600)), FileError::None);
          continue;
        }
        const File::CopyResult moved = opened.file->CopyFrom(*source.file, buffer);
        ASSERT_EQ(moved.count, std::min<std::size_t>(25600, bytes.size() - at));
        ASSERT_EQ(moved.write_error, FileError::None);
      }
      EXPECT_TRUE(row.give_up(*opened.file));
      EXPECT_EQ(ReadFile(files(), At("chunks.bin")), bytes);
      if (copied) {
        EXPECT_EQ(opened.file->CopyFrom(*source.file, buffer).count, 0u);  // the source's end
      }
    }
  }
}

TEST_F(FileSystemTest, OpenModesTellMissingFilesFromMissingFolders) {
  struct Row {
    const char* name;
    OpenMode mode;
    std::string path;
    FileError expected;
  };
  const Row rows[] = {
      {"read a missing file", OpenMode::Read, At("none.txt"), FileError::NotFound},
      {"read in a missing folder", OpenMode::Read, At("none\\x.txt"), FileError::PathNotFound},
      {"write a missing file", OpenMode::WriteExisting, At("none.txt"), FileError::NotFound},
      {"create in a missing folder", OpenMode::CreateAlways, At("none\\x.txt"), FileError::PathNotFound},
      {"open a folder", OpenMode::Read, scratch(), FileError::AccessDenied},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const OpenResult opened = files().Open(row.path, row.mode);
    EXPECT_FALSE(opened.file);
    EXPECT_EQ(opened.error, row.expected) << FileErrorName(opened.error);
  }
}

TEST_F(FileSystemTest, CreateAlwaysTruncatesAndOpenAlwaysKeeps) {
  WriteFile(files(), At("f.txt"), "long contents");
  {
    OpenResult kept = files().Open(At("f.txt"), OpenMode::OpenAlways);
    ASSERT_TRUE(kept.file);
    EXPECT_EQ(kept.file->Length(), 13u);
  }
  WriteFile(files(), At("f.txt"), "short");
  EXPECT_EQ(ReadFile(files(), At("f.txt")), "short");
}

TEST_F(FileSystemTest, ReadOnlyFilesRefuseWritingAndDeletion) {
  WriteFile(files(), At("ro.txt"), "x");
  ASSERT_EQ(files().SetAttributes(At("ro.txt"), attribute::kReadOnly), FileError::None);
  EXPECT_TRUE(*files().Attributes(At("ro.txt")) & attribute::kReadOnly);
  const FileError refused = ReadOnlyRefusesWriting() ? FileError::AccessDenied : FileError::None;
  EXPECT_EQ(files().Open(At("ro.txt"), OpenMode::WriteExisting).error, refused);
  EXPECT_EQ(files().Open(At("ro.txt"), OpenMode::CreateAlways).error, refused);
  EXPECT_EQ(files().RemoveFile(At("ro.txt")), FileError::AccessDenied);
  ASSERT_EQ(files().SetAttributes(At("ro.txt"), attribute::kNormal), FileError::None);
  EXPECT_FALSE(*files().Attributes(At("ro.txt")) & attribute::kReadOnly);
  EXPECT_EQ(files().RemoveFile(At("ro.txt")), FileError::None);
}

TEST_F(FileSystemTest, AttributesTellFilesFromFolders) {
  WriteFile(files(), At("file"), "x");
  ASSERT_EQ(files().MakeDirectory(At("folder")), FileError::None);
  // The simulated machine reports the archive bit for files; real Windows
  // does too for a new file, but other bits may show under Wine: only the
  // directory and read-only bits are part of the contract.
  EXPECT_EQ(*files().Attributes(At("file")) & (attribute::kDirectory | attribute::kReadOnly), 0u);
  EXPECT_EQ(*files().Attributes(At("folder")) & attribute::kDirectory, attribute::kDirectory);
  EXPECT_FALSE(files().Attributes(At("nothing")));
}

TEST_F(FileSystemTest, NamesMatchWithoutRegardToCase) {
  WriteFile(files(), At("MixedCase.TXT"), "found");
  EXPECT_EQ(ReadFile(files(), At("mixedcase.txt")), "found");
  EXPECT_EQ(ReadFile(files(), At("MIXEDCASE.txt")), "found");
  ASSERT_EQ(files().MakeDirectory(At("Folder")), FileError::None);
  WriteFile(files(), At("FOLDER\\inner.txt"), "in");
  EXPECT_EQ(FoundNames(At("folder\\*.*")), (std::set<std::string>{".", "..", "inner.txt"}));
}

TEST_F(FileSystemTest, FindMatchesWildcardsLikeWindows) {
  for (const char* name : {"strings.eng", "strings", "Play Game.lnk", "player.dat", "a.b.c"})
    WriteFile(files(), At(name), "x");
  struct Row {
    const char* pattern;
    std::set<std::string> expected;
  };
  const Row rows[] = {
      {"strings.*", {"strings.eng", "strings"}},
      {"STRINGS.ENG", {"strings.eng"}},
      {"Play *.*", {"play game.lnk"}},
      {"play?????.lnk", {"play game.lnk"}},
      {"*.c", {"a.b.c"}},
      {"*.*", {".", "..", "strings.eng", "strings", "play game.lnk", "player.dat", "a.b.c"}},
      {"nothing*", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pattern);
    EXPECT_EQ(FoundNames(At(row.pattern)), row.expected);
  }
  // The order of the entries is the platform's: compared as sets here.
  EXPECT_EQ(files().Find(At("nothing*")).error, FileError::NotFound);
  EXPECT_EQ(files().Find(At("none\\*.*")).error, FileError::PathNotFound);
}

TEST_F(FileSystemTest, FindReportsSizesAndFolders) {
  WriteFile(files(), At("five.txt"), "12345");
  ASSERT_EQ(files().MakeDirectory(At("sub")), FileError::None);
  for (const FindEntry& entry : files().Find(At("*.*")).entries) {
    SCOPED_TRACE(entry.name);
    if (entry.name == "five.txt") {
      EXPECT_EQ(entry.size, 5u);
    }
    EXPECT_EQ(entry.IsDirectory(), entry.name == "sub" || entry.name == "." || entry.name == "..");
  }
}

TEST_F(FileSystemTest, RenameReplacesOnlyWhenAsked) {
  WriteFile(files(), At("new.ini"), "new");
  WriteFile(files(), At("old.ini"), "old");
  EXPECT_EQ(files().Rename(At("new.ini"), At("old.ini"), false), FileError::AlreadyExists);
  EXPECT_EQ(files().Rename(At("new.ini"), At("old.ini"), true), FileError::None);
  EXPECT_EQ(ReadFile(files(), At("old.ini")), "new");
  EXPECT_FALSE(Exists(At("new.ini")));
  EXPECT_EQ(files().Rename(At("new.ini"), At("other.ini"), true), FileError::NotFound);
}

TEST_F(FileSystemTest, DirectoriesAreMadeRemovedAndMadeCurrent) {
  EXPECT_EQ(files().MakeDirectory(At("d")), FileError::None);
  EXPECT_EQ(files().MakeDirectory(At("d")), FileError::AlreadyExists);
  EXPECT_EQ(files().MakeDirectory(At("x\\y")), FileError::PathNotFound);
  WriteFile(files(), At("d\\f"), "x");
  EXPECT_EQ(files().RemoveEmptyDirectory(At("d")), FileError::DirectoryNotEmpty);
  ASSERT_EQ(files().ChangeDirectory(At("d")), FileError::None);
  EXPECT_TRUE(EqualsNoCase(files().CurrentDirectory(), At("d")));
  EXPECT_EQ(ReadFile(files(), "f"), "x");  // relative to the current directory
  EXPECT_NE(files().ChangeDirectory(At("d\\f")), FileError::None);
  EXPECT_NE(files().ChangeDirectory(At("missing")), FileError::None);
  ASSERT_EQ(files().RemoveFile(At("d\\f")), FileError::None);
  ASSERT_EQ(files().ChangeDirectory(scratch()), FileError::None);
  EXPECT_EQ(files().RemoveEmptyDirectory(At("d")), FileError::None);
  EXPECT_EQ(files().RemoveEmptyDirectory(At("d")), FileError::NotFound);
}

TEST_F(FileSystemTest, TheCurrentDirectoryCannotBeRemoved) {
  ASSERT_EQ(files().MakeDirectory(At("here")), FileError::None);
  ASSERT_EQ(files().ChangeDirectory(At("here")), FileError::None);
  EXPECT_NE(files().RemoveEmptyDirectory(At("here")), FileError::None);
  ASSERT_EQ(files().ChangeDirectory(scratch()), FileError::None);
  EXPECT_EQ(files().RemoveEmptyDirectory(At("here")), FileError::None);
}

TEST_F(FileSystemTest, DrivesReportTypeLabelAndSpace) {
  const std::vector<std::string> roots = files().LogicalDrives();
  const std::string scratch_root = AsciiLower(scratch().substr(0, 3));
  ASSERT_TRUE(std::any_of(roots.begin(), roots.end(),
                          [&](const std::string& r) { return AsciiLower(r) == scratch_root; }));
  EXPECT_EQ(files().DriveKind(scratch().substr(0, 3)), DriveType::Fixed);
  EXPECT_TRUE(files().VolumeLabel(scratch().substr(0, 3)).has_value());
  const auto space = files().FreeSpace(scratch().substr(0, 3));
  ASSERT_TRUE(space.has_value());
  EXPECT_GT(space->free_bytes, 0u);
  EXPECT_GE(space->total_bytes, space->free_bytes);
  EXPECT_GT(space->bytes_per_sector, 0u);
  EXPECT_GT(space->sectors_per_cluster, 0u);
  EXPECT_EQ(files().DriveKind("Q:\\"), DriveType::NoRootDirectory);
  EXPECT_FALSE(files().VolumeLabel("Q:\\"));
  EXPECT_FALSE(files().FreeSpace("Q:\\"));
}

}  // namespace
}  // namespace tvx::testing
