// The directory and whole-file services, on both backends.
#include "platform/contract/contract_backend.h"
#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx::testing {
namespace {

class FileServicesTest : public SeamTest {};

TEST_F(FileServicesTest, CreateDirectoryChainMakesMissingLevelsFromTheTop) {
  ASSERT_EQ(files().ChangeDirectory(scratch()), FileError::None);
  const std::string before = files().CurrentDirectory();

  EXPECT_TRUE(CreateDirectoryChain(files(), At("a\\b\\c")));

  EXPECT_TRUE(IsDirectory(files(), At("a")));
  EXPECT_TRUE(IsDirectory(files(), At("a\\b")));
  EXPECT_TRUE(IsDirectory(files(), At("a\\b\\c")));
  // Only an existing path or parent is made current: "a" was created.
  EXPECT_EQ(files().CurrentDirectory(), before);
}

TEST_F(FileServicesTest, CreateDirectoryChainOnAnExistingPathMakesItCurrent) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("x\\y")));
  EXPECT_TRUE(CreateDirectoryChain(files(), At("x\\y\\")));
  EXPECT_TRUE(EqualsNoCase(WithoutFinalBackslash(files().CurrentDirectory()), At("x\\y")));
}

TEST_F(FileServicesTest, CreateDirectoryChainFailsForEmptyPathAndUnderAFile) {
  EXPECT_FALSE(CreateDirectoryChain(files(), ""));
  WriteFile(files(), At("plain"), "a file");
  // Regression: a parent that exists must not make the chain succeed when
  // the leaf cannot be made.
  EXPECT_FALSE(CreateDirectoryChain(files(), At("plain\\sub")));
}

TEST_F(FileServicesTest, CopyWholeFileReplacesAReadOnlyDestination) {
  WriteFile(files(), At("source.txt"), "new contents");
  WriteFile(files(), At("target.txt"), "old");
  ASSERT_EQ(files().SetAttributes(At("target.txt"), attribute::kReadOnly), FileError::None);

  EXPECT_TRUE(CopyWholeFile(files(), At("source.txt"), At("target.txt")));
  EXPECT_EQ(ReadFile(files(), At("target.txt")), "new contents");
}

TEST_F(FileServicesTest, CopyWholeFileFailsWithoutSourceOrDestinationFolder) {
  WriteFile(files(), At("source.txt"), "x");
  EXPECT_FALSE(CopyWholeFile(files(), At("missing.txt"), At("copy.txt")));
  EXPECT_FALSE(Exists(At("copy.txt")));
  EXPECT_FALSE(CopyWholeFile(files(), At("source.txt"), At("no-folder\\copy.txt")));
}

TEST_F(FileServicesTest, CopyMatchingFilesCopiesOnlyMatchesAndAcceptsNoMatch) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("from")));
  ASSERT_TRUE(CreateDirectoryChain(files(), At("to")));
  WriteFile(files(), At("from\\strings.eng"), "english");
  WriteFile(files(), At("from\\STRINGS.FRA"), "francais");
  WriteFile(files(), At("from\\other.txt"), "other");

  EXPECT_TRUE(CopyMatchingFiles(files(), At("from"), At("to"), "strings.*"));
  EXPECT_EQ(ReadFile(files(), At("to\\strings.eng")), "english");
  EXPECT_EQ(ReadFile(files(), At("to\\strings.fra")), "francais");
  EXPECT_FALSE(Exists(At("to\\other.txt")));

  EXPECT_TRUE(CopyMatchingFiles(files(), At("from"), At("to"), "*.none"));
}

TEST_F(FileServicesTest, DeleteFileIfWritableLeavesReadOnlyAndMissingFiles) {
  WriteFile(files(), At("locked.txt"), "keep");
  WriteFile(files(), At("free.txt"), "go");
  ASSERT_EQ(files().SetAttributes(At("locked.txt"), attribute::kReadOnly), FileError::None);

  const bool kept = ReadOnlyRefusesWriting();
  EXPECT_EQ(DeleteFileIfWritable(files(), At("locked.txt")), !kept);
  EXPECT_EQ(Exists(At("locked.txt")), kept);
  EXPECT_TRUE(DeleteFileIfWritable(files(), At("free.txt")));
  EXPECT_FALSE(Exists(At("free.txt")));
  EXPECT_FALSE(DeleteFileIfWritable(files(), At("free.txt")));
  files().SetAttributes(At("locked.txt"), attribute::kNormal);
}

TEST_F(FileServicesTest, DeleteMatchingReportsEntriesThatCannotGo) {
  WriteFile(files(), At("Play One.lnk"), "1");
  WriteFile(files(), At("Play Two.lnk"), "2");
  WriteFile(files(), At("Keep.lnk"), "3");
  EXPECT_TRUE(DeleteMatching(files(), scratch(), "Play *.*"));
  EXPECT_FALSE(Exists(At("Play One.lnk")));
  EXPECT_FALSE(Exists(At("Play Two.lnk")));
  EXPECT_TRUE(Exists(At("Keep.lnk")));

  // "*.*" also finds "." and "..", which are directories and fail.
  EXPECT_FALSE(DeleteMatching(files(), scratch(), "*.*"));
  EXPECT_FALSE(Exists(At("Keep.lnk")));
}

