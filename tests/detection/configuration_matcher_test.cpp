// Matching configurations against a simulated machine: the requirement
// rules, the proposal, space, language files, the product registry, the
// installed configuration's credit and check, and the installation steps.
#include "detection/configuration_matcher.h"

#include <gtest/gtest.h>

#include "detection/bind_probes.h"
#include "detection/matching_rig.h"
#include "detection/run_test.h"
#include "registry/product_registry_file.h"

namespace tvx::testing {
namespace {

std::string Config(const std::string& body) { return "CONFIG\n" + body + "END CONFIG\n"; }

constexpr const char* kNt4User =
    R"({"os": {"platform": 2, "major": 4, "minor": 0, "service": "Service Pack 3"}, "administrator": false})";
constexpr const char* kIni = "C:\\WINDOWS\\Tarvex\\tvx.ini";

TEST(ConfigurationMatcher, RequirementRules) {
  const struct {
    const char* label;
    const char* machine;
    std::string body;
    bool met;
    bool selectable;
  } rows[] = {
      {"the administrator line alone holds on Windows 98", "{}", "OPERATING SYSTEMS\nAdministrator right\n",
       true, true},
      {"W95 and W98 are alternatives, neither holds on NT", kNt4User, "OPERATING SYSTEMS\nW95\nW98\n", false,
       false},
      {"one alternative is enough", "{}", "OPERATING SYSTEMS\nW95\nW98\n", true, true},
      {"a \"!\" line holds on another system", "{}", "OPERATING SYSTEMS\n!WNT4.0\n", true, true},
      {"an operator line compares with the named value", kNt4User, "OPERATING SYSTEMS\nWNT4.0 > 1123\n", true,
       true},
      {"a version that holds does not excuse missing rights", kNt4User,
       "OPERATING SYSTEMS\nWNT4.0\nAdministrator right\n", false, false},
      {"raw memory in megabytes", "{}", "HARDWARE COMPONENTS\nMemory > 64\n", true, true},
      {"one megabyte short", "{}", "HARDWARE COMPONENTS\nMemory > 65\n", false, false},
      {"a bare 3DFX line needs the Glide files", "{}", "HARDWARE COMPONENTS\n3DFX\n", false, false},
      {"a named value: at least a Pentium Pro on a Pentium II", "{}", "HARDWARE COMPONENTS\nCPU > 1003\n",
       true, true},
      {"playable: met, never selectable", "{}", "PLAYABLE CONFIG\nOPERATING SYSTEMS\nW98\n", true, false},
      {"met, but 1 MB is more than the disk has",
       R"({"drives": [{"letter": "C", "type": "fixed", "capacity": 5767168}, {"letter": "D", "type": "cdrom", "label": "ZEPHRA"}]})",
       "SPECIFIC FILES\nBig.dat,Data,Data,1048576\nEND SPECIFIC FILES\n", true, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    MatchingRig rig(MatchingRig::Patched(row.machine));
    ASSERT_TRUE(rig.Load(ScriptWith(Config(row.body))));
    ASSERT_TRUE(rig.matcher().Prepare(false));
    EXPECT_EQ(rig.configuration(0).requirements_met, row.met);
    EXPECT_EQ(rig.configuration(0).selectable, row.selectable);
    EXPECT_EQ(rig.matcher().no_match(), !row.selectable);
    EXPECT_EQ(rig.matcher().proposed(), row.selectable ? &rig.configuration(0) : nullptr);
  }
}

TEST(ConfigurationMatcher, TheFirstSelectableIsProposedAndKeptAcrossRuns) {
  MatchingRig rig;
  ASSERT_TRUE(
      rig.Load(ScriptWith(Config("PLAYABLE CONFIG\n") + Config("HARDWARE COMPONENTS\nMemory > 32\n") +
                          Config("HARDWARE COMPONENTS\nMemory > 64\n") + Config("PLAYABLE CONFIG\n"))));
  ConfigurationMatcher& matcher = rig.matcher();
  ASSERT_TRUE(matcher.Prepare(false));
  EXPECT_EQ(matcher.proposed(), &rig.configuration(1)) << "a better later one does not win";
  EXPECT_TRUE(rig.configuration(2).selectable);
  EXPECT_EQ(matcher.playable(), &rig.configuration(0));
  EXPECT_FALSE(matcher.no_match());

  rig.test("Memory").result = 48;
  matcher.MatchConfigurations();
  EXPECT_FALSE(rig.configuration(2).selectable);
  EXPECT_TRUE(rig.configuration(2).requirements_met) << "never cleared by matching";
  EXPECT_EQ(matcher.proposed(), &rig.configuration(1));

  rig.test("Memory").result = 16;
  matcher.MatchConfigurations();
  EXPECT_TRUE(matcher.no_match());
  EXPECT_EQ(matcher.proposed(), &rig.configuration(1)) << "kept for the rest of the process";
}

TEST(ConfigurationMatcher, CommonFilesCountUnlessTheConfigurationGoesWithout) {
  MatchingRig rig;
  const std::string files = "SPECIFIC FILES\nA.dat,Data,Data,5120\nEND SPECIFIC FILES\n";
  ASSERT_TRUE(rig.Load(ScriptWith(Config(files) + Config("WITHOUT COMMON FILES\n" + files))));
  ConfigurationMatcher& matcher = rig.matcher();
  ASSERT_TRUE(matcher.Prepare(false));
  Configuration& with = rig.configuration(0);
  Configuration& without = rig.configuration(1);
  // Two common files of 1 and 2 blocks, each shown 32 KB larger.
  EXPECT_EQ(matcher.ConfigurationSize(with) - matcher.ConfigurationSize(without), 3u + 2 * 64);

  // A drive with one cluster per block and room for exactly what the
  // configuration without common files needs, and one block more.
  const std::uint64_t need = static_cast<std::uint64_t>(without.files.total) + without.files.items.size();
  matcher.drives() = {DriveInfo{"C:\\", need + 1, 1}};
  matcher.MatchConfigurations();
  EXPECT_FALSE(with.selectable);
  EXPECT_TRUE(without.selectable);
  EXPECT_FALSE(matcher.no_match());
  EXPECT_EQ(matcher.SizedName(without),
            "Config1 (~ " + std::to_string(matcher.ConfigurationSize(without) / 2) + " S304)");
}

TEST(ConfigurationMatcher, LanguageFilesOfTheChosenLanguageAreAddedOnce) {
  MatchingRig::Options french;
  french.language = "French";
  MatchingRig rig(french);
  const std::string header =
      "LANGUAGE FILES\nLanguage,English\nLire.txt,Docs,,2048\nLanguage,French\nLire.txt,Docs,,2560\n"
      "END LANGUAGE FILES\n";
  ASSERT_TRUE(rig.Load(ScriptWith(Config("LANGUAGE SPECIFIC FILES\nLanguage,English\nV.dat,D,D,512\n"
                                         "Language,French\nV.dat,D,D,1024\nW.dat,D,D,1536\n"
                                         "END LANGUAGE SPECIFIC FILES\n"),
                                  header)));
  ConfigurationMatcher& matcher = rig.matcher();
  const std::size_t own_files = rig.configuration(0).files.items.size();
  const std::int64_t own_total = rig.configuration(0).files.total;
  ASSERT_TRUE(matcher.Prepare(false));
  matcher.MatchConfigurations();
  matcher.SizedName(rig.configuration(0));
  EXPECT_EQ(rig.configuration(0).files.items.size(), own_files + 2);
  EXPECT_EQ(rig.configuration(0).files.total, own_total + 2 + 3);
  EXPECT_EQ(rig.script.common_files.items.size(), 3u);
  EXPECT_EQ(rig.script.common_files.total, 3 + 5);
}

TEST(ConfigurationMatcher, TheClientsFilesCountWholeBlocksAndSkipFolders) {
  MatchingRig rig;
  ASSERT_TRUE(rig.Load(ScriptWith(Config(""))));
  rig.machine().WriteSizedFile("D:\\Online\\a.exe", 1);
  rig.machine().WriteSizedFile("D:\\Online\\b.dll", 512);
  rig.machine().WriteSizedFile("D:\\Online\\c.dat", 513);
  rig.machine().WriteSizedFile("D:\\Online\\Sub\\big.dat", 1 << 20);
  EXPECT_EQ(rig.matcher().ClientFolderBlocks(), 0u) << "no client: INVALID";
  rig.matcher().set_client_source_folder("D:\\Online");
  EXPECT_EQ(rig.matcher().ClientFolderBlocks(), 1u + 1 + 2);
}

TEST(ConfigurationMatcher, UsedTestsAreDistinctAndInCatalogueOrder) {
  MatchingRig rig;
  ASSERT_TRUE(rig.Load(ScriptWith(
      Config("HARDWARE COMPONENTS\nMemory > 1\nCD ROM Speed > 1040\nCPU > 1000\n"
             "SOFTWARE COMPONENTS\nIndeo5,I,,0\nVideo For Windows,V,,0\nOPERATING SYSTEMS\nW98\nW95\n") +
      Config("HARDWARE COMPONENTS\nCPU > 1000\nMMX\nSOFTWARE COMPONENTS\nIndeo5,I,,0\n"
             "OPERATING SYSTEMS\nAdministrator right\nW95\n"))));
  rig.matcher().CollectUsedTests();
  const auto names = [](const std::vector<DetectionTest*>& tests) {
    std::vector<std::string> result;
    for (const DetectionTest* test : tests) result.push_back(test->name);
    return result;
  };
  EXPECT_EQ(names(rig.matcher().used_hardware_tests()),
            (std::vector<std::string>{"CPU", "MMX", "Memory", "CD ROM Speed"}));
  EXPECT_EQ(names(rig.matcher().used_software_tests()),
            (std::vector<std::string>{"Video For Windows", "Indeo5"}));
  EXPECT_EQ(names(rig.matcher().used_system_tests()),
            (std::vector<std::string>{"W95", "W98", "Administrator right"}));
}

TEST(ConfigurationMatcher, HardwareResultsAreRecordedAndAFailedSaveIsReported) {
  MatchingRig rig;
  ASSERT_TRUE(rig.Load(ScriptWith(Config("HARDWARE COMPONENTS\nCPU > 1000\nMemory > 8\n"))));
  ASSERT_TRUE(rig.matcher().Prepare(false));
  ProductRegistryFile registry(rig.platform().files, rig.registry_state);
  std::int32_t cpu = 0, memory = 0;
  EXPECT_TRUE(registry.ReadLong(kSystemSection, "CPU", cpu));
  EXPECT_TRUE(registry.ReadLong(kSystemSection, "Memory", memory));
  EXPECT_EQ(cpu, 1003);
  EXPECT_EQ(memory, 64);
  EXPECT_EQ(rig.machine().Transcript(), "");

  // Pins a fault: the writes only changed lines in memory, so a registry
  // that could not be saved was reported as recorded.
  ASSERT_EQ(rig.platform().files.SetAttributes(kIni, attribute::kReadOnly), FileError::None);
  EXPECT_FALSE(rig.matcher().RecordTestResults());
  EXPECT_NE(
      rig.machine().Transcript().find("caption=\"Error with 'Tvx.ini' file\" text=\"'Tvx.ini' file was not "
                                      "well updated for this product !\\nTry to re-install it...\""),
      std::string::npos)
      << rig.machine().Transcript();
}

TEST(ConfigurationMatcher, TheInstalledChoiceNeedsAWholeRecordOfAnExistingConfiguration) {
  const struct {
    const char* label;
    const char* record;
    bool succeeds;
    bool installed;
    const char* message;
  } rows[] = {
      {"nothing recorded", "", true, false, nullptr},
      {"complete", "Configuration=1\nLanguage=French\nDirectory=C:\\Games\\Zephra\\\n", true, true, nullptr},
      {"without a directory", "Configuration=1\nLanguage=French\n", true, false, nullptr},
      {"without a language", "Configuration=1\nDirectory=C:\\Games\\Zephra\\\n", true, false, nullptr},
      {"past the end", "Configuration=2\nLanguage=French\nDirectory=C:\\\n", false, false,
       "The config N\xB0"
       "2 does not exist !!"},
      // Pins a fault: a negative number picked a configuration before the first.
      {"negative", "Configuration=-1\nLanguage=French\nDirectory=C:\\\n", false, false,
       "The config N\xB0"
       "-1 does not exist !!"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    MatchingRig rig;
    ASSERT_TRUE(rig.Load(ScriptWith(Config("") + Config(""))));
    rig.machine().WriteFile(kIni, std::string("[Zephra]\n") + row.record);
    EXPECT_EQ(rig.matcher().LoadInstalledChoice(), row.succeeds);
    EXPECT_EQ(rig.matcher().installed(), row.installed);
    EXPECT_EQ(rig.matcher().installed_configuration(), row.installed ? &rig.configuration(1) : nullptr);
    if (row.installed) {
      EXPECT_EQ(rig.matcher().language(), "French");
      EXPECT_EQ(rig.matcher().destination_directory(), "C:\\Games\\Zephra\\");
    }
    const std::string transcript = rig.machine().Transcript();
    if (row.message) {
      EXPECT_NE(transcript.find(std::string("text=\"") + row.message + "\""), std::string::npos)
          << transcript;
    } else {
      EXPECT_EQ(transcript, "");
    }
  }
}

// Installed as configuration 0 in the directory given; its files are a
// program, a data file, a shared library, a font and the install data.
struct InstalledProduct {
  explicit InstalledProduct(const std::string& directory, const std::string& hardware = "",
                            const std::string& software = "", const std::string& system = "")
      : rig(MatchingRig::Patched(R"({"drives": [{"letter": "C", "type": "fixed", "capacity": 1073741824,
               "sectors_per_cluster": 4, "bytes_per_sector": 512}, {"letter": "D", "type": "cdrom",
               "label": "ZEPHRA"}], "cpu": {"mmx": false}})")) {
    loaded =
        rig.Load(ScriptWith(Config("HARDWARE COMPONENTS\n" + hardware + "SOFTWARE COMPONENTS\n" + software +
                                   "OPERATING SYSTEMS\n" + system +
                                   "SPECIFIC FILES\nShared.dll,System,*SharedDll*,1000\n"
                                   "Speech.dat,Data,Data,600\nEND SPECIFIC FILES\n"
                                   "SPECIFIC FONTS\nZeph.ttf,Fonts,100,Zeph Sans\nEND SPECIFIC FONTS\n")));
    rig.machine().WriteFile(kIni,
                            "[Zephra]\nConfiguration=0\nLanguage=English\nDirectory=" + directory + "\n");
  }
  // Every file in place but the speech data.
  void PlaceFiles(const std::string& directory) {
    rig.machine().WriteSizedFile(directory + "Zephra.exe", 1);
    rig.machine().WriteSizedFile(directory + "Data\\Zephra.dat", 1025);
    rig.machine().WriteSizedFile("C:\\WINDOWS\\SYSTEM\\Shared.dll", 0);
    rig.machine().WriteSizedFile("C:\\WINDOWS\\FONTS\\Zeph.ttf", 512);
    rig.machine().WriteSizedFile(directory + "InstData\\Tvx.ins", 0);
    rig.machine().WriteSizedFile(directory + "InstData\\zephra.eng", 0);
    rig.machine().WriteSizedFile(directory + "InstData\\zephra.fra", 0);
  }
  void Credit() {
    ASSERT_TRUE(rig.matcher().LoadInstalledChoice());
    ASSERT_TRUE(rig.matcher().installed());
    rig.matcher().RunDriveTest();
    rig.matcher().ComputeCredit();
  }

