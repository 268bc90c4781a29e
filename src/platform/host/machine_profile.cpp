#include "platform/host/machine_profile.h"

#include <algorithm>
#include <cctype>
#include <nlohmann/json.hpp>
#include <type_traits>
#include <utility>

namespace tvx::host {
namespace {

using Json = nlohmann::json;

// Unknown keys are ignored so that profiles can grow; known keys must have
// the right type, or the profile is refused with the key named.
// Numbers are checked before conversion: a JSON number that does not fit
// the field (or has a fraction) is refused, never cast.
template <typename T>
T Value(const Json& value, const char* key) {
  if constexpr (std::is_integral_v<T> && !std::is_same_v<T, bool>) {
    if (value.is_number_unsigned() && std::in_range<T>(value.get<std::uint64_t>()))
      return static_cast<T>(value.get<std::uint64_t>());
    if (value.is_number_integer() && std::in_range<T>(value.get<std::int64_t>()))
      return static_cast<T>(value.get<std::int64_t>());
    throw std::invalid_argument(std::string("\"") + key + "\" is not a whole number in range");
  } else {
    return value.get<T>();
  }
}

template <typename T>
void ReadOptional(const Json& object, const char* key, T& target) {
  if (object.contains(key)) target = Value<T>(object.at(key), key);
}

template <typename T>
T ReadRequired(const Json& object, const char* key) {
  return Value<T>(object.at(key), key);
}

// A number that must lie in a range when it is given.
template <typename T>
void ReadBounded(const Json& object, const char* key, T& target, T lowest, T highest) {
  ReadOptional(object, key, target);
  if (object.contains(key) && (target < lowest || target > highest))
    throw std::invalid_argument(std::string("\"") + key + "\" is not between " + std::to_string(lowest) +
                                " and " + std::to_string(highest));
}

// The elements of a list, by reference: copying a value nested deeply
// enough would overflow the stack.
const Json::array_t& ListOf(const Json& value, const char* key) {
  if (!value.is_array()) throw std::invalid_argument(std::string("\"") + key + "\" is not a list");
  return value.get_ref<const Json::array_t&>();
}

const Json::array_t& ListOfObjects(const Json& value, const char* key) {
  for (const Json& element : ListOf(value, key))
    if (!element.is_object())
      throw std::invalid_argument(std::string("\"") + key + "\" holds what is not an object");
  return value.get_ref<const Json::array_t&>();
}

const Json::object_t& ObjectOf(const Json& value, const std::string& key) {
  if (!value.is_object()) throw std::invalid_argument("\"" + key + "\" is not an object");
  return value.get_ref<const Json::object_t&>();
}

DriveType ParseDriveType(const std::string& name) {
  static const std::map<std::string, DriveType> kTypes = {{"fixed", DriveType::Fixed},
                                                          {"cdrom", DriveType::CdRom},
                                                          {"removable", DriveType::Removable},
                                                          {"remote", DriveType::Remote},
                                                          {"ramdisk", DriveType::RamDisk}};
  const auto found = kTypes.find(name);
  if (found == kTypes.end()) throw std::invalid_argument("unknown drive type \"" + name + "\"");
  return found->second;
}

DriveProfile ParseDrive(const Json& object) {
  DriveProfile drive;
  const std::string letter = ReadRequired<std::string>(object, "letter");
  if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0])))
    throw std::invalid_argument("drive letter \"" + letter + "\" is not one letter");
  drive.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
  drive.type = ParseDriveType(ReadRequired<std::string>(object, "type"));
  ReadOptional(object, "label", drive.label);
  ReadOptional(object, "has_media", drive.has_media);
  ReadOptional(object, "capacity", drive.capacity);
  ReadOptional(object, "used", drive.used);
  ReadOptional(object, "bytes_per_sector", drive.bytes_per_sector);
  ReadOptional(object, "sectors_per_cluster", drive.sectors_per_cluster);
  ReadOptional(object, "read_kb_per_second", drive.read_kb_per_second);
  if (drive.bytes_per_sector == 0 || drive.sectors_per_cluster == 0)
    throw std::invalid_argument("drive " + letter + " has a zero cluster geometry");
  return drive;
}

VersionRecord ParseVersion(const Json& object) {
  VersionRecord version;
  version.platform_id = ReadRequired<std::uint32_t>(object, "platform");
  version.major = ReadRequired<std::uint32_t>(object, "major");
  version.minor = ReadRequired<std::uint32_t>(object, "minor");
  ReadOptional(object, "build", version.build);
  ReadOptional(object, "service", version.service);
  return version;
}

