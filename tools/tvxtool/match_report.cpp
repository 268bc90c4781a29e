#include "match_report.h"

#include <algorithm>

#include "detection/bind_probes.h"
#include "detection/configuration_matcher.h"
#include "detection/system_version.h"
#include "detection/unmet_requirements.h"
#include "script/strings_loader.h"
#include "script_json.h"

namespace tvx::authoring {
namespace {

using nlohmann::ordered_json;

// The text a number names, without the program's message for a missing one.
std::optional<std::string> QuietText(const StringTable& strings, std::int32_t number) {
  for (const StringTable::Entry& entry : strings.entries())
    if (entry.number == number) return entry.text;
  return std::nullopt;
}

ordered_json TestJson(const DetectionTest& test, const char* catalogue, const StringTable& strings) {
  ordered_json json{{"name", test.name},
                    {"catalogue", catalogue},
                    {"display_name", Windows1252ToUtf8(test.display_name)},
                    {"value_base", test.value_base},
                    {"result", test.result}};
  if (!test.raw)
    if (const auto text = QuietText(strings, test.result)) json["result_text"] = Windows1252ToUtf8(*text);
  return json;
}

ordered_json ConfigurationRef(ConfigurationMatcher& matcher, const Configuration* configuration) {
  if (!configuration) return nullptr;
  return {{"index", matcher.IndexOf(configuration)}, {"name", Windows1252ToUtf8(configuration->name)}};
}

ordered_json ConfigurationJson(ConfigurationMatcher& matcher, Configuration& configuration) {
  ordered_json unmet = ordered_json::array();
  for (const std::string& line : UnmetRequirementLines(matcher, configuration))
    unmet.push_back(Windows1252ToUtf8(line));
  return {{"index", matcher.IndexOf(&configuration)},
          {"name", Windows1252ToUtf8(configuration.name)},
          {"type", Windows1252ToUtf8(configuration.type)},
          {"playable", configuration.playable},
          {"requirements_met", configuration.requirements_met},
          {"fits", matcher.fits(configuration)},
          {"selectable", configuration.selectable},
          {"size_blocks", matcher.ConfigurationSize(configuration)},
          {"unmet", unmet}};
}

ordered_json Report(ConfigurationMatcher& matcher, const StringTable& strings) {
  ordered_json tests = ordered_json::array();
  for (const DetectionTest* test : matcher.used_hardware_tests())
    tests.push_back(TestJson(*test, "hardware", strings));
  for (const DetectionTest* test : matcher.used_system_tests())
    tests.push_back(TestJson(*test, "system", strings));
  ordered_json drives = ordered_json::array();
  for (const DriveInfo& drive : matcher.drives())
    drives.push_back(
        {{"root", drive.root}, {"free_blocks", drive.free_blocks}, {"cluster_blocks", drive.cluster_blocks}});
  ordered_json configurations = ordered_json::array();
  for (Configuration& configuration : matcher.configurations())
    configurations.push_back(ConfigurationJson(matcher, configuration));
  return {{"language", matcher.environment().script_state.current_language},
          {"tests", tests},
          {"drives", drives},
          {"configurations", configurations},
          {"proposed", ConfigurationRef(matcher, matcher.proposed())},
          {"playable", ConfigurationRef(matcher, matcher.playable())},
          {"no_match", matcher.no_match()}};
}

}  // namespace

std::optional<ordered_json> MatchReport(Platform& platform, InstallScript& script, ScriptProcessState& state,
                                        DetectionCatalogue& tests, const std::string& language,
                                        std::string& error) {
  const LanguageTable& languages = script.languages;
  const std::string key = language.empty() && !languages.keys.empty() ? languages.keys.front() : language;
  const auto found = std::find(languages.keys.begin(), languages.keys.end(), key);
  const auto index = static_cast<std::size_t>(found - languages.keys.begin());
  if (found == languages.keys.end() || index >= languages.common_strings_files.size() ||
      index >= languages.product_strings_files.size()) {
    error = "the script has no language \"" + key + "\"";
    return std::nullopt;
  }
  state.current_language = key;
  LoadStrings(platform, state, "D:\\InstData", languages.common_strings_files[index],
              languages.product_strings_files[index]);
  if (state.strings_failed) {
    error = "the strings of " + key + " could not be read";
    return std::nullopt;
  }
  const SystemVersion version = ReadSystemVersion(platform.system.Version());
  DetectionProcessState detection_state;
  RegistryProcessState registry_state;
  UiProcessState ui_state;
  MachineProbes probes(platform, version, detection_state,
                       ProbeSources(platform, registry_state, script, tests, state.strings));
  BindProbes(tests, probes);
  ConfigurationMatcher matcher({platform, script, tests, state, registry_state, detection_state, ui_state},
                               probes);
  // The record is read here for the client's rule and again by Prepare; a
  // record naming no configuration stops both, as it stops start-up.
  if (!matcher.LoadInstalledChoice()) {
    error = "the configuration recorded in tvx.ini is not in the script";
    return std::nullopt;
  }
  // The client's files count only before the product is installed.
  if (script.client_offered && !matcher.installed())
    matcher.set_client_source_folder("D:\\" + script.client_folder);
  matcher.Prepare(false);
  return Report(matcher, state.strings);
}

}  // namespace tvx::authoring
