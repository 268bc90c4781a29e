#include "components/codec_installers.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "detection/detection_process_state.h"
#include "detection/drive_info.h"
#include "detection/software_probes.h"
#include "install/choose_destination.h"
#include "platform/button_control.h"
#include "platform/file_services.h"
#include "platform/platform.h"
#include "ui/ui_process_state.h"

namespace tvx {
namespace {

// The program's texts are ANSI: "\xAE" is the registered sign of code page 1252.
struct IndeoCodec {
  std::string_view tag;          // "IV41": SYSTEM.INI's "VIDC.IV41", the key "vidc.IV41"
  std::string_view file;         // as registered and backed up
  std::string_view disc_file;    // as copied
  std::string_view description;  // the registry's description and friendly name
  std::string_view listed_as;    // in the drivers list when a newer codec leads it
};

constexpr IndeoCodec kIndeo50{"IV50", "ir50_32.dll", "IR50_32.DLL",
                              "Indeo\xAE video interactive R5.06 by Intel", ""};
constexpr IndeoCodec kIndeo41{"IV41", "ir41_32.dll", "IR41_32.DLL",
                              "Indeo\xAE video interactive R4.1 by Intel",
                              "Indeo\xAE video R4.1 version 4.11.15.91"};
constexpr IndeoCodec kIndeo32{"IV32", "ir32_32.dll", "IR32_32.DLL", "Indeo\xAE video R3.2 by Intel",
                              "Indeo\xAE video R3.2 version 3.24.15.03"};

constexpr IndeoCodec kVfwIndeoCodecs[] = {kIndeo41, kIndeo32};
constexpr IndeoCodec kIndeo5Codecs[] = {kIndeo50, kIndeo41, kIndeo32};

constexpr const char* kNoRoom = "Not Enough HD Space to install Indeo\xAE";
constexpr const char* kNotInstalled = "Unable to install Indeo\xAE.";
constexpr const char* kComplete = "Indeo\xAE video interactive Setup is now complete";
constexpr const char* kOrdinals[] = {"1st", "2nd", "3rd"};

// A file the installer may change, with what it was before.
struct BackedUpFile {
  std::string path;
  std::string backup;  // the path with "sav" for its last three characters
  bool existed = false;
};

class IndeoSetup {
 public:
  IndeoSetup(ComponentContext& context, std::span<const IndeoCodec> codecs)
      : context_(context), platform_(context.platform), codecs_(codecs) {}

  std::int32_t Run() {
    if (!HasRoom()) return Fail(kNoRoom, box::kIconHand);
    if (!BackUpAll()) return Fail(kNotInstalled, box::kIconHand);
    if (!CopyAll()) return 0;
    TellDrivers();
    WriteSystemIni();
    if (!RegisterAll()) return 0;
    for (const BackedUpFile& file : files_) DropBackup(file);
    Tell(kComplete, box::kOk);
    ForgetReturnKeyWhenHeld();
    return 1;
  }

 private:
  bool HasRoom() {
    DriveInfo drive{WindowsDirectory(platform_.files).substr(0, 3)};
    return DriveHasRoom(platform_.files, drive, kIndeoBlocks, kIndeoFiles);
  }

  // A backup that cannot be made would leave a stale or partial one to be
  // put back later: stop while nothing has changed yet.
  bool BackUpAll() {
    FileSystem& files = platform_.files;
    files_.push_back(Watched(WindowsDirectory(files), "system.ini"));
    for (const IndeoCodec& codec : codecs_) files_.push_back(Watched(SystemDirectory(files), codec.file));
    for (std::size_t i = 0; i < files_.size(); ++i) {
      const BackedUpFile& file = files_[i];
      if (!file.existed || CopyWholeFile(files, file.path, file.backup)) continue;
      for (std::size_t made = 0; made <= i; ++made)
        if (files_[made].existed) files.RemoveFile(files_[made].backup);
      return false;
    }
    return true;
  }

  BackedUpFile Watched(const std::string& folder, std::string_view name) {
    const std::string path = folder + "\\" + std::string(name);
    return {path, path.substr(0, path.size() - 3) + "sav", FileExists(platform_.files, path)};
  }

