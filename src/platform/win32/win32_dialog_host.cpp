#include "platform/win32/win32_dialog_host.h"

#include <string>

#include "platform/win32/win32_gdi_handles.h"
#include "platform/win32/win32_surface.h"

namespace tvx::win32 {
namespace {

constexpr const char* kButtonProperty = "tvx.button";

bool ClassIs(HWND window, const char* name) {
  char text[32] = {};
  ::GetClassNameA(window, text, sizeof text);
  return ::lstrcmpiA(text, name) == 0;
}

POINT PointOf(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

bool Inside(HWND window, LPARAM lparam) {
  RECT client;
  ::GetClientRect(window, &client);
  return ::PtInRect(&client, PointOf(lparam)) != FALSE;
}

Rect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

Win32ButtonControl::Win32ButtonControl(HWND window, ButtonEvents& events) : window_(window), events_(events) {
  ::SetPropA(window_, kButtonProperty, this);
  original_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32ButtonControl::Procedure)));
}

Win32ButtonControl::~Win32ButtonControl() {
  if (!::IsWindow(window_)) return;
  ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  ::RemovePropA(window_, kButtonProperty);
}

void Win32ButtonControl::Move(const Rect& parent_client, bool repaint) {
  ::MoveWindow(window_, parent_client.left, parent_client.top, parent_client.width(), parent_client.height(),
               repaint ? TRUE : FALSE);
}

void Win32ButtonControl::DrawBitmap(const OffscreenBitmap& bitmap, const LogicalPalette& palette) {
  const auto& source = static_cast<const Win32Bitmap&>(bitmap);
  WindowDc dc(window_);
  ::UnrealizeObject(static_cast<const Win32Palette&>(palette).get());
  SelectedPalette selected(dc.get(), static_cast<const Win32Palette&>(palette).get());
  RECT client;
  ::GetClientRect(window_, &client);
  ::BitBlt(dc.get(), client.left, client.top, source.size().width, source.size().height, source.dc(), 0, 0,
           SRCCOPY);
}

void Win32ButtonControl::PostCommand(int id) {
  ::PostMessageA(::GetParent(window_), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

LRESULT CALLBACK Win32ButtonControl::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* control = static_cast<Win32ButtonControl*>(::GetPropA(window, kButtonProperty));
  return control ? control->Handle(message, wparam, lparam)
                 : ::DefWindowProcA(window, message, wparam, lparam);
}

LRESULT Win32ButtonControl::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  const bool input = events_.TakesInput();
  switch (message) {
    case WM_MOUSEMOVE:
      // Moves never reach the standard button: the widget keeps the capture.
      if (input) events_.OnPointerMove(Inside(window_, lparam), (wparam & MK_LBUTTON) != 0);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!input) return 0;
      events_.OnLeftDown(Inside(window_, lparam));
      break;
    case WM_LBUTTONUP:
      if (!input) return 0;
      events_.OnLeftUp();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (input) events_.OnFocus(message == WM_SETFOCUS);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (!input) return 0;
      events_.OnKey(static_cast<int>(wparam));
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_CHAR:
      if (!input) return 0;
      break;
    default:
      break;
  }
  return ::CallWindowProcA(original_, window_, message, wparam, lparam);
}

Win32DialogHost::~Win32DialogHost() {
  buttons_.clear();
  trees_.clear();
  if (!modal_ && window_) ::DestroyWindow(window_);
}

int Win32DialogHost::RunModal(HWND owner) {
  EnsureCommonControls();
  modal_ = true;
  const INT_PTR code = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(model_.TemplateId()),
                                         owner, &Win32DialogHost::Procedure, reinterpret_cast<LPARAM>(this));
  return static_cast<int>(code);
}

bool Win32DialogHost::OpenModeless(HWND owner) {
  EnsureCommonControls();
  ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(model_.TemplateId()), owner,
                       &Win32DialogHost::Procedure, reinterpret_cast<LPARAM>(this));
  if (window_) ::UpdateWindow(window_);
  return window_ != nullptr;
}

INT_PTR CALLBACK Win32DialogHost::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* host = reinterpret_cast<Win32DialogHost*>(lparam);
    ::SetWindowLongPtrA(window, DWLP_USER, lparam);
    host->window_ = window;
  }
  auto* host = reinterpret_cast<Win32DialogHost*>(::GetWindowLongPtrA(window, DWLP_USER));
  return host ? host->Handle(message, wparam, lparam) : FALSE;
}