MemoryStatus ParseMemory(const Json& object) {
  MemoryStatus memory;
  ReadOptional(object, "total_physical", memory.total_physical);
  memory.available_physical = memory.total_physical / 2;
  ReadOptional(object, "available_physical", memory.available_physical);
  ReadOptional(object, "total_page_file", memory.total_page_file);
  memory.available_page_file = memory.total_page_file;
  ReadOptional(object, "available_page_file", memory.available_page_file);
  return memory;
}

// Sides fit the signed 16-bit coordinates of Windows 95's graphics; a
// display has at most 32 bits per pixel over all its planes; the logical
// resolution goes up to ten times the usual 96.
ScreenInfo ParseScreen(const Json& object) {
  ScreenInfo screen;
  ReadBounded(object, "width", screen.width, 1, 32767);
  ReadBounded(object, "height", screen.height, 1, 32767);
  ReadBounded(object, "bits_per_pixel", screen.bits_per_pixel, 1, 32);
  ReadBounded(object, "planes", screen.planes, 1, 32);
  ReadBounded(object, "logical_dpi", screen.logical_dpi_x, 1, 960);
  screen.logical_dpi_y = screen.logical_dpi_x;
  const std::int64_t depth = std::int64_t{screen.bits_per_pixel} * screen.planes;
  if (depth > 32) throw std::invalid_argument("\"bits_per_pixel\" times \"planes\" is above 32");
  screen.palette = depth <= 8;
  return screen;
}

// GetWindowsDirectoryA and the shell fill buffers of MAX_PATH characters,
// the terminating zero included.
void CheckFolderLength(const std::string& key, const std::string& path) {
  if (path.size() > 259) throw std::invalid_argument("\"" + key + "\" is longer than 259 characters");
}

void ParseSpecialFolders(const Json& object, MachineProfile& profile) {
  static const std::map<std::string, SpecialFolder> kNames = {
      {"programs", SpecialFolder::Programs},
      {"startup", SpecialFolder::Startup},
      {"start_menu", SpecialFolder::StartMenu},
      {"desktop", SpecialFolder::DesktopDirectory},
      {"fonts", SpecialFolder::Fonts},
      {"common_programs", SpecialFolder::CommonPrograms},
      {"common_startup", SpecialFolder::CommonStartup},
      {"common_start_menu", SpecialFolder::CommonStartMenu},
      {"common_desktop", SpecialFolder::CommonDesktopDirectory},
  };
  for (const auto& [name, folder] : kNames) {
    if (!object.contains(name)) continue;
    profile.special_folders[folder] = object.at(name).get<std::string>();
    CheckFolderLength(name, profile.special_folders[folder]);
  }
}

std::uint32_t ReadNibble(const Json& object, const char* key, std::uint32_t fallback) {
  ReadOptional(object, key, fallback);
  if (fallback > 15) throw std::invalid_argument(std::string("cpu \"") + key + "\" is above 15");
  return fallback;
}

CpuProfile ParseCpu(const Json& object) {
  CpuProfile cpu;
  ReadOptional(object, "vendor", cpu.vendor);
  if (cpu.vendor.size() != 12) throw std::invalid_argument("cpu \"vendor\" is not 12 characters");
  cpu.family = ReadNibble(object, "family", cpu.family);
  cpu.model = ReadNibble(object, "model", cpu.model);
  cpu.stepping = ReadNibble(object, "stepping", cpu.stepping);
  ReadOptional(object, "has_cpuid", cpu.has_cpuid);
  ReadOptional(object, "ac_flag", cpu.ac_flag);
  ReadOptional(object, "tsc", cpu.tsc);
  ReadOptional(object, "mmx", cpu.mmx);
  if (object.contains("cache_descriptors")) {
    cpu.cache_descriptors.clear();
    for (const Json& value : ListOf(object.at("cache_descriptors"), "cache_descriptors"))
      cpu.cache_descriptors.push_back(Value<std::uint8_t>(value, "cache_descriptors"));
  }
  // One leaf-2 reading holds 15 descriptor bytes.
  if (cpu.cache_descriptors.size() > 15) throw std::invalid_argument("more than 15 \"cache_descriptors\"");
  ReadOptional(object, "clock_hz", cpu.clock_hz);
  ReadOptional(object, "performance_counter", cpu.performance_counter);
  return cpu;
}

