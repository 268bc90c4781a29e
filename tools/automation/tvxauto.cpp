// tvxauto: drives the real program's windows under Wine for end-to-end
// checks: finds windows by caption, reads control texts, presses buttons.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD kPollMs = 50;

int Usage() {
  std::puts(
      "tvxauto list                        top-level windows: handle, pid, class, caption, size\n"
      "tvxauto wait CAPTION [MS]           wait until a window has this caption (default 20000 ms)\n"
      "tvxauto gone CAPTION [MS]           wait until no window has this caption\n"
      "tvxauto controls CAPTION            the window's controls: id, class, text\n"
      "tvxauto text CAPTION ID             the text of one control\n"
      "tvxauto press CAPTION ID            press a button by its id\n"
      "tvxauto select CAPTION ID INDEX     select an item of a list or combo box, as a click does\n"
      "tvxauto items CAPTION ID            the items of a list box, the selected one marked \"*\"\n"
      "tvxauto tree CAPTION ID             a tree view's items, two blanks a level, \"*\" selected, \"+\" "
      "open\n"
      "tvxauto expand CAPTION ID PATH      open a tree item named by its texts from the root: A\\B\n"
      "tvxauto select-item CAPTION ID PATH select a tree item as a click does"
      "tvxauto close CAPTION               close the window as its close box does\n"
      "tvxauto rect CAPTION [ID]           screen rectangle of the window or of one control\n"
      "tvxauto owner CAPTION               the caption of the window's owner; nothing without one\n"
      "tvxauto hover CAPTION ID            move the pointer to the middle of a control\n"
      "tvxauto point X Y                   move the pointer to a screen position\n"
      "tvxauto pixel X Y                   the colour on the screen there: R G B\n"
      "tvxauto screen                      the screen's width and height as the program sees them\n"
      "tvxauto display-change CAPTION      tell the window the display changed (WM_DISPLAYCHANGE)\n"
      "tvxauto hold-mutex NAME MS          hold a named mutex for that long\n"
      "tvxauto focus CAPTION               the id of the window's control that has the keyboard focus\n"
      "tvxauto profile FILE SECTION KEY    a value of an INI file as GetPrivateProfileStringA reads it");
  return 2;
}

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct CaptionSearch {
  const char* caption;
  HWND found = nullptr;
};

// Only a visible window counts: the program's main window exists, hidden,
// with the same caption as its message boxes while it starts.
BOOL CALLBACK FindVisible(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<CaptionSearch*>(context);
  if (!IsWindowVisible(window) || WindowText(window) != search->caption) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindVisibleWindow(const char* caption) {
  CaptionSearch search{caption};
  EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const char* caption, DWORD timeout_ms) {
  for (DWORD waited = 0;; waited += kPollMs) {
    if (HWND window = FindVisibleWindow(caption)) return window;
    if (waited >= timeout_ms) return nullptr;
    Sleep(kPollMs);
  }
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  RECT rect{};
  GetWindowRect(window, &rect);
  std::printf("%p %lu %s \"%s\" %ldx%ld%s\n", static_cast<void*>(window), pid, ClassOf(window).c_str(),
              WindowText(window).c_str(), rect.right - rect.left, rect.bottom - rect.top,
              IsWindowVisible(window) ? "" : " (hidden)");
  return TRUE;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
  std::printf("%d %s \"%s\"%s%s\n", GetDlgCtrlID(control), ClassOf(control).c_str(),
              WindowText(control).c_str(), IsWindowEnabled(control) ? "" : " (disabled)",
              IsWindowVisible(control) ? "" : " (hidden)");
  return TRUE;
}

HWND FoundOrFail(const char* caption) {
  HWND window = WaitForWindow(caption, 20000);
  if (!window) std::fprintf(stderr, "tvxauto: no window \"%s\"\n", caption);
  return window;
}

int Press(const char* caption, int id) {
  HWND window = FoundOrFail(caption);
  if (!window) return 1;
  HWND button = GetDlgItem(window, id);
  if (!button) {
    std::fprintf(stderr, "tvxauto: \"%s\" has no control %d\n", caption, id);
    return 1;
  }
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  return 0;
}

int Text(const char* caption, int id) {
  HWND window = FoundOrFail(caption);
  if (!window) return 1;
  HWND control = GetDlgItem(window, id);
  if (!control) return 1;
  if (ClassOf(control) == "ComboBox") {
    // A drop-down list shows its selected item; its window text may be empty.
    // Asked in UTF-16: Wine hands the ANSI form across processes as UTF-16.
    wchar_t item[2048] = {};
    char text[4096] = {};
    const LRESULT selected = SendMessageW(control, CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR && SendMessageW(control, CB_GETLBTEXTLEN, selected, 0) < 2048)
      SendMessageW(control, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(item));
    WideCharToMultiByte(CP_ACP, 0, item, -1, text, sizeof text, nullptr, nullptr);
    std::printf("%s\n", text);
    return 0;
  }
  if (ClassOf(control) == "Edit") {
    // An edit field keeps its own text: another process's GetWindowText
    // reads only the window's caption, empty here.
    wchar_t typed[2048] = {};
    char text[4096] = {};
    SendMessageW(control, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(typed));
    WideCharToMultiByte(CP_ACP, 0, typed, -1, text, sizeof text, nullptr, nullptr);
    std::printf("%s\n", text);
    return 0;
  }
  std::printf("%s\n", WindowText(control).c_str());
  return 0;
}

// Selects like the user: the new selection, then the notification the
// dialog would get from a click.
int Select(const char* caption, int id, int index) {
  HWND window = FoundOrFail(caption);
  HWND list = window ? GetDlgItem(window, id) : nullptr;
  if (!list) return 1;
  const bool combo = ClassOf(list) == "ComboBox";
  if (SendMessageA(list, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0) != index) return 1;
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  return 0;
}

// One item a line, as the list shows it; "*" before the selected one.
int Items(const char* caption, int id) {
  HWND window = FoundOrFail(caption);
  HWND list = window ? GetDlgItem(window, id) : nullptr;
  if (!list) return 1;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    // Asked in UTF-16, as for combo boxes: Wine hands ANSI across processes so.
    wchar_t item[2048] = {};
    char text[4096] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 2048)
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
    WideCharToMultiByte(CP_ACP, 0, item, -1, text, sizeof text, nullptr, nullptr);
    std::printf("%s%s\n", i == selected ? "*" : "", text);
  }
  return 0;
}

