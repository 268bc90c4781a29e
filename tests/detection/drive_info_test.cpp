// The fixed-drive list, the space check and the drive lookups on simulated
// machines.
#include "detection/drive_info.h"

#include <gtest/gtest.h>

#include "support/test_machine.h"

namespace tvx::testing {
namespace {

constexpr std::uint64_t kMiB = 1ull << 20;
constexpr std::uint64_t kTiB = 1ull << 40;

std::string Drive(char letter, const char* type, std::uint64_t capacity, std::uint64_t used,
                  const std::string& extra = "") {
  return std::string(R"({"letter": ")") + letter + R"(", "type": ")" + type + R"(", "capacity": )" +
         std::to_string(capacity) + R"(, "used": )" + std::to_string(used) + extra + "}";
}

std::unique_ptr<TestMachine> MachineWithDrives(const std::vector<std::string>& drives) {
  std::string list;
  for (const std::string& drive : drives) list += (list.empty() ? "" : ", ") + drive;
  return MachineWith(R"({"drives": [)" + list + "]}");
}

TEST(ListFixedDrives, KeepsFixedDrivesInOrderWithTheReserveTakenOff) {
  const auto machine = MachineWithDrives(
      {Drive('C', "fixed", 1024 * kMiB, 1014 * kMiB, R"(, "sectors_per_cluster": 64)"),
       Drive('D', "cdrom", 650 * kMiB, 0, R"(, "label": "ZEPHRA")"), Drive('E', "fixed", 100 * kMiB, 0),
       Drive('F', "remote", 100 * kMiB, 0), Drive('G', "fixed", 10 * kMiB, 5 * kMiB),
       Drive('H', "fixed", 10 * kMiB, 5 * kMiB - 512,
             R"(, "bytes_per_sector": 2048, "sectors_per_cluster": 1)")});
  const std::vector<DriveInfo> drives = ListFixedDrives(machine->platform().files);
  ASSERT_EQ(drives.size(), 4u);
  const std::vector<std::tuple<const char*, std::uint64_t, std::uint32_t>> expected = {
      {"C:\\", 10 * 2048 - 10240, 64},
      {"E:\\", 100 * 2048 - 10240, 8},
      {"G:\\", 0, 8},  // exactly 5 MB free: nothing left
      {"H:\\", 1, 4},  // one block over the reserve
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(std::get<0>(expected[i]));
    EXPECT_EQ(drives[i].root, std::get<0>(expected[i]));
    EXPECT_EQ(drives[i].free_blocks, std::get<1>(expected[i]));
    EXPECT_EQ(drives[i].cluster_blocks, std::get<2>(expected[i]));
    EXPECT_FALSE(drives[i].fits);
  }
}

// Pins a fault: free blocks and the sums of the space check were 32-bit
// counts that wrap on a drive with 2 TiB or more free, so a modern disk
// reported little or no room.
TEST(ListFixedDrives, CountsTheFreeSpaceOfLargeDisksInSixtyFourBits) {
  for (const std::uint64_t free_bytes : {2 * kTiB, 2 * kTiB + 4096 * kMiB, 3 * kTiB}) {
    SCOPED_TRACE(free_bytes);
    const auto machine = MachineWithDrives({Drive('C', "fixed", 4 * kTiB, 4 * kTiB - free_bytes)});
    std::vector<DriveInfo> drives = ListFixedDrives(machine->platform().files);
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].free_blocks, free_bytes / 512 - 10240);
    EXPECT_TRUE(FitsOnSomeDrive(drives, 8 * kMiB / 512, 1000, 0, ""));
    EXPECT_TRUE(FitsOnSomeDrive(drives, free_bytes / 512 - 20000, 0, 0, ""));
    EXPECT_FALSE(FitsOnSomeDrive(drives, free_bytes / 512, 0, 0, ""));
  }
}

TEST(RefreshFreeSpace, SeesWhatWasWrittenSince) {
  const auto machine = MachineWithDrives({Drive('C', "fixed", 100 * kMiB, 0)});
  FileSystem& files = machine->platform().files;
  std::vector<DriveInfo> drives = ListFixedDrives(files);
  const std::uint64_t before = drives[0].free_blocks;
  auto opened = files.Open("C:\\big.dat", OpenMode::CreateAlways);
  ASSERT_TRUE(opened.file);
  ASSERT_EQ(opened.file->Write(std::string(1024 * 1024, 'x')), FileError::None);
  opened.file.reset();
  RefreshFreeSpace(files, drives);
  EXPECT_EQ(drives[0].free_blocks, before - 2048);
}

TEST(FitsOnSomeDrive, ComparesStrictlyAndCountsTheCreditOnTheDestinationDrive) {
  std::vector<DriveInfo> drives = {{"C:\\", 1000, 8, false}, {"D:\\", 500, 64, false}};
  struct Row {
    const char* label;
    std::uint64_t blocks, files, credit;
    const char* destination;
    bool c_fits, d_fits;
  };
  const std::vector<Row> rows = {
      {"room on C only", 900, 10, 0, "", true, false},
      {"just under on C", 919, 10, 0, "", true, false},
      {"equal to the space does not fit", 920, 10, 0, "", false, false},
      {"both fit", 100, 1, 0, "", true, true},
      {"credit on the destination's drive", 1000, 0, 10, "c:\\Games\\Zephra\\", true, false},
      {"credit needs the drive in the destination", 1000, 0, 10, "D:\\Games\\", false, false},
      {"credit 0 changes nothing", 1000, 0, 0, "C:\\Games\\", false, false},
      {"the drive root may be anywhere in the destination", 600, 0, 200, "X:\\copy of d:\\", true, true},
      {"the same without D in the destination", 600, 0, 200, "X:\\copy\\", true, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(FitsOnSomeDrive(drives, row.blocks, row.files, row.credit, row.destination),
              row.c_fits || row.d_fits);
    EXPECT_EQ(drives[0].fits, row.c_fits) << "every drive is visited";
    EXPECT_EQ(drives[1].fits, row.d_fits);
  }
  // Sums that would wrap do not make a huge request fit.
  EXPECT_FALSE(FitsOnSomeDrive(drives, ~0ull - 5, 1ull << 40, 0, ""));
  EXPECT_FALSE(FitsOnSomeDrive(drives, 1, ~0ull / 2, 0, ""));
}

TEST(FindProductCdDrive, MatchesTheLabelOfACdRomWithoutRegardToCase) {
  const auto machine = MachineWithDrives(
      {Drive('C', "fixed", kTiB, 0, R"(, "label": "ZEPHRA")"),
       Drive('D', "cdrom", 0, 0, R"(, "label": "OTHER")"),
       Drive('E', "cdrom", 0, 0, R"(, "label": "zephra")"), Drive('F', "cdrom", 0, 0, R"(, "label": "")"),
       Drive('G', "cdrom", 0, 0, R"(, "label": "EMPTY", "has_media": false)")});
  FileSystem& files = machine->platform().files;
  struct Row {
    const char* volume_name;
    const char* name;
    const char* root;
  };
  const std::vector<Row> rows = {
      {"ZEPHRA", "", "E:\\"},  {"Zephra", "", "E:\\"},
      {"", "other", "D:\\"},   {"ZEPHRA", "OTHER", "D:\\"},  // drives in order: D answers first
      {"", "NoLabel", "F:\\"}, {"", "", "\\"},
      {"EMPTY", "", "\\"},     {"MISSING", "", "\\"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.volume_name) + " / " + row.name);
    EXPECT_EQ(FindProductCdDrive(files, row.volume_name, row.name), row.root);
  }
  EXPECT_TRUE(IsCdRomDrive(files, "D:"));
  EXPECT_FALSE(IsCdRomDrive(files, "C:"));
  EXPECT_FALSE(IsCdRomDrive(files, "Q:"));
  EXPECT_EQ(VolumeLabelOf(files, "E:"), "zephra");
  EXPECT_EQ(VolumeLabelOf(files, "F:"), "NoLabel");
}

TEST(FindLargestFile, SearchesTheTreeAndKeepsTheFirstOfEqualSizes) {
  TestMachine machine;
  machine.WriteSizedFile("D:\\small.dat", 100);
  machine.WriteSizedFile("D:\\Data\\first.dat", 5000);
  machine.WriteSizedFile("D:\\Data\\Deep\\big.dat", 9000);
  machine.WriteSizedFile("D:\\Zz\\same.dat", 9000);
  FileSystem& files = machine.platform().files;
  const LargestFile largest = FindLargestFile(files, "D:\\");
  const LargestFile first = FindLargestFile(files, "D:\\Data\\Deep\\");
  EXPECT_EQ(first.path, "D:\\Data\\Deep\\big.dat");
  EXPECT_EQ(largest.size, 9000u);
  // The simulated machine lists names in folded order: Data before Zz.
  EXPECT_EQ(largest.path, "D:\\Data\\Deep\\big.dat");
  EXPECT_EQ(FindLargestFile(files, "D:\\Empty\\").size, 0u);
  EXPECT_EQ(FindLargestFile(files, "D:\\Empty\\").path, "");
}

TEST(FindLargestFile, OnlySearchesFoldersWhoseAttributesAreExactlyDirectory) {
  TestMachine machine;
  machine.WriteSizedFile("C:\\Top\\visible.dat", 10);
  machine.WriteSizedFile("C:\\Top\\Locked\\hidden.dat", 5000);
  FileSystem& files = machine.platform().files;
  ASSERT_EQ(files.SetAttributes("C:\\Top\\Locked", attribute::kReadOnly | attribute::kDirectory),
            FileError::None);
  ASSERT_EQ(files.Attributes("C:\\Top\\Locked"), attribute::kReadOnly | attribute::kDirectory);
  // 17 is read-only plus directory: a file of its size, not searched.
  EXPECT_EQ(FindLargestFile(files, "C:\\Top\\").path, "C:\\Top\\visible.dat");
}

}  // namespace
}  // namespace tvx::testing