  bool CopyAll() {
    const std::string system = SystemDirectory(platform_.files);
    for (const IndeoCodec& codec : codecs_) {
      const std::string source = context_.detection.installer_path + std::string(codec.disc_file);
      const std::string destination = system + "\\" + std::string(codec.disc_file);
      if (CopyWholeFile(platform_.files, source, destination)) continue;
      Tell("Impossible to copy " + source + " to " + destination, box::kOk);
      for (const BackedUpFile& file : files_) Restore(file);
      ForgetReturnKeyWhenHeld();
      return false;
    }
    return true;
  }

  // A file that was not there before is removed, so a failed run leaves
  // the system directory as it found it.
  void Restore(const BackedUpFile& file) {
    FileSystem& files = platform_.files;
    if (!file.existed) {
      files.RemoveFile(file.path);
    } else if (FileExists(files, file.backup) && CopyWholeFile(files, file.backup, file.path)) {
      files.RemoveFile(file.backup);
    }
    Tell(kNotInstalled, box::kIconHand);
  }

  void DropBackup(const BackedUpFile& file) {
    if (FileExists(platform_.files, file.backup)) platform_.files.RemoveFile(file.backup);
  }

  void TellDrivers() {
    const IndeoCodec& leader = codecs_.front();
    std::string text = "The following drivers will be installed:\n  *  Indeo\xAE video interactive " +
                       FileVersionText(platform_.files, platform_.system,
                                       context_.detection.installer_path + std::string(leader.disc_file)) +
                       "\nFilename: " + std::string(leader.file) + "\n";
    for (const IndeoCodec& codec : codecs_.subspan(1))
      text += " *  " + std::string(codec.listed_as) + "\nFilename: " + std::string(codec.file) + "\n";
    Tell(text, box::kIconAsterisk);
  }

  // Whether SYSTEM.INI took the lines is not checked: the registry entries
  // are what the video compression manager of the NT family reads.
  void WriteSystemIni() {
    for (const IndeoCodec& codec : codecs_)
      platform_.system.WriteProfileText("system.ini", "drivers32", "VIDC." + std::string(codec.tag),
                                        codec.file);
  }

  bool RegisterAll() {
    for (const IndeoCodec& codec : codecs_) {
      const std::string key = std::string(kCodecKeyPrefix) + "vidc." + std::string(codec.tag);
      const std::string_view values[][2] = {
          {"Description", codec.description}, {"Driver", codec.file}, {"FriendlyName", codec.description}};
      for (std::size_t i = 0; i < 3; ++i) {
        if (WriteCodecValue(key, values[i][0], values[i][1])) continue;
        Tell(
            "Failed to make " + std::string(kOrdinals[i]) + " " + std::string(codec.tag) + " registry entry!",
            box::kOk);
        ForgetReturnKeyWhenHeld();
        return false;
      }
    }
    return true;
  }

  // Written without a terminating zero, and flushed at once.
  bool WriteCodecValue(const std::string& key, std::string_view name, std::string_view text) {
    Registry& registry = platform_.registry;
    if (registry.CreateKey(RegistryRoot::LocalMachine, key) != registry_status::kSuccess) return false;
    const RegistryValue value{RegistryType::String, std::string(text)};
    return registry.SetValue(RegistryRoot::LocalMachine, key, name, value) == registry_status::kSuccess &&
           registry.Flush(RegistryRoot::LocalMachine) == registry_status::kSuccess;
  }

  std::int32_t Fail(const std::string& text, std::uint32_t style) {
    Tell(text, style);
    ForgetReturnKeyWhenHeld();
    return 0;
  }

  // The boxes carry the product's name: the texts name no caption.
  void Tell(const std::string& text, std::uint32_t style) {
    platform_.ui.ShowMessageBox(text, context_.product_name(), style);
  }

  void ForgetReturnKeyWhenHeld() {
    if (platform_.ui.KeyPressed(kReturnKey)) context_.ui_state.return_key_armed = false;
  }

  ComponentContext& context_;
  Platform& platform_;
  std::span<const IndeoCodec> codecs_;
  std::vector<BackedUpFile> files_;
};

}  // namespace

std::int32_t InstallVfwIndeo(ComponentContext& context) { return IndeoSetup(context, kVfwIndeoCodecs).Run(); }

std::int32_t InstallIndeo5(ComponentContext& context) { return IndeoSetup(context, kIndeo5Codecs).Run(); }

}  // namespace tvx
