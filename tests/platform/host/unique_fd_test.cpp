// The host's descriptor owner: each descriptor closed once, by whoever
// holds it last.
#include "platform/host/unique_fd.h"

#include <fcntl.h>
#include <gtest/gtest.h>

namespace tvx::host {
namespace {

int OpenDevNull() { return ::open("/dev/null", O_RDONLY | O_CLOEXEC); }
bool IsOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

TEST(UniqueFd, ClosesWhatItHoldsWhenItGoes) {
  const int fd = OpenDevNull();
  ASSERT_GE(fd, 0);
  {
    const UniqueFd owner(fd);
    EXPECT_TRUE(owner.valid());
    EXPECT_TRUE(IsOpen(fd));
  }
  EXPECT_FALSE(IsOpen(fd));
}

TEST(UniqueFd, AMovedFromOwnerNoLongerCloses) {
  const int fd = OpenDevNull();
  ASSERT_GE(fd, 0);
  UniqueFd taker;
  {
    UniqueFd giver(fd);
    taker = UniqueFd(std::move(giver));
    EXPECT_FALSE(giver.valid());
  }
  EXPECT_TRUE(IsOpen(fd)) << "the emptied owner closed what it gave away";
  EXPECT_EQ(taker.get(), fd);
  EXPECT_TRUE(taker.Close());
  EXPECT_FALSE(IsOpen(fd));
}

TEST(UniqueFd, TakingAnotherDescriptorClosesTheOneHeld) {
  const int first = OpenDevNull();
  const int second = OpenDevNull();
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  UniqueFd owner(first);
  owner = UniqueFd(second);
  EXPECT_FALSE(IsOpen(first));
  EXPECT_TRUE(IsOpen(second));
  EXPECT_EQ(owner.get(), second);
}

TEST(UniqueFd, CloseAnswersWhetherThereWasSomethingToClose) {
  const struct {
    const char* label;
    int fd;
    bool closed;
  } rows[] = {{"an open descriptor", OpenDevNull(), true}, {"no descriptor", -1, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    UniqueFd owner(row.fd);
    EXPECT_EQ(owner.Close(), row.closed);
    EXPECT_FALSE(owner.valid());
    EXPECT_FALSE(owner.Close()) << "a second close";
    if (row.fd >= 0) {
      EXPECT_FALSE(IsOpen(row.fd));
    }
  }
}

}  // namespace
}  // namespace tvx::host
