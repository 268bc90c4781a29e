// Shell and system services of the seam, on both backends.
#include "platform/contract/contract_backend.h"
#include "platform/file_services.h"
#include "platform/path_text.h"

namespace tvx::testing {
namespace {

class ShellTest : public SeamTest {};

TEST_F(ShellTest, ANamedMutexIsHeldUntilItsHandleGoes) {
  const std::string name = "TvxContract " + std::string(AfterLastBackslash(scratch()));
  MutexResult first = shell().CreateNamedMutex(name);
  ASSERT_TRUE(first.handle);
  EXPECT_FALSE(first.already_existed);

  MutexResult second = shell().CreateNamedMutex(name);
  EXPECT_TRUE(second.already_existed);
  second.handle.reset();
  first.handle.reset();

  MutexResult again = shell().CreateNamedMutex(name);
  EXPECT_FALSE(again.already_existed);
  // Names are case-sensitive, as for every named kernel object.
  EXPECT_FALSE(shell().CreateNamedMutex(AsciiLower(name)).already_existed);
}

// Windows takes an object's name into a buffer of MAX_PATH wide
// characters and a terminator: one character more and the mutex cannot be
// created, which is not another holder having it.
TEST_F(ShellTest, AMutexNameMayHoldMaxPathCharactersAndNoMore) {
  std::string name = "TvxContract " + std::string(AfterLastBackslash(scratch())) + " ";
  name.resize(260, '#');
  MutexResult longest = shell().CreateNamedMutex(name);
  ASSERT_TRUE(longest.handle);
  EXPECT_FALSE(longest.already_existed);
  EXPECT_TRUE(shell().CreateNamedMutex(name).already_existed);
  name.back() = '%';
  EXPECT_FALSE(shell().CreateNamedMutex(name).already_existed) << "names that differ at the end differ";

  MutexResult too_long = shell().CreateNamedMutex(name + "#");
  EXPECT_FALSE(too_long.handle);
  EXPECT_FALSE(too_long.already_existed);
}

TEST_F(ShellTest, SpecialFoldersExistWithoutFinalBackslash) {
  for (SpecialFolder folder : {SpecialFolder::Programs, SpecialFolder::Startup, SpecialFolder::StartMenu,
                               SpecialFolder::DesktopDirectory, SpecialFolder::Fonts}) {
    const std::string path = shell().SpecialFolderPath(folder);
    SCOPED_TRACE(path);
    ASSERT_FALSE(path.empty());
    EXPECT_FALSE(EndsWithBackslash(path));
    EXPECT_TRUE(IsDirectory(files(), path));
  }
}

TEST_F(ShellTest, TheVersionRecordIsOneOfTheTwoFamilies) {
  const VersionRecord version = system().Version();
  EXPECT_TRUE(version.platform_id == kPlatformWin32Windows || version.platform_id == kPlatformWin32Nt);
  EXPECT_GE(version.major, 3u);
  EXPECT_GT(system().Memory().total_physical, 0u);
  EXPECT_FALSE(system().CommandLine().empty());
}

}  // namespace
}  // namespace tvx::testing
