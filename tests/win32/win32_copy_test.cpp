// The copy loop, shared-library counts and font registration on the real
// API: files in a scratch folder standing for the system directory, the
// counts and the Fonts value read back with the registry functions. Every
// value and file made is removed again, as the prefix is shared.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/copy_files.h"
#include "install/font_registration.h"
#include "install/shared_count.h"
#include "platform/file_services.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_platform.h"
#include "support/fixtures.h"
#include "support/seam_files.h"

namespace tvx::testing {
namespace {

// -1 when there is no count.
long long CountOf(const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  const LONG status =
      ::RegQueryValueExA(key, path.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  ::RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD ? static_cast<long long>(value) : -1;
}

void ForgetCount(const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  ::RegDeleteValueA(key, path.c_str());
  ::RegCloseKey(key);
}

// Without a display Wine makes no windows.
bool DisplayHere() {
  const HWND window = ::CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
  if (window) ::DestroyWindow(window);
  return window != nullptr;
}

class Win32CopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathA(MAX_PATH, temp), 0u);
    root_ = std::string(temp) + "tvxcopy-" + std::to_string(::GetCurrentProcessId());
    for (const char* folder : {"\\disc", "\\system", "\\game"})
      ASSERT_TRUE(CreateDirectoryChain(files(), root_ + folder));
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                &key, &disposition),
              ERROR_SUCCESS);
    made_key_ = disposition == REG_CREATED_NEW_KEY;
    ::RegCloseKey(key);
  }

  void TearDown() override {
    for (const std::string& path : made_) {
      ForgetCount(path);
      files().RemoveFile(path);
    }
    if (made_key_) ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSharedDllsKey);
    for (const char* folder : {"\\disc", "\\system", "\\game", ""})
      ::RemoveDirectoryA((root_ + folder).c_str());
  }

  FileSystem& files() { return real_.platform().files; }
  void Put(const std::string& relative, const std::string& bytes) {
    made_.push_back(root_ + relative);
    WriteFile(files(), made_.back(), bytes);
  }
  std::string Path(const std::string& relative) {
    made_.push_back(root_ + relative);
    return made_.back();
  }

  win32::Win32Platform real_;
  std::string root_;
  std::vector<std::string> made_;
  bool made_key_ = false;
};

CopyItem Item(const std::string& name, const std::string& directory) {
  CopyItem item;
  item.source_name = name;
  item.destination_name = name;
  item.source_subdirectory = "\\";
  item.destination_directory = directory;
  item.size = 10;
  return item;
}