  MatchingRig rig;
  bool loaded = false;
};

TEST(ConfigurationMatcher, CreditCountsInstalledFilesInClustersOfTheirDrive) {
  // 1 byte, 1025 bytes, an empty library and 512 bytes of font: 1, 3, 0
  // and 1 blocks, each up to clusters of 4 blocks on C:.
  InstalledProduct on_c("C:\\Games\\Zephra\\");
  ASSERT_TRUE(on_c.loaded);
  on_c.PlaceFiles("C:\\Games\\Zephra\\");
  on_c.Credit();
  EXPECT_EQ(on_c.rig.matcher().credit(), 4u + 4 + 0 + 4);

  // Off the drive list there is no cluster size: whole blocks.
  InstalledProduct on_cd("D:\\Zephra\\");
  ASSERT_TRUE(on_cd.loaded);
  on_cd.PlaceFiles("D:\\Zephra\\");
  on_cd.Credit();
  EXPECT_EQ(on_cd.rig.matcher().credit(), 1u + 3 + 0 + 1);
}

TEST(ConfigurationMatcher, AMissingFileMattersByTheVitalAndNonVitalPatterns) {
  const struct {
    std::vector<std::string> non_vital;
    std::vector<std::string> vital;
    bool missing;
  } rows[] = {
      {{}, {}, true},
      {{"Intro.avi"}, {}, true},
      {{"*.DAT"}, {}, false},
      {{"Speech.da?"}, {"Speech.dat"}, false},
      {{}, {"s*"}, true},
      {{}, {"Zephra.*"}, false},
      // Pins a fault: any two characters 32 apart matched ("." and "N").
      {{"Speech.dat"}, {}, false},
      {{"SpeechNdat"}, {}, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.non_vital) + " " + ::testing::PrintToString(row.vital));
    InstalledProduct product("C:\\Games\\Zephra\\");
    ASSERT_TRUE(product.loaded);
    product.PlaceFiles("C:\\Games\\Zephra\\");
    product.rig.script.non_vital_files = row.non_vital;
    product.rig.script.vital_files = row.vital;
    product.Credit();
    EXPECT_EQ(product.rig.matcher().missing_files(), row.missing);
  }
}