INT_PTR Win32DialogHost::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      Created();
      model_.OnInit(*this);
      return TRUE;
    case WM_DISPLAYCHANGE:
      colour_bits_ = 0;
      canvas_.Reset();
      model_.OnDisplayChange(*this);
      return FALSE;
    case WM_NCACTIVATE:
      model_.OnActivate(*this, wparam != FALSE);
      return FALSE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_COMMAND:
      Command(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return TRUE;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_DRAWITEM: {
      const auto found = buttons_.find(static_cast<int>(wparam));
      if (found == buttons_.end()) return FALSE;
      found->second->events().OnDraw();
      return TRUE;
    }
    case WM_PAINT: {
      PaintDc paint(window_);
      const HDC outer = paint_dc_;
      paint_dc_ = paint.get();
      model_.OnPaint(*this);
      paint_dc_ = outer;
      return TRUE;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
      model_.OnKey(*this, static_cast<int>(wparam));
      return FALSE;
    case WM_DESTROY:
      canvas_.Reset();
      buttons_.clear();
      trees_.clear();
      return FALSE;
    case WM_NCDESTROY:
      window_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void Win32DialogHost::Created() {
  if (icon_) {
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
  if (on_created_) on_created_(window_);
}

void Win32DialogHost::Command(int id, int code, HWND control) {
  // Without a control the command comes from the keyboard: Return is
  // IDOK, Escape and the close box IDCANCEL.
  if (!control || ClassIs(control, "Button")) {
    if (code == BN_CLICKED) model_.OnCommand(*this, id);
    return;
  }
  const bool list = ClassIs(control, "ListBox") || ClassIs(control, "ComboBox");
  if (list && code == LBN_SELCHANGE) model_.OnSelChange(*this, id);
  if (list && code == LBN_DBLCLK) model_.OnDoubleClick(*this, id);
}

INT_PTR Win32DialogHost::Notify(const NMHDR& header) {
  const auto found = trees_.find(static_cast<int>(header.idFrom));
  if (found == trees_.end()) return FALSE;
  return found->second->Notify(window_, header) ? TRUE : FALSE;
}

void Win32DialogHost::SetTitle(std::string_view text) {
  ::SetWindowTextA(window_, std::string(text).c_str());
}

std::string Win32DialogHost::Title() {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window_)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(::GetWindowTextA(window_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Win32DialogHost::SetText(int id, std::string_view text) {
  ::SetDlgItemTextA(window_, id, std::string(text).c_str());
}

std::string Win32DialogHost::Text(int id) {
  const HWND item = Item(id);
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(item)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Win32DialogHost::Enable(int id, bool enabled) { ::EnableWindow(Item(id), enabled); }
bool Win32DialogHost::IsEnabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }

void Win32DialogHost::Show(int id, bool visible) {
  ::ShowWindow(id == 0 ? window_ : Item(id), visible ? SW_SHOW : SW_HIDE);
}

bool Win32DialogHost::IsVisible(int id) { return ::IsWindowVisible(id == 0 ? window_ : Item(id)) != FALSE; }

Rect Win32DialogHost::WindowRect() {
  RECT rect{};
  ::GetWindowRect(window_, &rect);
  return FromRect(rect);
}

void Win32DialogHost::MoveWindow(const Rect& screen) {
  ::MoveWindow(window_, screen.left, screen.top, screen.width(), screen.height(), TRUE);
}

Rect Win32DialogHost::ControlRect(int id) {
  RECT rect{};
  ::GetWindowRect(Item(id), &rect);
  return FromRect(rect);
}

void Win32DialogHost::MoveControl(int id, const Rect& client) {
  ::MoveWindow(Item(id), client.left, client.top, client.width(), client.height(), TRUE);
}

Rect Win32DialogHost::ScreenToClient(const Rect& screen) {
  POINT corners[2] = {{screen.left, screen.top}, {screen.right, screen.bottom}};
  ::ScreenToClient(window_, &corners[0]);
  ::ScreenToClient(window_, &corners[1]);
  return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

Size Win32DialogHost::MeasureText(int id, std::string_view text) {
  const HWND source = id == 0 ? window_ : Item(id);
  const auto font = reinterpret_cast<HFONT>(::SendMessageA(source, WM_GETFONT, 0, 0));
  WindowDc dc(window_);
  SelectedObject selected(dc.get(), font);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
  return {extent.cx, extent.cy};
}

bool Win32DialogHost::IsCombo(int id) const { return ClassIs(Item(id), "ComboBox"); }

int Win32DialogHost::ListAdd(int id, std::string_view text, std::intptr_t data) {
  const bool combo = IsCombo(id);
  const std::string copy(text);
  const auto index = ::SendDlgItemMessageA(window_, id, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                           reinterpret_cast<LPARAM>(copy.c_str()));
  if (index >= 0)
    ::SendDlgItemMessageA(window_, id, combo ? CB_SETITEMDATA : LB_SETITEMDATA, static_cast<WPARAM>(index),
                          data);
  return static_cast<int>(index);
}

void Win32DialogHost::ListClear(int id) {
  ::SendDlgItemMessageA(window_, id, IsCombo(id) ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

void Win32DialogHost::ListDelete(int id, int index) {
  ::SendDlgItemMessageA(window_, id, IsCombo(id) ? CB_DELETESTRING : LB_DELETESTRING, index, 0);
}

void Win32DialogHost::ListSelect(int id, int index) {
  ::SendDlgItemMessageA(window_, id, IsCombo(id) ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
}

int Win32DialogHost::ListSelection(int id) {
  return static_cast<int>(
      ::SendDlgItemMessageA(window_, id, IsCombo(id) ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

int Win32DialogHost::ListCount(int id) {
  return static_cast<int>(::SendDlgItemMessageA(window_, id, IsCombo(id) ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

std::intptr_t Win32DialogHost::ListData(int id, int index) {
  return ::SendDlgItemMessageA(window_, id, IsCombo(id) ? CB_GETITEMDATA : LB_GETITEMDATA, index, 0);
}

void Win32DialogHost::CreateControl(ControlKind kind, int id, std::string_view text, const Rect& client) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  const char* klass = "BUTTON";
  if (kind == ControlKind::CheckBox) style |= BS_AUTOCHECKBOX;
  if (kind == ControlKind::ReadOnlyTextBox) {
    klass = "EDIT";
    style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
  }
  if (kind == ControlKind::Label || kind == ControlKind::FramedLabel) {
    // One line, "&" shown as it is, vertically centred in its cell.
    klass = "STATIC";
    style = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_CENTERIMAGE;
    style |= kind == ControlKind::FramedLabel ? SS_CENTER | WS_BORDER : SS_LEFT;
  }
  const HWND control = ::CreateWindowExA(
      0, klass, std::string(text).c_str(), style, client.left, client.top, client.width(), client.height(),
      window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
  if (control) ::SendMessageA(control, WM_SETFONT, ::SendMessageA(window_, WM_GETFONT, 0, 0), TRUE);
}

ButtonControl* Win32DialogHost::AttachButton(int id, ButtonEvents& events) {
  const HWND item = Item(id);
  if (!item) return nullptr;
  auto& button = buttons_[id];
  button.reset();
  button = std::make_unique<Win32ButtonControl>(item, events);
  return button.get();
}

TreeControl* Win32DialogHost::AttachTree(int id, TreeEvents& events) {
  const HWND item = Item(id);
  if (!item || !ClassIs(item, WC_TREEVIEWA)) return nullptr;
  auto& tree = trees_[id];
  tree = std::make_unique<Win32TreeControl>(item, events);
  return tree.get();
}

void Win32DialogHost::SetWaitCursor(bool waiting) {
  if (waiting) {
    cursor_before_wait_ = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  } else {
    ::SetCursor(cursor_before_wait_);
  }
}

void Win32DialogHost::PaintBitmap(const OffscreenBitmap& bitmap, const LogicalPalette* palette, int x,
                                  int y) {
  const auto& source = static_cast<const Win32Bitmap&>(bitmap);
  if (!paint_dc_) {
    // A copy now would cover whatever shows there, buttons and guides
    // included: the area is copied when the window paints it.
    const RECT area{x, y, x + source.size().width, y + source.size().height};
    ::InvalidateRect(window_, &area, FALSE);
    return;
  }
  const HPALETTE handle = palette ? static_cast<const Win32Palette*>(palette)->get() : nullptr;
  // Realized in the window only: a realization in the memory DC would be a
  // background one and would replace the mapping the copy needs.
  if (handle) ::UnrealizeObject(handle);
  SelectedPalette target_palette(paint_dc_, handle);
  ::BitBlt(paint_dc_, x, y, source.size().width, source.size().height, source.dc(), 0, 0, SRCCOPY);
}

void Win32DialogHost::End(int code) {
  if (modal_) ::EndDialog(window_, code);
}

int Win32DialogHost::AskMessageBox(std::string_view text, std::string_view caption, std::uint32_t style) {
  return ::MessageBoxA(window_, std::string(text).c_str(), std::string(caption).c_str(), style);
}

Size Win32DialogHost::ScreenSize() {
  ScreenDc screen;
  return {::GetDeviceCaps(screen.get(), HORZRES), ::GetDeviceCaps(screen.get(), VERTRES)};
}

int Win32DialogHost::Metric(SystemMetric metric) {
  switch (metric) {
    case SystemMetric::MenuHeight:
      return ::GetSystemMetrics(SM_CYMENUSIZE);
    case SystemMetric::CaptionHeight:
      return ::GetSystemMetrics(SM_CYCAPTION);
    case SystemMetric::SizeHeight:
      return ::GetSystemMetrics(SM_CYSIZE);
  }
  return 0;
}

}  // namespace tvx::win32
