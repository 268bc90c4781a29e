// An image button on the panel template with the real window procedures:
// faces drawn through the palette, capture, the standard click, Return.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_platform.h"
#include "support/seam_files.h"
#include "ui/image_button.h"

namespace tvx::win32 {
namespace {

class PanelModel : public DialogModel {
 public:
  int TemplateId() const override { return 102; }
  void OnInit(DialogView& view) override {
    view_ = &view;
    view.MoveWindow(RectAt(0, 0, 200, 150));
    view.Show(0, true);
  }
  void OnCommand(DialogView&, int id) override { commands_ += std::to_string(id) + " "; }

  DialogView* view_ = nullptr;
  std::string commands_;
};

// A width x height picture of one index, run-length coded.
std::string Picture(int width, int height, std::uint8_t index) {
  std::string bytes(128, '\0');
  bytes[3] = 8;
  bytes[8] = static_cast<char>(width - 1);
  bytes[10] = static_cast<char>(height - 1);
  bytes[66] = static_cast<char>(width);
  for (int row = 0; row < height; ++row) {
    bytes += static_cast<char>(0xC0 | width);
    bytes += static_cast<char>(index);
  }
  return bytes + '\x0C' + std::string(768, '\0');
}

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

TEST(Win32ImageButtonTest, TheOwnerDrawnButtonFollowsThePointerAndTheKeys) {
  Win32Platform platform;
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "tvx-button-" + std::to_string(::GetCurrentProcessId());
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const char* suffixes[] = {"u", "d", "f", "x"};
  for (int face = 0; face < 4; ++face)
    testing::WriteFile(platform.platform().files, folder + "\\inst" + suffixes[face] + ".pcx",
                       Picture(8 + face, 6, static_cast<std::uint8_t>(100 + face)));
  PanelModel model;
  const auto window = platform.platform().ui.OpenModeless(model, BoxOwner::None);
  if (!window) GTEST_SKIP() << "no display here: the panel window could not be made";
  const HWND dialog = static_cast<Win32DialogHost&>(window->view()).window();
  PaletteEntries entries = platform.platform().ui.surface().SystemPaletteEntries();
  for (int face = 0; face < 4; ++face)
    entries[100 + face] = {static_cast<std::uint8_t>(60 * face), 200, 10, kPcReserved};
  const auto palette = platform.platform().ui.surface().CreatePalette(entries);
  UiProcessState state;
  PictureSource source{platform.platform(), [&] { return folder; }, [](int) { return std::string("inst"); }};
  ImageButton button(source, state, false);
  ASSERT_TRUE(button.Create(*model.view_, 1000, 110, 20, 30, *palette));

  const HWND control = ::GetDlgItem(dialog, 1000);
  EXPECT_TRUE(::IsWindowVisible(control));
  ::SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_EQ(button.face(), ImageButton::Face::Focus);
  EXPECT_EQ(::GetCapture(), control);
  RECT rect;
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.top, 30);
  EXPECT_EQ(rect.right - rect.left, 10);  // the focus face is 10 wide
  const HDC dc = ::GetDC(control);
  EXPECT_EQ(::GetPixel(dc, 1, 1), RGB(120, 200, 10));
  ::ReleaseDC(control, dc);

  ::SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
  EXPECT_EQ(button.face(), ImageButton::Face::Up);
  EXPECT_NE(::GetCapture(), control);

  ::SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  EXPECT_TRUE(button.pressed());
  ::SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_FALSE(button.pressed());
  Pump();
  EXPECT_EQ(model.commands_, "1000 ");  // the standard click

  state.return_key_armed = false;
  ::SendMessageA(control, WM_KEYDOWN, VK_RETURN, 0);
  Pump();
  EXPECT_EQ(model.commands_, "1000 ");
  ::SendMessageA(control, WM_KEYUP, VK_RETURN, 0);
  Pump();
  EXPECT_EQ(model.commands_, "1000 1000 ");  // posted once armed
  for (const char* suffix : suffixes) ::DeleteFileA((folder + "\\inst" + suffix + ".pcx").c_str());
  ::RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tvx::win32