TEST_F(FileServicesTest, DeleteDirectoryFilesEmptiesAndRemovesTheFolder) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("dir")));
  WriteFile(files(), At("dir\\a.txt"), "a");
  WriteFile(files(), At("dir\\b"), "b");
  files().ChangeDirectory(scratch());
  EXPECT_TRUE(DeleteDirectoryFiles(files(), At("dir")));
  EXPECT_FALSE(Exists(At("dir")));
}

TEST_F(FileServicesTest, DeleteTreeRemovesNestedFoldersAndFiles) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("tree\\one\\two\\three")));
  WriteFile(files(), At("tree\\top.txt"), "t");
  WriteFile(files(), At("tree\\one\\mid.txt"), "m");
  WriteFile(files(), At("tree\\one\\two\\three\\deep.txt"), "d");

  DeleteTree(files(), At("tree"));

  // Regression: the walk left each folder current and Windows refuses to
  // remove the current directory, so nested folders stayed behind.
  EXPECT_FALSE(Exists(At("tree")));
}

TEST_F(FileServicesTest, DeleteTreeKeepsReadOnlyFilesAndTheirFolders) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("tree\\sub")));
  WriteFile(files(), At("tree\\sub\\locked.txt"), "keep");
  ASSERT_EQ(files().SetAttributes(At("tree\\sub\\locked.txt"), attribute::kReadOnly), FileError::None);

  DeleteTree(files(), At("tree"));

  EXPECT_EQ(Exists(At("tree\\sub\\locked.txt")), ReadOnlyRefusesWriting());
  files().SetAttributes(At("tree\\sub\\locked.txt"), attribute::kNormal);
}

TEST_F(FileServicesTest, DeleteMatchingInTreeDeletesMatchesAtEveryLevel) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("game\\data\\maps")));
  WriteFile(files(), At("game\\save.tmp"), "1");
  WriteFile(files(), At("game\\data\\cache.tmp"), "2");
  WriteFile(files(), At("game\\data\\maps\\level.tmp"), "3");
  WriteFile(files(), At("game\\data\\maps\\level.map"), "4");

  DeleteMatchingInTree(files(), "*.tmp", At("game"));

  EXPECT_FALSE(Exists(At("game\\save.tmp")));
  EXPECT_FALSE(Exists(At("game\\data\\cache.tmp")));
  EXPECT_FALSE(Exists(At("game\\data\\maps\\level.tmp")));
  EXPECT_TRUE(Exists(At("game\\data\\maps\\level.map")));
}

TEST_F(FileServicesTest, RemoveEmptyDirectoryChainClimbsUntilAFolderIsNotEmpty) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("p\\q\\r")));
  WriteFile(files(), At("p\\keep.txt"), "k");

  RemoveEmptyDirectoryChain(files(), At("p\\q\\r\\"));

  EXPECT_FALSE(Exists(At("p\\q\\r")));
  EXPECT_FALSE(Exists(At("p\\q")));
  EXPECT_TRUE(Exists(At("p")));
  EXPECT_TRUE(Exists(scratch()));
}

TEST_F(FileServicesTest, RemoveEmptyDirectoryChainNeverRemovesTheDriveRoot) {
  // Two levels below the root of the scratch folder's drive.
  const std::string top = scratch().substr(0, 3) + "tvx-chain-" + std::string(AfterLastBackslash(scratch()));
  ASSERT_TRUE(CreateDirectoryChain(files(), top + "\\sub"));

  RemoveEmptyDirectoryChain(files(), top + "\\sub");

  EXPECT_FALSE(Exists(top + "\\sub"));
  EXPECT_FALSE(Exists(top));
  EXPECT_TRUE(IsDirectory(files(), scratch().substr(0, 3)));
  EXPECT_EQ(files().CurrentDirectory().substr(0, 3), scratch().substr(0, 3));
}

TEST_F(FileServicesTest, RemoveEmptyParentsKeepsThePathAndStopsAtTheFirstFailure) {
  ASSERT_TRUE(CreateDirectoryChain(files(), At("m\\n\\o")));
  WriteFile(files(), At("m\\n\\o\\file.txt"), "f");
  WriteFile(files(), At("m\\keep.txt"), "k");

  RemoveEmptyParents(files(), At("m\\n\\o\\file.txt"));
  EXPECT_TRUE(Exists(At("m\\n\\o")));  // not empty, the walk stops there

  ASSERT_TRUE(DeleteFileIfWritable(files(), At("m\\n\\o\\file.txt")));
  RemoveEmptyParents(files(), At("m\\n\\o\\file.txt"));
  EXPECT_FALSE(Exists(At("m\\n\\o")));
  EXPECT_FALSE(Exists(At("m\\n")));
  EXPECT_TRUE(Exists(At("m")));
}

TEST_F(FileServicesTest, ProgramDirectoryIsTheModulePathUpToItsLastBackslash) {
  const std::string module = files().ModulePath();
  const std::string folder = ProgramDirectory(files());
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(module.substr(0, folder.size() + 1), folder + "\\");
  EXPECT_EQ(module.find('\\', folder.size() + 1), std::string::npos);
}

TEST_F(FileServicesTest, WindowsAndSystemDirectoriesExistWithoutFinalBackslash) {
  for (const std::string& directory : {WindowsDirectory(files()), SystemDirectory(files())}) {
    SCOPED_TRACE(directory);
    EXPECT_GT(directory.size(), 3u);
    EXPECT_FALSE(EndsWithBackslash(directory));
    EXPECT_TRUE(IsDirectory(files(), directory));
  }
}

}  // namespace
}  // namespace tvx::testing