// A tree view of another process: its items' texts are read through a
// buffer lent in that process, as the control writes into its own memory.
class RemoteTree {
 public:
  explicit RemoteTree(HWND tree) : tree_(tree) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      memory_ = VirtualAllocEx(process_, nullptr, kBufferSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteTree() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteTree(const RemoteTree&) = delete;
  RemoteTree& operator=(const RemoteTree&) = delete;

  bool ok() const { return memory_ != nullptr; }
  HWND handle() const { return tree_; }
  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }

  std::string Text(HTREEITEM item, UINT* state = nullptr) const {
    TVITEMA query{};
    query.mask = TVIF_TEXT | TVIF_STATE;
    query.hItem = item;
    query.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
    query.pszText = static_cast<char*>(memory_) + sizeof query;
    query.cchTextMax = static_cast<int>(kBufferSize - sizeof query);
    char text[kBufferSize] = {};
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, memory_, &query, sizeof query, &moved) ||
        !SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory_)) ||
        !ReadProcessMemory(process_, memory_, text, sizeof text - 1, &moved))
      return {};
    if (state) *state = reinterpret_cast<const TVITEMA*>(text)->state;
    return text + sizeof query;
  }

  // The item reached by its texts from a root: "Programs\Accessories".
  HTREEITEM Find(const std::string& path) const {
    HTREEITEM item = nullptr;
    HTREEITEM candidate = Next(nullptr, TVGN_ROOT);
    std::size_t from = 0;
    while (from <= path.size()) {
      const std::size_t end = std::min(path.find('\\', from), path.size());
      const std::string name = path.substr(from, end - from);
      while (candidate && Text(candidate) != name) candidate = Next(candidate, TVGN_NEXT);
      if (!candidate) return nullptr;
      item = candidate;
      candidate = Next(item, TVGN_CHILD);
      from = end + 1;
    }
    return item;
  }

 private:
  static constexpr SIZE_T kBufferSize = 1024;
  HWND tree_;
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
};

HWND TreeOf(const char* caption, int id) {
  HWND window = FoundOrFail(caption);
  return window ? GetDlgItem(window, id) : nullptr;
}

void PrintItems(const RemoteTree& tree, HTREEITEM item, int depth) {
  for (; item; item = tree.Next(item, TVGN_NEXT)) {
    UINT state = 0;
    const std::string text = tree.Text(item, &state);
    std::printf("%s%s%s%s\n", std::string(2 * depth, ' ').c_str(), state & TVIS_SELECTED ? "*" : "",
                state & TVIS_EXPANDED ? "+" : "", text.c_str());
    PrintItems(tree, tree.Next(item, TVGN_CHILD), depth + 1);
  }
}

int Tree(const char* caption, int id) {
  HWND control = TreeOf(caption, id);
  if (!control) return 1;
  const RemoteTree tree(control);
  if (!tree.ok()) return 1;
  PrintItems(tree, tree.Next(nullptr, TVGN_ROOT), 0);
  return 0;
}

// Expands or selects as a user would: the dialog gets the tree's
// notifications, as the control sends them to its parent for these messages.
int OnTreeItem(const char* caption, int id, const std::string& path, bool expand) {
  HWND control = TreeOf(caption, id);
  if (!control) return 1;
  const RemoteTree tree(control);
  HTREEITEM item = tree.ok() ? tree.Find(path) : nullptr;
  if (!item) {
    std::fprintf(stderr, "tvxauto: no tree item \"%s\"\n", path.c_str());
    return 1;
  }
  const UINT message = expand ? TVM_EXPAND : TVM_SELECTITEM;
  const WPARAM how = expand ? TVE_EXPAND : TVGN_CARET;
  return SendMessageA(control, message, how, reinterpret_cast<LPARAM>(item)) ? 0 : 1;
}