SoundProfile ParseSound(const Json& object) {
  SoundProfile sound;
  if (object.contains("wave_out"))
    for (const Json& device : ListOfObjects(object.at("wave_out"), "wave_out"))
      sound.wave_out.push_back(
          {ReadRequired<std::string>(device, "name"), ReadRequired<std::uint32_t>(device, "formats")});
  if (object.contains("mapper_formats"))
    sound.mapper_formats = Value<std::uint32_t>(object.at("mapper_formats"), "mapper_formats");
  ReadOptional(object, "cd_audio_devices", sound.cd_audio_devices);
  return sound;
}

void ParseLibraries(const Json& object, MachineProfile& profile) {
  for (const auto& [name, functions] : ObjectOf(object, "libraries")) {
    auto& library = profile.libraries[LibraryKey(name)];
    for (const auto& [function, answer] : ObjectOf(functions, name))
      library[function] = Value<std::int32_t>(answer, function.c_str());
  }
}

void ParseExitCodes(const Json& object, MachineProfile& profile) {
  for (const auto& [path, code] : ObjectOf(object, "exit_codes"))
    profile.exit_codes[FoldedPath(path)] = Value<std::int32_t>(code, path.c_str());
}

void ParseFiles(const Json& list, MachineProfile& profile) {
  for (const Json& entry : ListOf(list, "files")) {
    if (entry.is_string()) {
      profile.files.push_back({entry.get<std::string>(), {}});
    } else if (!entry.is_object()) {
      throw std::invalid_argument("\"files\" holds what is neither a path nor an object");
    } else {
      FileProfile file{ReadRequired<std::string>(entry, "path"), {}};
      ReadOptional(entry, "text", file.text);
      profile.files.push_back(std::move(file));
    }
  }
}

void ParseProcesses(const Json& list, MachineProfile& profile) {
  for (const Json& entry : ListOfObjects(list, "processes")) {
    ProcessProfile process;
    process.executable = ReadRequired<std::string>(entry, "executable");
    ReadOptional(entry, "window", process.window);
    profile.processes.push_back(std::move(process));
  }
}

void ParseDevices(const Json& root, MachineProfile& profile) {
  if (root.contains("cpu")) profile.cpu = ParseCpu(root.at("cpu"));
  if (root.contains("sound")) profile.sound = ParseSound(root.at("sound"));
  if (root.contains("libraries")) ParseLibraries(root.at("libraries"), profile);
  if (root.contains("exit_codes")) ParseExitCodes(root.at("exit_codes"), profile);
  if (root.contains("files")) ParseFiles(root.at("files"), profile);
  if (root.contains("local_machine_keys"))
    profile.local_machine_keys = root.at("local_machine_keys").get<std::vector<std::string>>();
  if (root.contains("processes")) ParseProcesses(root.at("processes"), profile);
}

void CheckDrives(const MachineProfile& profile) {
  if (profile.drives.empty()) throw std::invalid_argument("the machine has no drive");
  for (std::size_t i = 1; i < profile.drives.size(); ++i)
    if (profile.drives[i].letter == profile.drives[i - 1].letter)
      throw std::invalid_argument(std::string("drive ") + profile.drives[i].letter + " is listed twice");
  const std::string& windows = profile.windows_directory;
  if (windows.size() < 3 || windows[1] != ':' || windows[2] != '\\' ||
      !profile.FindDrive(static_cast<char>(std::toupper(static_cast<unsigned char>(windows[0])))))
    throw std::invalid_argument("windows_directory \"" + windows + "\" is not on a drive of the machine");
}

template <typename Enum>
Enum Named(const Json& object, const char* key, const std::map<std::string, Enum>& names, Enum fallback) {
  if (!object.contains(key)) return fallback;
  const std::string name = ReadRequired<std::string>(object, key);
  const auto found = names.find(name);
  if (found == names.end()) throw std::invalid_argument(std::string("unknown ") + key + " \"" + name + "\"");
  return found->second;
}

UacProfile ParseUac(const Json& root) {
  UacProfile uac;
  ReadOptional(root, "uac", uac.enabled);
  ReadOptional(root, "desktop_shell", uac.desktop_shell);
  uac.token = Named<TokenProfile>(root, "token",
                                  {{"full", TokenProfile::Full},
                                   {"limited", TokenProfile::Limited},
                                   {"elevated", TokenProfile::Elevated},
                                   {"standard", TokenProfile::Standard}},
                                  uac.token);
  uac.prompt = Named<UacPrompt>(
      root, "uac_prompt",
      {{"accept", UacPrompt::Accept}, {"refuse", UacPrompt::Refuse}, {"fail", UacPrompt::Fail}}, uac.prompt);
  return uac;
}