TEST(ConfigurationMatcher, TheInstalledCheckTellsWhatTheMachineNowLacks) {
  InstalledProduct product("C:\\Games\\Zephra\\", "MMX\nCPU > 1004\nMemory > 8\n",
                           "Microsoft Direct X,DX,,0\nVFW Indeo,Indeo,,0\nVideo For Windows,V,,0\n", "W95\n");
  ASSERT_TRUE(product.loaded);
  MatchingRig& rig = product.rig;
  ASSERT_TRUE(rig.matcher().Prepare(false));
  EXPECT_TRUE(rig.matcher().installed_check_shown());
  EXPECT_FALSE(rig.matcher().InstalledConfigurationUsable());
  EXPECT_FALSE(rig.ui_state.return_key_armed);
  const std::string transcript = rig.machine().Transcript();
  const std::size_t picture = transcript.find("dialog id=155");
  const std::size_t box = transcript.find(
      "text=\"S250 (Config0)\\nS251\\n\\nSoftware :\\n  - S161\\n\\nHardware :\\n  - S153\\n  - S150\\n\\n"
      "System :\\n  - S450\\n\\nS255\\n\"");
  EXPECT_NE(box, std::string::npos) << transcript;
  EXPECT_LT(picture, box) << "the picture comes before the MMX line";

  InstalledProduct fine("C:\\Games\\Zephra\\", "Memory > 8\n", "Microsoft Direct X,DX,,0\n", "W98\n");
  ASSERT_TRUE(fine.loaded);
  fine.PlaceFiles("C:\\Games\\Zephra\\");
  fine.rig.machine().WriteSizedFile("C:\\Games\\Zephra\\Data\\Speech.dat", 600);
  ASSERT_TRUE(fine.rig.matcher().Prepare(false));
  EXPECT_FALSE(fine.rig.matcher().installed_check_shown()) << "DirectX missing is not reported";
  EXPECT_TRUE(fine.rig.matcher().InstalledConfigurationUsable());
  EXPECT_EQ(fine.rig.machine().Transcript(), "");
}