// The focus belongs to the window's thread, which another process can only
// ask about.
int Focus(const char* caption) {
  HWND window = FoundOrFail(caption);
  if (!window) return 1;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 1;
  std::printf("%d\n", GetDlgCtrlID(info.hwndFocus));
  return 0;
}

int Profile(const char* file, const char* section, const char* key) {
  char value[4096] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof value, file);
  std::printf("%s\n", value);
  return 0;
}

int Close(const char* caption) {
  HWND window = FoundOrFail(caption);
  if (!window) return 1;
  PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

int PrintRect(const char* caption, int id) {
  HWND window = FoundOrFail(caption);
  HWND target = window && id != 0 ? GetDlgItem(window, id) : window;
  RECT rect;
  if (!target || !GetWindowRect(target, &rect)) return 1;
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int PrintOwner(const char* caption) {
  HWND window = FoundOrFail(caption);
  if (!window) return 1;
  if (HWND owner = GetWindow(window, GW_OWNER)) std::printf("%s\n", WindowText(owner).c_str());
  return 0;
}

int Gone(const char* caption, DWORD timeout_ms) {
  for (DWORD waited = 0; waited <= timeout_ms; waited += kPollMs) {
    if (!FindVisibleWindow(caption)) return 0;
    Sleep(kPollMs);
  }
  return 1;
}

int HoldMutex(const char* name, DWORD ms) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, name);
  if (!mutex) return 1;
  std::printf("held%s\n", GetLastError() == ERROR_ALREADY_EXISTS ? " (already existed)" : "");
  std::fflush(stdout);
  Sleep(ms);
  CloseHandle(mutex);
  return 0;
}

DWORD Milliseconds(int argc, char** argv, int index, DWORD fallback) {
  return argc > index ? static_cast<DWORD>(std::strtoul(argv[index], nullptr, 10)) : fallback;
}

// Moves the real pointer, so the window under it gets the moves a user's
// mouse would give.
int PointAt(int x, int y) {
  if (!SetCursorPos(x, y)) return 1;
  Sleep(200);
  return 0;
}

int Hover(const char* caption, int id) {
  HWND window = FoundOrFail(caption);
  HWND control = window ? GetDlgItem(window, id) : nullptr;
  RECT rect{};
  if (!control || !GetWindowRect(control, &rect)) return 1;
  return PointAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

int Pixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  if (colour == CLR_INVALID) return 1;
  std::printf("%d %d %d\n", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return 0;
}

int DisplayChange(const char* caption) {
  HWND window = FoundOrFail(caption);
  if (!window) return 1;
  const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return SendMessageTimeoutA(window, WM_DISPLAYCHANGE, bits, size, SMTO_NORMAL, 10000, nullptr) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "list") return EnumWindows(PrintTopLevel, 0) ? 0 : 1;
  if (command == "point" && argc > 3) return PointAt(std::atoi(argv[2]), std::atoi(argv[3]));
  if (command == "pixel" && argc > 3) return Pixel(std::atoi(argv[2]), std::atoi(argv[3]));
  if (command == "screen")
    return std::printf("%d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)) > 0 ? 0 : 1;
  if (argc < 3) return Usage();
  const char* caption = argv[2];
  if (command == "wait") return WaitForWindow(caption, Milliseconds(argc, argv, 3, 20000)) ? 0 : 1;
  if (command == "gone") return Gone(caption, Milliseconds(argc, argv, 3, 20000));
  if (command == "controls") {
    HWND window = FoundOrFail(caption);
    return window ? (EnumChildWindows(window, PrintControl, 0), 0) : 1;
  }
  if (command == "display-change") return DisplayChange(caption);
  if (command == "hold-mutex") return HoldMutex(caption, Milliseconds(argc, argv, 3, 30000));
  if (command == "rect") return PrintRect(caption, argc > 3 ? std::atoi(argv[3]) : 0);
  if (command == "close") return Close(caption);
  if (command == "owner") return PrintOwner(caption);
  if (command == "focus") return Focus(caption);
  if (command == "profile" && argc > 4) return Profile(caption, argv[3], argv[4]);
  if (argc < 4) return Usage();
  if (command == "text") return Text(caption, std::atoi(argv[3]));
  if (command == "press") return Press(caption, std::atoi(argv[3]));
  if (command == "hover") return Hover(caption, std::atoi(argv[3]));
  if (command == "items") return Items(caption, std::atoi(argv[3]));
  if (command == "select" && argc > 4) return Select(caption, std::atoi(argv[3]), std::atoi(argv[4]));
  if (command == "tree") return Tree(caption, std::atoi(argv[3]));
  if (command == "expand" && argc > 4) return OnTreeItem(caption, std::atoi(argv[3]), argv[4], true);
  if (command == "select-item" && argc > 4) return OnTreeItem(caption, std::atoi(argv[3]), argv[4], false);
  return Usage();
}
