// The sample product's script against the example machines: where each
// machine lands.
#include <gtest/gtest.h>

#include "detection/matching_rig.h"

namespace tvx::testing {
namespace {

// Configurations of the sample: 0 full with 3Dfx, 1 full, 2 minimum, 3 play
// from the CD-ROM.
TEST(MatchingMatrix, EachExampleMachineGetsItsProposal) {
  const struct {
    const char* profile;
    int proposed;  // -1: none
    int playable;
    bool no_match;
    std::vector<bool> selectable;
  } rows[] = {
      {"win95-osr2", 0, 3, false, {true, false, true, false}},        // Pentium MMX, 3Dfx, quad-speed drive
      {"win98", 1, 3, false, {false, true, true, false}},             // Pentium II, no 3D card
      {"nt40-sp3-user", -1, -1, true, {false, false, false, false}},  // no rights: not even the minimum
      {"modern-4tib", 2, -1, false, {false, false, true, false}},     // none of the named systems; 4 TiB
      {"win98-small-disk", -1, 3, true, {false, false, false, false}},
      {"nt40-sp3", 1, -1, false, {false, true, true, false}},
      {"win2000", 1, -1, false, {false, true, true, false}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile);
    MatchingRig::Options options;
    options.profile_file = ExampleProfile(row.profile);
    MatchingRig rig(options);
    ASSERT_TRUE(rig.LoadSampleDisc());
    // The game's data on the disc: the drive's speed, not the clock, is timed.
    rig.machine().WriteSizedFile("D:\\Data\\Textures.dat", 12 << 20);
    ASSERT_TRUE(rig.matcher().Prepare(false));
    const auto index = [&rig](const Configuration* configuration) {
      return rig.matcher().IndexOf(configuration);
    };
    EXPECT_EQ(index(rig.matcher().proposed()), row.proposed);
    EXPECT_EQ(index(rig.matcher().playable()), row.playable);
    EXPECT_EQ(rig.matcher().no_match(), row.no_match);
    std::vector<bool> selectable;
    for (const Configuration& configuration : rig.script.configurations)
      selectable.push_back(configuration.selectable);
    EXPECT_EQ(selectable, row.selectable);
    EXPECT_EQ(rig.machine().Transcript().find("Erreur"), std::string::npos)
        << "every string the matching needs";
  }
}

}  // namespace
}  // namespace tvx::testing