TEST(ConfigurationMatcher, ActionsAndComponentInstallersStopAtTheFirstFailure) {
  MatchingRig rig;
  ASSERT_TRUE(rig.Load(ScriptWith(Config(
      "HARDWARE COMPONENTS\nATI 3D Card\nPower VR (Pod)\nS3D Card\nCPU > 1000\n"
      "SOFTWARE COMPONENTS\nDXMedia,DX,/q,0\nMicrosoft Direct Draw,DD,,0\nAMovie,AM,,0\nIndeo5,I5,,0\n"))));
  std::vector<std::string> calls;
  const auto action = [&calls, &rig](const char* name, std::int32_t answer) {
    return [&calls, &rig, name, answer] {
      calls.push_back(std::string(name) + " " + rig.detection_state.installer_path + " " +
                      rig.detection_state.installer_argument);
      return answer;
    };
  };
  rig.test("ATI 3D Card").action = action("ati", 1);
  rig.test("Power VR (Pod)").action = action("pod", 0);
  rig.test("S3D Card").action = action("s3d", 1);
  Configuration& configuration = rig.configuration(0);
  EXPECT_FALSE(rig.matcher().RunHardwareActions(configuration));
  EXPECT_EQ(calls, (std::vector<std::string>{"ati  ", "pod  "}));

  calls.clear();
  rig.test("DXMedia").action = action("dxmedia", 1);
  rig.test("Microsoft Direct Draw").action = action("ddraw", 1);
  rig.test("AMovie").action = action("amovie", 1);
  configuration.software[2].selected = false;
  EXPECT_FALSE(rig.matcher().InstallMissingComponents(configuration, "E:\\Source"))
      << "Indeo 5 is missing and nothing can install it";
  EXPECT_EQ(calls, (std::vector<std::string>{"dxmedia E:\\Source\\DX /q"}));
  EXPECT_EQ(rig.detection_state.installer_path, "E:\\Source\\I5");

  calls.clear();
  configuration.software.pop_back();
  EXPECT_TRUE(rig.matcher().InstallMissingComponents(configuration, "E:\\Source"));
  EXPECT_EQ(calls, (std::vector<std::string>{"dxmedia E:\\Source\\DX /q"}));
}