MachineProfile ParseProfile(const Json& root) {
  MachineProfile profile;
  ReadOptional(root, "description", profile.description);
  profile.version = ParseVersion(root.at("os"));
  ReadOptional(root, "administrator", profile.administrator);
  profile.uac = ParseUac(root);
  ReadOptional(root, "user_language", profile.user_language);
  profile.windows_directory = ReadRequired<std::string>(root, "windows_directory");
  profile.system_directory = profile.windows_directory + "\\SYSTEM";
  ReadOptional(root, "system_directory", profile.system_directory);
  if (root.contains("memory")) profile.memory = ParseMemory(root.at("memory"));
  if (root.contains("screen")) profile.screen = ParseScreen(root.at("screen"));
  if (root.contains("special_folders")) ParseSpecialFolders(root.at("special_folders"), profile);
  for (const Json& drive : ListOfObjects(root.at("drives"), "drives"))
    profile.drives.push_back(ParseDrive(drive));
  std::sort(profile.drives.begin(), profile.drives.end(),
            [](const DriveProfile& a, const DriveProfile& b) { return a.letter < b.letter; });
  CheckDrives(profile);
  CheckFolderLength("windows_directory", profile.windows_directory);
  CheckFolderLength("system_directory", profile.system_directory);
  ParseDevices(root, profile);
  return profile;
}

// Errors quote the profile's own text: keep them to one short line.
std::string OneLine(std::string_view text) {
  constexpr std::size_t kLongest = 200;
  std::string line;
  for (char c : text.substr(0, kLongest)) line += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return text.size() > kLongest ? line + "..." : line;
}

std::optional<MachineProfile> ParseOrExplain(const std::string& json_text, std::string& error) {
  try {
    const Json root = Json::parse(json_text);
    if (!root.is_object()) throw std::invalid_argument("the top level is not an object");
    return ParseProfile(root);
  } catch (const Json::parse_error& e) {
    error = std::string("not valid JSON: ") + e.what();
  } catch (const Json::exception& e) {
    error = std::string("wrong content: ") + e.what();
  } catch (const std::exception& e) {
    error = e.what();
  }
  return std::nullopt;
}

}  // namespace

const DriveProfile* MachineProfile::FindDrive(char letter) const {
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (const DriveProfile& drive : drives)
    if (drive.letter == upper) return &drive;
  return nullptr;
}

const DriveProfile* MachineProfile::FirstCdRom() const {
  for (const DriveProfile& drive : drives)
    if (drive.type == DriveType::CdRom) return &drive;
  return nullptr;
}

bool HasUserAccountControl(const MachineProfile& profile) {
  return profile.version.platform_id == kPlatformWin32Nt && profile.version.major >= 6;
}

ElevationState ElevationOf(const MachineProfile& profile) {
  if (!HasUserAccountControl(profile)) return {};
  switch (profile.uac.token) {
    case TokenProfile::Full:
      return {TokenElevation::Default, true, profile.uac.enabled};
    case TokenProfile::Limited:
      return {TokenElevation::Limited, false, profile.uac.enabled};
    case TokenProfile::Elevated:
      return {TokenElevation::Elevated, true, profile.uac.enabled};
    case TokenProfile::Standard:
      break;
  }
  return {TokenElevation::Default, false, profile.uac.enabled};
}

bool HoldsAdministratorRights(const MachineProfile& profile) {
  if (!profile.administrator) return false;
  if (!HasUserAccountControl(profile)) return true;
  return profile.uac.token != TokenProfile::Limited && profile.uac.token != TokenProfile::Standard;
}

std::string FoldedPath(std::string_view path) {
  std::string folded;
  for (const char c : path) folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

std::string LibraryKey(std::string_view name) {
  std::string key;
  for (const char c : name) key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t last_part = key.find_last_of("\\/");
  if (key.find('.', last_part == std::string::npos ? 0 : last_part) == std::string::npos) key += ".dll";
  return key;
}

std::optional<MachineProfile> ParseMachineProfile(const std::string& json_text, std::string& error) {
  const auto result = ParseOrExplain(json_text, error);
  if (!result) error = OneLine(error);
  return result;
}

}  // namespace tvx::host
