#include "components/media_installers.h"

#include "detection/detection_process_state.h"
#include "platform/path_text.h"
#include "platform/platform.h"
#include "ui/message_popup.h"
#include "ui/ui_process_state.h"

namespace tvx {
namespace {

constexpr int kBadWindowsVersion = 182;
constexpr int kNoDiskSpace = 183;
constexpr int kNoSetupInformation = 180;
constexpr int kNoSetupDirectory = 184;
constexpr int kOtherError = 185;
constexpr int kDirectXCaption = 186;
constexpr int kPleaseWait = 311;

// The message a DirectX setup code asks for; empty when none.
std::string DirectXMessage(ComponentContext& context, std::int32_t result) {
  switch (result) {
    case 1:
    case 0:
    case -14:
      return {};
    case -1:
      return context.text(kBadWindowsVersion);
    case -2:
      return "DSETUPERR_SOURCEFILENOTFOUND";
    case -3:
      return "DSETUPERR_BADSOURCESIZE";
    case -4:
      return "DSETUPERR_BADSOURCETIME";
    case -6:
      return context.text(kNoDiskSpace);
    case -7:
      return context.text(kNoSetupInformation);
    case -8:
      return context.text(kNoSetupDirectory);
    default:
      return context.text(kOtherError) + " (DirectX Error:" + std::to_string(result) + ")";
  }
}

void TellDirectXResult(ComponentContext& context, const std::string& message) {
  Ui& ui = context.platform.ui;
  ui.ShowMessageBox(message, context.text(kDirectXCaption),
                    box::kOk | box::kIconExclamation | box::kSetForeground, BoxOwner::None);
  if (ui.KeyPressed(kReturnKey)) context.ui_state.return_key_armed = false;
}

}  // namespace

std::int32_t InstallDirectX(ComponentContext& context) {
  Platform& platform = context.platform;
  const std::string library_path =
      std::string(UpToLastBackslash(platform.files.ModulePath())) + "\\Dsetup.dll";
  std::optional<std::int32_t> result;
  if (auto library = platform.shell.OpenLibrary(library_path))
    result = library->CallWithWindowPathAndFlags("DirectXSetupA", "", kDirectXSetupFlags);
  if (!result) return 0;
  platform.ui.KeyPressed(kReturnKey);
  if (*result == 1) context.detection.restart_needed = true;
  const std::string message = DirectXMessage(context, *result);
  if (!message.empty()) TellDirectXResult(context, message);
  return 1;
}

std::int32_t InstallDxMedia(ComponentContext& context) {
  const std::string program = context.detection.installer_path + "DXMedia.exe";
  MessagePopup popup;
  if (popup.Open(context.platform.ui, BoxOwner::MainWindow)) popup.ShowText(context.text(kPleaseWait));
  const std::optional<std::int32_t> exit_code =
      context.platform.shell.RunProgramAndWait(program, "-id:" + context.product_name());
  popup.Close();
  if (!exit_code || *exit_code < 0) return 0;
  if (*exit_code == kRestartExitCode) context.detection.restart_needed = true;
  return 1;
}

std::int32_t InstallAMovie(ComponentContext& context) {
  const std::string program = context.detection.installer_path + "AMovie.exe";
  const std::optional<std::int32_t> exit_code =
      context.platform.shell.RunProgramAndWait(program, "/Q:1 /R:N /C:\"amremove /setup_q\"");
  return exit_code && *exit_code == 0 ? 1 : 0;
}

}  // namespace tvx
