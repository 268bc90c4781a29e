#include "install/shortcut_test_support.h"

#include <stdexcept>

#include "script/script_loader.h"
#include "script/strings_loader.h"

namespace tvx::testing {
namespace {

TestMachine::Options SampleOptions(const std::string& answers, const std::string& profile_patch) {
  TestMachine::Options options;
  options.profile_json = PatchedProfile(profile_patch);
  options.disc = SampleDisc();
  options.answers = answers;
  return options;
}

// What the language choice and the matching do before the installation:
// the chosen language's files join the lists.
void AddLanguageFiles(const CopyItemList& from, CopyItemList& to, const std::string& language) {
  for (const CopyItem& item : from.items)
    if (item.language_tag == language) to.Add(item);
}

}  // namespace

const ShellLink* RecordingShell::Find(const std::string& file) const {
  for (const ShellLink& link : links)
    if (link.file == file) return &link;
  return nullptr;
}

SampleProduct::SampleProduct(const std::string& answers, std::size_t language,
                             const std::string& profile_patch)
    : machine_(SampleOptions(answers, profile_patch)),
      shell_(machine_.platform().shell),
      platform_{machine_.platform().files, machine_.platform().registry, machine_.platform().system, shell_,
                machine_.platform().ui},
      language_(language) {
  ScriptEnvironment environment{platform_, state, tests, "D:\\InstData", {}};
  if (!LoadScript(environment, "", script)) throw std::runtime_error("the sample script does not load");
  const LanguageTable& languages = script.languages;
  LoadStrings(platform_, state, "D:\\InstData", languages.common_strings_files.at(language),
              languages.product_strings_files.at(language));
  const std::string& key = languages.keys.at(language);
  state.current_language = key;
  AddLanguageFiles(script.common_language_files, script.common_files, key);
  for (Configuration& configuration : script.configurations)
    AddLanguageFiles(configuration.language_files, configuration.files, key);
  platform_.registry.CreateKey(RegistryRoot::ClassesRoot, "http\\DefaultIcon");
  platform_.registry.SetValue(RegistryRoot::ClassesRoot, "http\\DefaultIcon", "",
                              RegistryValue::String(std::string(kBrowserIcon) + ",1"));
}

ShortcutSetting SampleProduct::Setting(std::size_t configuration) const {
  return {script, script.configurations.at(configuration), kInstallDirectory, "D:", "Zephra", language_};
}

std::string SampleProduct::Create(std::size_t configuration) {
  return CreateShortcuts(platform_, ui_state, state.strings, Setting(configuration));
}

}  // namespace tvx::testing
