#include "install/create_shortcuts.h"

#include "install/group_dialog.h"
#include "install/shortcut_request.h"
#include "platform/file_services.h"
#include "platform/path_text.h"
#include "platform/registry_defaults.h"
#include "platform/shortcut_folders.h"
#include "script/script_text.h"

namespace tvx {
namespace {

constexpr const char* kSetupProgram = "SetupTvx";

// The places and texts every shortcut of one run shares.
struct Places {
  std::string programs;
  std::string desktop;
  std::string windows;
  std::string common;  // the common folder, where the setup program's copy is
  std::string browser_icon;
};

Places PlacesOf(Platform& platform) {
  Places places;
  ShortcutFolders folders = NewShortcutFolders(platform);
  places.programs = std::move(folders.programs);
  places.desktop = std::move(folders.desktop);
  places.windows = WindowsDirectory(platform.files);
  places.common = JoinPath(places.windows, "Tarvex");
  places.browser_icon = BrowserIconPath(platform.registry);
  return places;
}

std::string ChooseGroup(Platform& platform, UiProcessState& ui_state, StringTable& strings,
                        const ShortcutSetting& setting, const Places& places) {
  const std::string group = places.programs + "\\" + kDefaultGroup + "\\";
  if (setting.configuration.skip_shortcut) return group;
  GroupDialog dialog(platform, ui_state, places.programs, group,
                     [&](int number) { return strings.LookupString(platform.ui, number); });
  platform.ui.RunDialog(dialog);
  return dialog.group();
}

// The shortcuts that start the common setup program with a switch.
ShortcutRequest SetupShortcut(const Places& places, std::string name, std::string arguments,
                              std::string folder, std::string icon) {
  return {kSetupProgram,        places.common,     std::move(name),
          std::move(arguments), std::move(folder), std::move(icon)};
}

void CreateProductShortcuts(Platform& platform, StringTable& strings, const ShortcutSetting& setting,
                            const Places& places, const std::string& group, const std::string& product) {
  const InstallScript& script = setting.script;
  const std::string& name = script.application_name;
  const std::string icon =
      setting.install_directory + (script.icon.empty() ? setting.configuration.program_name : script.icon);
  const auto text = [&](int number) {
    return strings.LookupString(platform.ui, number, setting.application_name);
  };
  const std::string setup = JoinPath(places.common, std::string(kSetupProgram) + ".exe");
  CreateShortcut(platform, SetupShortcut(places, text(kGroupUninstallName), "-uninstall", group, setup));
  CreateShortcut(platform,
                 SetupShortcut(places, "2 " + text(kUninstallName), "-uninstall " + name, product, icon));
  CreateShortcut(platform, SetupShortcut(places, "1 " + text(kPlayName), "-play " + name, product, icon));
  CreateShortcut(platform, SetupShortcut(places, text(kPlayName), "-play " + name, places.desktop, icon));
  if (script.web_shortcut)
    CreateShortcut(platform,
                   SetupShortcut(places, script.web_shortcut_name, "-http " + script.web_shortcut_address,
                                 places.desktop, places.browser_icon));
}

const std::string& At(const std::vector<std::string>& list, std::size_t i) {
  static const std::string kNone;
  return i < list.size() ? list[i] : kNone;
}

// The installed copy of the README of the chosen language: the common
// files first (unless the configuration goes without), then its own, by
// name on the disc; empty when it is not installed.
std::string ReadmeDocument(const ShortcutSetting& setting, std::string_view readme) {
  const std::string_view name = AfterLastBackslash(readme);
  const auto find_in = [&](const CopyItemList& list) -> std::string {
    for (const CopyItem& item : list.items)
      if (!item.source_name.empty() && EqualsNoCase(item.source_name, name))
        return setting.install_directory + item.destination_directory + item.destination_name;
    return {};
  };
  std::string found = setting.configuration.without_common_files ? "" : find_in(setting.script.common_files);
  return found.empty() ? find_in(setting.configuration.files) : found;
}

// A document name without its folder and its extension.
std::string BareName(std::string_view path) {
  const std::string_view name = AfterLastBackslash(path);
  return std::string(name.substr(0, std::min(name.rfind('.'), name.size())));
}

// An entry that starts a program from the disc, the installation or the
// Windows folder; without a program path it opens its arguments as a
// document in that folder.
void SetProgram(ShortcutRequest& request, std::string_view program, const std::string& program_path) {
  if (!program.empty()) request.program = AfterLastBackslash(program_path);
  request.directory = UpToLastBackslash(program_path);
}

ShortcutRequest ResolveEntry(const ShortcutSetting& setting, const Places& places, const ShortcutList& list,
                             std::size_t i) {
  const std::string& location = At(list.locations, i);
  const std::string& program = At(list.programs, i);
  const std::string& icon = At(list.icons, i);
  const std::string& install = setting.install_directory;
  ShortcutRequest request;
  request.name = At(list.names, i);
  request.arguments = At(list.arguments, i);
  if (location == "CD") {
    SetProgram(request, program, setting.source_directory + "\\" + program);
    request.icon = setting.source_directory + "\\" + icon;
  } else if (location == "HD") {
    SetProgram(request, program, install + program);
    request.icon = install + icon;
  } else if (location == "README") {
    const std::string& readme = At(setting.script.languages.fifth_fields, setting.language);
    request.arguments = ReadmeDocument(setting, readme);
    request.icon = JoinPath(places.windows, "Notepad.exe");
    if (!readme.empty()) request.name = BareName(readme);
  } else if (location == "HTTP") {
    request.program = kSetupProgram;
    request.directory = places.common;
    request.arguments = "-http " + request.arguments;
    request.icon = places.browser_icon;
  } else {
    SetProgram(request, program, JoinPath(places.windows, program));
    request.icon = JoinPath(places.windows, icon);
    request.arguments = install + request.arguments;
  }
  return request;
}

ShortcutRequest ScriptShortcut(Platform& platform, StringTable& strings, const ShortcutSetting& setting,
                               const Places& places, const ShortcutList& list, std::size_t i,
                               const std::string& folder) {
  ShortcutRequest request = ResolveEntry(setting, places, list, i);
  request.folder = folder;
  constexpr std::string_view kMessageId = "MsgID";
  if (request.name.starts_with(kMessageId))
    request.name =
        strings.LookupString(platform.ui, ParseWholeNumber(request.name.substr(kMessageId.size())));
  return request;
}

}  // namespace

std::string CreateShortcuts(Platform& platform, UiProcessState& ui_state, StringTable& strings,
                            const ShortcutSetting& setting) {
  const Places places = PlacesOf(platform);
  const std::string group = ChooseGroup(platform, ui_state, strings, setting, places);
  const std::string product = group + setting.application_name;
  CreateProductShortcuts(platform, strings, setting, places, group, product);
  const ShortcutList& list = setting.configuration.shortcuts;
  for (std::size_t i = 0; i < list.names.size(); ++i)
    CreateShortcut(platform, ScriptShortcut(platform, strings, setting, places, list, i, product));
  return product;
}

std::string DesktopShortcutPath(Platform& platform, StringTable& strings, std::string_view application_name) {
  return JoinPath(NewShortcutFolders(platform).desktop,
                  strings.LookupString(platform.ui, kPlayName, application_name));
}

}  // namespace tvx