TEST(ConfigurationMatcher, UninstallModeStopsAfterTheNames) {
  MatchingRig rig;
  ASSERT_TRUE(rig.Load(ScriptWith(Config("HARDWARE COMPONENTS\nCPU > 1000\n"))));
  ASSERT_TRUE(rig.matcher().Prepare(true));
  EXPECT_EQ(rig.configuration(0).name, "Config0");
  EXPECT_EQ(rig.test("CPU").display_name, "S150");
  EXPECT_EQ(rig.test("CPU").result, 0) << "no test was run";
  EXPECT_FALSE(rig.platform().files.Attributes(kIni)) << "nothing recorded";
}

TEST(BindProbes, EveryTestGetsItsProbeAndComponentInstallersStay) {
  TestMachine machine;
  const SystemVersion version = ReadSystemVersion(machine.platform().system.Version());
  DetectionProcessState state;
  MachineProbes probes(machine.platform(), version, state, {});
  DetectionCatalogue catalogue;
  FindTest(catalogue, "DXMedia")->action = [] { return 7; };
  BindProbes(catalogue, probes);
  for (auto* tests : {&catalogue.HardwareTests(), &catalogue.SoftwareTests(), &catalogue.SystemTests()})
    for (const DetectionTest& test : *tests) EXPECT_TRUE(test.probe) << test.name;
  EXPECT_EQ(RunAction(*FindTest(catalogue, "DXMedia")), 7);
  EXPECT_EQ(RunAction(*FindTest(catalogue, "Power VR (Pod)")), 0) << "no App Hints key on this machine";
  EXPECT_EQ(RunAction(*FindTest(catalogue, "CPU")), 0) << "no action: nothing done";

  DetectionTest& memory = *FindTest(catalogue, "Memory");
  memory.value_base = 1030;
  EXPECT_EQ(RunTest(memory), 64) << "raw: the probe's value";
  DetectionTest& cpu = *FindTest(catalogue, "CPU");
  cpu.value_base = 1000;
  EXPECT_EQ(RunTest(cpu), 1003);
}

}  // namespace
}  // namespace tvx::testing
