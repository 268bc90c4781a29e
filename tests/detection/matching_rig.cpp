#include "detection/matching_rig.h"

#include "detection/bind_probes.h"
#include "platform/file_services.h"
#include "script/script_line_reader.h"
#include "script/script_loader.h"
#include "script/strings_loader.h"

namespace tvx::testing {

std::string TestStrings() {
  std::string text = "[Version 1]\n";
  const int numbers[] = {0,   1,   150, 151, 152, 153, 154, 155, 156, 157, 158, 159, 160, 161, 162,
                         163, 165, 166, 167, 170, 171, 172, 173, 175, 176, 177, 178, 179, 191, 193,
                         194, 195, 205, 206, 211, 212, 213, 220, 221, 222, 230, 231, 232, 233, 234,
                         235, 236, 237, 238, 239, 250, 251, 254, 255, 283, 284, 292, 303, 304, 305,
                         310, 380, 381, 382, 383, 430, 450, 451, 452, 453, 454, 455, 456};
  for (const int number : numbers) text += std::to_string(number) + ":S" + std::to_string(number) + "\n";
  return text +
         "[CPU]\n1000:386\n1001:486\n1002:Pentium\n1003:Pentium Pro\n1004:Pentium II\n1005:Pentium III\n"
         "[Windows colors]\n1020:16\n1021:256\n1022:65536\n1023:24 bits\n1024:32 bits\n"
         "[Memory]\n1030:MB\n"
         "[CD ROM Speed]\n1040:1x\n1041:2x\n1042:4x\n1043:8x\n1044:12x\n"
         "[W95]\n1100:95\n1101:95 A\n1102:95 B\n[W98]\n1110:98\n"
         "[WNT40]\n1120:NT4\n1121:NT4 SP1\n1122:NT4 SP2\n1123:NT4 SP3\n1124:NT4 SP4\n"
         "[W2000]\n1130:2000\n[W]\n1140:9x\n[WNT]\n1150:NT\n"
         "[ConfigName]\n2010:Config0\n2011:Config1\n2012:Config2\n2013:Config3\n2014:Config4\n2015:Config5\n";
}

std::string ScriptWith(const std::string& configurations, const std::string& header_extra) {
  return "APPLICATION NAME\nZephra\nVOLUME NAME\nZEPHRA\n"
         "LANGUAGES\nEnglish,English,strings.eng,zephra.eng\nFrench,Francais,strings.fra,zephra.fra\n"
         "END LANGUAGES\n"
         "COMMON FILES\nZephra.exe,Program,,512\nZephra.dat,Data,Data,1000\nEND COMMON FILES\n" +
         header_extra + configurations + "END SCRIPT\n";
}

MatchingRig::MatchingRig(Options options) : options_(std::move(options)) {
  TestMachine::Options machine;
  machine.profile_json = PatchedProfile(options_.profile_patch);
  machine.profile_file = options_.profile_file;
  machine.answers = options_.answers;
  machine_ = std::make_unique<TestMachine>(std::move(machine));
  version = ReadSystemVersion(platform().system.Version());
}

bool MatchingRig::Load(const std::string& script_text, const std::string& strings) {
  machine_->WriteFile("D:\\InstData\\tvx.ins", script_text);
  ScriptEnvironment environment{platform(), script_state, catalogue, "D:\\InstData", {}};
  if (!LoadScript(environment, "", script)) return false;
  script_state.strings.AppendAll(*PlainReaderOfBytes(strings));
  return Finish();
}

bool MatchingRig::LoadSampleDisc() {
  machine_->CopyIn(SampleDisc() / "InstData", "D:\\InstData");
  ScriptEnvironment environment{platform(), script_state, catalogue, "D:\\InstData", {}};
  if (!LoadScript(environment, "", script)) return false;
  const bool french = options_.language == "French";
  LoadStrings(platform(), script_state, "D:\\InstData", french ? "strings.fra" : "strings.eng",
              french ? "zephra.fra" : "zephra.eng");
  return !script_state.strings_failed && Finish();
}

bool MatchingRig::Finish() {
  // Loading the strings makes the common folder, where tvx.ini lives.
  CreateDirectoryChain(platform().files, "C:\\WINDOWS\\Tarvex");
  script_state.current_language = options_.language;
  probes_ = std::make_unique<MachineProbes>(
      platform(), version, detection_state,
      ProbeSources(platform(), registry_state, script, catalogue, script_state.strings));
  BindProbes(catalogue, *probes_);
  matcher_ =
      std::make_unique<ConfigurationMatcher>(MatchingEnvironment{platform(), script, catalogue, script_state,
                                                                 registry_state, detection_state, ui_state},
                                             *probes_);
  return true;
}

const host::DialogState& MatchingRig::shown(std::size_t run) const {
  return machine_->machine().ui().dialogs().at(run).shown;
}

}  // namespace tvx::testing
