// The panel template's background copy on the real window procedures: it
// lands only where the window is painted, and never on the buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_platform.h"

namespace tvx::win32 {
namespace {

constexpr COLORREF kBackground = RGB(10, 200, 60);
// What else shows on the panel: a guide picture left there, a button face.
constexpr COLORREF kOther = RGB(250, 20, 200);
constexpr std::uint8_t kBackgroundIndex = 100;

class BackgroundModel : public DialogModel {
 public:
  int TemplateId() const override { return 102; }
  void OnInit(DialogView& view) override {
    view_ = &view;
    view.MoveWindow(RectAt(0, 0, 260, 180));
    view.Show(0, true);
  }
  void OnPaint(DialogView& view) override {
    if (background_) view.PaintBitmap(*background_, palette_, 0, 0);
  }

  DialogView* view_ = nullptr;
  const OffscreenBitmap* background_ = nullptr;
  const LogicalPalette* palette_ = nullptr;
};

// A button that never draws itself: whatever shows on it was left there.
class BlankButton : public ButtonEvents {
 public:
  void OnPointerMove(bool, bool) override {}
  void OnLeftDown(bool) override {}
  void OnLeftUp() override {}
  void OnFocus(bool) override {}
  void OnKey(int) override {}
  void OnDraw() override {}
};

void Pump() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
}

void Fill(HWND window, const RECT& area, COLORREF colour) {
  const HDC dc = ::GetDC(window);
  const HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &area, brush);
  ::DeleteObject(brush);
  ::ReleaseDC(window, dc);
}

COLORREF PixelOf(HWND window, int x, int y) {
  const HDC dc = ::GetDC(window);
  const COLORREF colour = ::GetPixel(dc, x, y);
  ::ReleaseDC(window, dc);
  return colour;
}

class Win32PanelPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Surface& surface = platform_.platform().ui.surface();
    PaletteEntries entries = surface.SystemPaletteEntries();
    entries[kBackgroundIndex] = {GetRValue(kBackground), GetGValue(kBackground), GetBValue(kBackground),
                                 kPcReserved};
    palette_ = surface.CreatePalette(entries);
    const Size size{256, 176};
    background_ = surface.CreateBitmap(size);
    const std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size.width) * size.height,
                                           kBackgroundIndex);
    surface.DrawIndexed(*background_, *palette_, {size.width, size.height, size.width, pixels});
    model_.background_ = background_.get();
    model_.palette_ = palette_.get();
    window_ = platform_.platform().ui.OpenModeless(model_, BoxOwner::None);
    if (!window_) GTEST_SKIP() << "no display here: the panel window could not be made";
    panel_ = static_cast<Win32DialogHost&>(window_->view()).window();
    Pump();
    ::UpdateWindow(panel_);
  }

  Win32Platform platform_;
  BackgroundModel model_;
  std::unique_ptr<LogicalPalette> palette_;
  std::unique_ptr<OffscreenBitmap> background_;
  std::unique_ptr<ModelessDialog> window_;
  HWND panel_ = nullptr;
};

TEST_F(Win32PanelPaintTest, APartialRepaintCopiesTheBackgroundOnlyWhereThePanelIsPainted) {
  ASSERT_EQ(PixelOf(panel_, 50, 50), kBackground);
  Fill(panel_, {10, 10, 40, 40}, kOther);
  const RECT invalid{100, 100, 140, 140};
  Fill(panel_, invalid, kOther);
  ::InvalidateRect(panel_, &invalid, FALSE);
  ::UpdateWindow(panel_);
  EXPECT_EQ(PixelOf(panel_, 120, 120), kBackground);
  EXPECT_EQ(PixelOf(panel_, 20, 20), kOther);  // a copy through GetDC covers it
}

TEST_F(Win32PanelPaintTest, ABackgroundCopyOutsidePaintingWaitsForThePaint) {
  Fill(panel_, {10, 10, 40, 40}, kOther);
  model_.view_->PaintBitmap(*background_, palette_.get(), 0, 0);
  EXPECT_EQ(PixelOf(panel_, 20, 20), kOther);
  RECT pending{};
  EXPECT_TRUE(::GetUpdateRect(panel_, &pending, FALSE));
  ::UpdateWindow(panel_);
  EXPECT_EQ(PixelOf(panel_, 20, 20), kBackground);
}

TEST_F(Win32PanelPaintTest, ARepaintOfThePanelNeverCopiesTheBackgroundOverItsButtons) {
  BlankButton events;
  ButtonControl* button = model_.view_->AttachButton(1000, events);
  ASSERT_NE(button, nullptr);
  button->Move(RectAt(150, 20, 40, 30), false);
  button->Show(true);
  Pump();
  const HWND control = ::GetDlgItem(panel_, 1000);
  Fill(control, {0, 0, 40, 30}, kOther);
  ASSERT_EQ(PixelOf(control, 5, 5), kOther);
  // What activating the panel does; the panel alone paints.
  ::InvalidateRect(panel_, nullptr, FALSE);
  ::RedrawWindow(panel_, nullptr, nullptr, RDW_UPDATENOW | RDW_NOCHILDREN);
  EXPECT_EQ(PixelOf(panel_, 50, 50), kBackground);
  EXPECT_EQ(PixelOf(control, 5, 5), kOther);
}

}  // namespace
}  // namespace tvx::win32
