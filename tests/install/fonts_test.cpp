// Fonts on the simulated machine: copied into the font folder, added and
// announced (the journal), named in the Fonts key (registry.reg).
#include <gtest/gtest.h>

#include "install/copy_rig.h"
#include "install/font_registration.h"

namespace tvx::testing {
namespace {

// A real TrueType font, from Debian's fonts-dejavu-core.
constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr const char* kInstalled = "C:\\WINDOWS\\FONTS\\DEJAVU.TTF";

std::string RealFont() {
  const std::string bytes = ReadHostText(kFontFile);
  EXPECT_GT(bytes.size(), 100000u) << kFontFile << " is missing: run tools/install-deps.sh";
  return bytes;
}

TEST(FontsTest, AFontIsCopiedAddedAnnouncedAndNamed) {
  struct Row {
    const char* label;
    const char* name;
    bool named;
  } rows[] = {{"with a display name", "DejaVu Sans Mono (TrueType)", true}, {"without one", "", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    CopyRig rig;
    rig.Put("D:\\Fonts\\DEJAVU.TTF", RealFont());
    EXPECT_EQ(rig.Run(ListOf({FontItem("DEJAVU.TTF", row.name, 670)})).code, CopyOutcome::kDone);
    EXPECT_EQ(rig.Read(kInstalled), RealFont());
    EXPECT_NE(
        rig.Journal().find("font C:\\\\WINDOWS\\\\FONTS\\\\DEJAVU.TTF\nfontchange all top-level windows\n"),
        std::string::npos)
        << rig.Journal();
    const std::string value = "\"DejaVu Sans Mono (TrueType)\"=\"DEJAVU.TTF\"";
    EXPECT_EQ(rig.Registry().find(value) != std::string::npos, row.named) << rig.Registry();
    if (row.named) {
      EXPECT_NE(rig.Registry().find("\\Microsoft\\Windows\\CurrentVersion\\Fonts]\n"), std::string::npos)
          << rig.Registry();
    }
  }
}

TEST(FontsTest, AFontInUseCountsAsInstalledAndIsStillRegistered) {
  CopyRig rig;
  rig.Put(kInstalled, "the font the system holds");
  rig.Put("D:\\Fonts\\DEJAVU.TTF", RealFont());
  rig.files().Plan(kInstalled, {FileFault::Kind::InUse});
  rig.Put("D:\\GAME.EXE", "game");
  const CopyItemList list =
      ListOf({FontItem("DEJAVU.TTF", "DejaVu Sans Mono (TrueType)", 670), FileItem("GAME.EXE", "", 1)});
  EXPECT_EQ(rig.Run(list).code, CopyOutcome::kDone);
  EXPECT_TRUE(rig.ui().boxes.empty());
  EXPECT_EQ(rig.Read(kInstalled), "the font the system holds");
  EXPECT_NE(rig.Journal().find("font C:\\\\WINDOWS\\\\FONTS\\\\DEJAVU.TTF\n"), std::string::npos);
  EXPECT_NE(rig.Registry().find("\"DejaVu Sans Mono (TrueType)\"=\"DEJAVU.TTF\""), std::string::npos);
  EXPECT_EQ(rig.Read("C:\\Games\\Zephra\\GAME.EXE"), "game");
}

TEST(FontsTest, AMissingFontFileAddsNothingButIsStillAnnouncedAndNamed) {
  CopyRig rig;
  RegisterFont(rig.platform().shell, rig.platform().registry, "C:\\WINDOWS\\FONTS\\NONE.TTF", "None");
  EXPECT_EQ(rig.Journal().find("font C:"), std::string::npos) << rig.Journal();
  EXPECT_NE(rig.Journal().find("fontchange"), std::string::npos);
  EXPECT_NE(rig.Registry().find("\"None\"=\"NONE.TTF\""), std::string::npos);
}

}  // namespace
}  // namespace tvx::testing