TEST_F(Win32CopyTest, SharedLibrariesAreProtectedByVersionTextAndCounted) {
  const std::string older = ReadFixture("pe_version/ir41_32-4.11.15.91.dll");  // lower as text
  const std::string newer = ReadFixture("pe_version/ir41_32-4.2.0.0.dll");
  const std::string unversioned = ReadFixture("pe_version/no-version.dll");
  Put("\\disc\\KEPT.DLL", older);
  Put("\\system\\KEPT.DLL", newer);
  Put("\\disc\\NEWER.DLL", newer);
  Put("\\system\\NEWER.DLL", older);
  Put("\\disc\\NOVER.DLL", unversioned);
  Put("\\disc\\OWN.DLL", unversioned);
  const std::string nover = Path("\\system\\NOVER.DLL");
  const std::string own = Path("\\game\\OWN.DLL");

  CopyItemList list;
  for (const char* name : {"KEPT.DLL", "NEWER.DLL", "NOVER.DLL"}) list.Add(Item(name, "*SharedDll*\\"));
  list.Add(Item("OWN.DLL", ""));
  CopyRequest request{real_.platform(), [](int number) { return "text " + std::to_string(number); },
                      CopyPlaces{root_ + "\\disc", root_ + "\\game\\", root_ + "\\system"}};
  EXPECT_EQ(CopyFiles(request, list).code, CopyOutcome::kDone);

  struct Row {
    const char* label;
    std::string path;
    std::string bytes;  // empty: no file
    long long count;
  } rows[] = {
      {"an installed copy as new stays, counted", root_ + "\\system\\KEPT.DLL", newer, 1},
      {"an older installed copy is replaced", root_ + "\\system\\NEWER.DLL", newer, 1},
      {"a library without a version is never copied", nover, "", -1},
      {"a library of the product's own folder is counted", own, unversioned, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    if (row.bytes.empty()) {
      EXPECT_FALSE(Exists(files(), row.path));
    } else {
      EXPECT_EQ(ReadFile(files(), row.path), row.bytes);
    }
    EXPECT_EQ(CountOf(row.path), row.count);
  }
}

// The real Ui, with the user's stop waiting when the progress box opens:
// a click on Abort posted to it, or F4 held down.
class StoppingUi : public win32::Win32Ui {
 public:
  std::unique_ptr<ModelessDialog> OpenModeless(DialogModel& model, BoxOwner owner) override {
    auto window = Win32Ui::OpenModeless(model, owner);
    if (!window) return window;
    if (click_abort)
      ::PostMessageA(static_cast<win32::Win32DialogHost*>(window.get())->window(), WM_COMMAND,
                     MAKEWPARAM(1002, BN_CLICKED), 0);
    if (hold_f4) ::keybd_event(VK_F4, 0, 0, 0);
    return window;
  }
  int ShowMessageBox(std::string_view text, std::string_view, std::uint32_t, BoxOwner) override {
    boxes.emplace_back(text);  // answered at once: a real box would wait for a user
    return box::kIdOk;
  }
  bool click_abort = false;
  bool hold_f4 = false;
  std::vector<std::string> boxes;
};

TEST_F(Win32CopyTest, AbortOrF4StopsTheCopyBetweenChunks) {
  if (!DisplayHere()) GTEST_SKIP() << "no display here: run with --display";
  const std::string bytes(40 * 25600, 'z');
  Put("\\disc\\BIG.DAT", bytes);
  const std::string copied = Path("\\game\\BIG.DAT");
  struct Row {
    const char* label;
    bool click_abort;
    bool hold_f4;
  } rows[] = {{"Abort clicked", true, false}, {"F4 held down", false, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    StoppingUi ui;
    ui.click_abort = row.click_abort;
    ui.hold_f4 = row.hold_f4;
    Platform& real = real_.platform();
    Platform platform{real.files, real.registry, real.system, real.shell, ui};
    CopyItemList list;
    list.Add(Item("BIG.DAT", ""));
    CopyRequest request{platform, [](int number) { return "text " + std::to_string(number); },
                        CopyPlaces{root_ + "\\disc", root_ + "\\game\\", root_ + "\\system"}};
    const CopyOutcome outcome = CopyFiles(request, list);
    if (row.hold_f4) ::keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(outcome.code, CopyOutcome::kFailed);
    EXPECT_TRUE(ui.boxes.empty());
    // The part of the file written before the stop is deleted again.
    EXPECT_FALSE(FileExists(files(), copied));
  }
}

TEST_F(Win32CopyTest, TwoProductsSharingALibraryCountTwoAndTheFirstUninstallKeepsIt) {
  Put("\\disc\\SHARED.DLL", ReadFixture("pe_version/ir50_32-5.6.2.15.dll"));
  const std::string library = Path("\\system\\SHARED.DLL");
  CopyItemList list;
  list.Add(Item("SHARED.DLL", "*SharedDll*\\"));
  StoppingUi ui;
  Platform& real = real_.platform();
  Platform platform{real.files, real.registry, real.system, real.shell, ui};
  // Two products: the library's place does not depend on the install directory.
  for (int product = 0; product < 2; ++product) {
    CopyRequest request{platform, [](int number) { return "text " + std::to_string(number); },
                        CopyPlaces{root_ + "\\disc", root_ + "\\game\\", root_ + "\\system"}};
    EXPECT_EQ(CopyFiles(request, list).code, CopyOutcome::kDone);
  }
  EXPECT_EQ(CountOf(library), 2);
  EXPECT_FALSE(
      DecrementSharedCount(real.registry, ui, kSharedDllsKey, library, "text 130 SHARED.DLL", "text 131"));
  EXPECT_EQ(CountOf(library), 1);
  EXPECT_TRUE(Exists(files(), library));
  // The last user is asked; the answer here is OK, not Yes: the file stays.
  EXPECT_FALSE(
      DecrementSharedCount(real.registry, ui, kSharedDllsKey, library, "text 130 SHARED.DLL", "text 131"));
  EXPECT_EQ(CountOf(library), 0);
  EXPECT_EQ(ui.boxes, std::vector<std::string>{"text 130 SHARED.DLL"});
}

// A top-level window that notes WM_FONTCHANGE.
class FontChangeWatcher {
 public:
  FontChangeWatcher() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = &FontChangeWatcher::Procedure;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = "TvxFontChangeWatcher";
    ::RegisterClassA(&window_class);
    window_ = ::CreateWindowExA(0, "TvxFontChangeWatcher", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~FontChangeWatcher() { ::DestroyWindow(window_); }
  FontChangeWatcher(const FontChangeWatcher&) = delete;
  FontChangeWatcher& operator=(const FontChangeWatcher&) = delete;
  bool exists() const { return window_ != nullptr; }
  int changes = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* watcher = reinterpret_cast<FontChangeWatcher*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (watcher && message == WM_FONTCHANGE) ++watcher->changes;
    return ::DefWindowProcA(window, message, wparam, lparam);
  }
  HWND window_ = nullptr;
};

std::string FontsValue(const char* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
    return "<no key>";
  char value[MAX_PATH] = {};
  DWORD type = 0;
  DWORD length = sizeof value;
  const LONG status = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &length);
  ::RegDeleteValueA(key, name);
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) return "<no value>";
  return type == REG_SZ ? std::string(value) : "<not REG_SZ>";
}

// Wine's RemoveFontResourceA answers FALSE even for a font just added, so
// the font stays added for the rest of this process; nothing is kept.
TEST_F(Win32CopyTest, AFontIsAddedAnnouncedAndNamedUnderTheFontsKey) {
  if (!DisplayHere()) GTEST_SKIP() << "no display here: run with --display";
  // Debian's fonts-dejavu-core, through Wine's Z: drive.
  const std::string bytes = ReadFile(files(), "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSansMono.ttf");
  ASSERT_GT(bytes.size(), 100000u) << bytes;
  Put("\\system\\TVXMONO.TTF", bytes);
  const std::string font = root_ + "\\system\\TVXMONO.TTF";
  const char* name = "Tvx Test Mono (TrueType)";
  FontChangeWatcher watcher;
  ASSERT_TRUE(watcher.exists());
  RegisterFont(real_.platform().shell, real_.platform().registry, font, name);
  EXPECT_EQ(watcher.changes, 1);
  EXPECT_EQ(FontsValue(name), "TVXMONO.TTF");
  EXPECT_EQ(real_.platform().shell.AddFontFile(font), 1);
  EXPECT_EQ(real_.platform().shell.AddFontFile(root_ + "\\system\\NONE.TTF"), 0);
}

}  // namespace
}  // namespace tvx::testing
