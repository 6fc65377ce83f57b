// The Win32 windows, icons and timers, in what the end-to-end run cannot show
// or point at. Its pictures of the options window, the exit confirmation and
// the About box (compared with docs/options.png, exit.png, about.png) show
// every control's place, caption, font, colours and picture; that run also
// ticks the options' boxes, saves them, presses Enter on キャンセル and Esc after
// the user was in another window, closes every window by its close box and
// Alt+F4, clicks the About box's address and presses Esc in the tray menu.
// Left here are the keys and the focus, owners, icons, the pointer, the end of
// the session, the heap a closed dialog leaves, windows Windows refuses, and
// the tray's records and icons by name.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "res/layout/layouts.h"
#include "win32/tray_window.h"
#include "win32/win_icons.h"
#include "win32/win_window.h"

namespace orvo::win32 {
namespace {

namespace lo = layout;

// The program's message loop, until the queue is empty.
void Pump() {
  for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
    if (PreTranslateWindowMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// What the shell was handed, one record a line: the call, then the record as
// the 32-bit program's bytes (a 64-bit build's fields in that layout).
std::vector<std::string> g_records;
template <class Data>
BOOL WINAPI Record(DWORD message, Data* d) {
  std::string bytes = std::to_string(message) + ":";
#ifdef _WIN64
  const std::size_t tip = 64 * sizeof d->szTip[0];  // the first records' szTip
  for (const std::uint64_t field :
       {std::uint64_t{24 + tip}, reinterpret_cast<std::uint64_t>(d->hWnd), std::uint64_t{d->uID},
        std::uint64_t{d->uFlags}, std::uint64_t{d->uCallbackMessage},
        reinterpret_cast<std::uint64_t>(d->hIcon)})
    bytes.append(reinterpret_cast<const char*>(&field), 4);
  bytes.append(reinterpret_cast<const char*>(d->szTip), tip);
  if (d->cbSize != offsetof(Data, szTip) + tip) bytes += " size";
#else
  bytes.append(reinterpret_cast<const char*>(d), d->cbSize);
#endif
  g_records.push_back(bytes);
  return TRUE;
}

// The program's hidden window, owner of the windows below.
TrayWindow& Hidden() {
  static WinIcons icons;
  static TrayWindow window(icons, &Record, &Record);
  return window;
}

// A window made from a layout (none if Windows refuses it), and what it reported.
struct Built final : WindowEvents {
  explicit Built(const lo::Window& layout)
      : layout(layout), window(WinWindow::Make(layout, *this, Hidden().hwnd())) {}
  void Click(ControlIndex control) override { clicks.push_back(control); }
  void CloseRequested() override {}
  void SessionEnding() override { ++session_ends; }

  const lo::Window& layout;
  std::vector<ControlIndex> clicks;
  int session_ends = 0;
  std::unique_ptr<WinWindow> window;
};

// Bytes in use over every heap of the process.
std::size_t HeapInUse() {
  HANDLE heaps[64];
  std::size_t total = 0;
  for (DWORD i = 0, n = GetProcessHeaps(64, heaps); i < n && i < 64; ++i)
    for (PROCESS_HEAP_ENTRY e{}; HeapWalk(heaps[i], &e);)
      total += e.wFlags & PROCESS_HEAP_ENTRY_BUSY ? e.cbData : 0;
  return total;
}

// Each window, whether it has a taskbar button (Windows gives one to unowned
// windows only: the others are owned by the hidden window) and a big icon.
// Each sits in the middle of the screen.
const std::tuple<const lo::Window*, bool, bool> kWindows[] = {
    {&lo::kOptions, true, true},
    {&lo::kExitConfirmation, false, false},
    {&lo::kAboutBox, false, false}};

TEST(EveryWindow, OwnerIconPlaceCharsetPointerSessionEndAndAHeapLeftAsItWas) {
  for (const auto& [layout, taskbar_button, big_icon] : kWindows) {
    SCOPED_TRACE(std::string(layout->name));
    Built w(*layout);
    ASSERT_NE(w.window, nullptr);
    const HWND owner = GetWindow(w.window->hwnd(), GW_OWNER);
    EXPECT_EQ(owner, taskbar_button ? nullptr : Hidden().hwnd());
    EXPECT_FALSE(IsWindowVisible(Hidden().hwnd()));
    EXPECT_EQ(SendMessageW(w.window->hwnd(), WM_GETICON, ICON_BIG, 0) != 0, big_icon);
    RECT r{};
    GetWindowRect(w.window->hwnd(), &r);
    EXPECT_LE(std::abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)), 1);
    EXPECT_LE(std::abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);
    // A layout's own font is a Shift-JIS one, whatever the system's locale.
    LOGFONTW font{};
    const auto f = SendMessageW(w.window->control(1), WM_GETFONT, 0, 0);
    GetObjectW(reinterpret_cast<HFONT>(f), sizeof font, &font);
    EXPECT_TRUE(layout->font == nullptr || font.lfCharSet == SHIFTJIS_CHARSET);
    // Only a session that really ends is reported.
    SendMessageW(w.window->hwnd(), WM_ENDSESSION, FALSE, 0);
    SendMessageW(w.window->hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(w.session_ends, 1) << "only when the session really ends";
    // The pointer over the window and each control is the arrow, whatever it
    // was, and over a web address the program's own hand, its hot spot at the
    // finger's tip.
    for (ControlIndex i = -1; i < static_cast<ControlIndex>(layout->controls.size()); ++i) {
      const HWND over = i < 0 ? w.window->hwnd() : w.window->control(i);
      if (over == nullptr) continue;
      SetCursor(nullptr);
      SendMessageW(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over), HTCLIENT);
      ICONINFO hand{};
      EXPECT_TRUE(i >= 0 && layout->controls[i].caption.starts_with("http://")
                      ? GetIconInfo(GetCursor(), &hand) && hand.xHotspot == 12 && hand.yHotspot == 1
                      : GetCursor() == LoadCursorW(nullptr, IDC_ARROW))
          << i;
    }
    // Made, shown and closed 200 times, it leaves the heap as it was after 2:
    // what the dialog manager took for it goes with it.
    std::size_t in_use[2] = {};
    for (int i = 1; i <= 200; ++i) {
      Built(*layout).window->Show(), Pump();
      if (i % 198 == 2) in_use[i == 200] = HeapInUse();
    }
    std::printf("%s: %zu bytes in use after 2, %zu after 200\n", std::string(layout->name).c_str(),
                in_use[0], in_use[1]);
    EXPECT_LE(in_use[1], in_use[0] + 16);
  }
}

// One row: an action on a window (the same one as the row before while the
// layout is the same), then where the focus is (kAny: not checked) and the one
// click it reported (kAny: none).
constexpr ControlIndex kAny = -1;
enum class Act { kShow, kKey, kAlt, kSetByCode };
struct Row {
  const lo::Window* layout;
  Act act;
  ControlIndex target;  // given the focus first, or set
  UINT key;             // or the state set
  ControlIndex focus, click;
};

TEST(EveryWindow, KeysAndCodeReachTheControlsTheRulesName) {
  using namespace lo::options;
  using lo::exit_confirmation::kYesButton, lo::exit_confirmation::kNoButton;
  const lo::Window *m = &lo::kOptions, *f = &lo::kExitConfirmation;
  const Row table[] = {
      {m, Act::kShow, kAny, 0, kOkButton, kAny},
      // Tab order through the real controls.
      {m, Act::kKey, kAny, VK_TAB, kCancelButton, kAny},
      {m, Act::kKey, kAny, VK_TAB, kBeepBox, kAny},
      {m, Act::kKey, kAny, VK_TAB, kCloseAllButton, kAny},
      {m, Act::kKey, kAny, VK_TAB, kNoMenuBarBox, kAny},
      {m, Act::kKey, kAny, VK_TAB, kNewWindowBox, kAny},
      {m, Act::kKey, kNoMenuBarBox, VK_RETURN, kAny, kOkButton},
      // A box set by code stays silent.
      {m, Act::kSetByCode, kNoMenuBarBox, 1, kAny, kAny},
      {f, Act::kShow, kAny, 0, kYesButton, kAny},
      {f, Act::kKey, kAny, VK_TAB, kNoButton, kAny},
      // Shown again while up: the focus stays where the user left it.
      {f, Act::kShow, kAny, 0, kNoButton, kAny},
      {f, Act::kAlt, kAny, L'n', kAny, kNoButton},
      {f, Act::kAlt, kAny, L'y', kAny, kYesButton},
  };
  std::unique_ptr<Built> w;
  for (const Row& row : table) {
    SCOPED_TRACE(std::string(row.layout->name) + " row " + std::to_string(&row - table));
    if (w == nullptr || &w->layout != row.layout) w = std::make_unique<Built>(*row.layout);
    const HWND target = w->window->control(row.target);
    if (row.act == Act::kShow) w->window->Show();
    if (row.act == Act::kKey && target != nullptr) SetFocus(target);
    if (row.act == Act::kKey) {
      PostMessageW(GetFocus(), WM_KEYDOWN, row.key, 1);
      PostMessageW(GetFocus(), WM_KEYUP, row.key, 0xC0000001);
    }
    if (row.act == Act::kAlt) PostMessageW(GetFocus(), WM_SYSCHAR, row.key, 1 << 29);
    if (row.act == Act::kSetByCode) w->window->SetCheckState(row.target, row.key);
    Pump();
    if (row.focus != kAny) {
      EXPECT_EQ(GetFocus(), w->window->control(row.focus));
    }
    EXPECT_EQ(w->clicks, row.click == kAny ? std::vector<ControlIndex>{}
                                           : std::vector<ControlIndex>{row.click});
    w->clicks.clear();
  }
}

// The record of one call as the 32-bit program hands it over: the icon of the
// hidden window, with the flags and, as they say, the callback message, the
// icon and szTip in the system code page or (with `wide`) in UTF-16.
std::string Expected(UINT call, UINT flags, HICON icon, std::string_view ansi,
                     std::u16string_view wide = {}) {
  std::string r(wide.empty() && ansi != "W" ? 88 : 152, '\0');
  const auto put = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) r[at + i] = static_cast<char>(v >> 8 * i);
  };
  put(0, r.size());
  put(4, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(Hidden().hwnd())));
  put(12, flags);
  put(16, flags & NIF_MESSAGE ? WM_USER + 101 : 0);
  put(20, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(icon)));
  if (ansi != "W") r.replace(24, ansi.size(), ansi);
  for (std::size_t i = 0; i < wide.size(); ++i) put(24 + 2 * i, wide[i]), r[26 + 2 * i] = 0;
  return std::to_string(call) + ":" + r;
}

// Each change's call, its record in the form the code page gives the tip,
// cut to whole characters; the callback's mouse messages and
// "TaskbarCreated" reach the icon through the hidden window while it is
// shown.
TEST(TrayWindow, HandsTheShellItsRecordsAndHearsTheIcon) {
  ASSERT_EQ(GetACP(), 932u);
  TrayIcon& icon = Hidden().icon();
  // Each icon by its name, shared: the animation loads a frame every tick and
  // never destroys one.
  const auto load = [](const char* name) {
    IconHandle handle = 0;
    EXPECT_EQ(WinIcons().LoadNamedIcon(name, handle), kOk) << name;
    return reinterpret_cast<HICON>(handle);
  };
  const char* const frames[] = {"02", "03", "04", "05", "06", "07", "08", "09"};
  const auto rep = [](auto piece, int n) {
    decltype(std::basic_string(piece)) s;
    while (n-- > 0) s += piece;
    return s;
  };
  const UINT taskbar_created = RegisterWindowMessageA("TaskbarCreated");
  g_records.clear();
  icon.SetPicture("NOTFLAG");
  icon.SetTip("ブロック：0");
  SendMessageW(Hidden().hwnd(), taskbar_created, 0, 0);  // hidden: nothing to put back
  icon.SetShown(true);
  icon.SetShown(true);
  icon.SetTip("a😀b");  // no such character in code page 932
  icon.SetPicture("ONFLAG");
  for (const char* name : frames) icon.SetPicture(name);
  // "1" is the application icon's number, not a name; "10" is one frame too
  // far: no such icon, and the picture stays.
  for (const char* name : {"01", "10", "1", "NOTFLAG2", "HAND", ""}) icon.SetPicture(name);
  for (const std::string& tip : {"a" + rep("ア", 40), "ab" + rep("ア", 40), rep("ｱ", 70),
                                 std::string("café"), "😀" + rep("ア", 70), rep("😀", 40)})
    icon.SetTip(tip);
  struct Listener final : TrayIconEvents {
    void OnButtonDown(Button b) override { heard += b == Button::kLeft ? "L" : "R"; }
    void OnMouseMove() override { heard += "M"; }
    std::string heard;
  } listener;
  icon.Listen(&listener);
  for (LPARAM mouse : {0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x10201})
    SendMessageW(Hidden().hwnd(), WM_USER + 101, 0, mouse);
  SendMessageW(Hidden().hwnd(), taskbar_created, 0, 0);
  icon.SetShown(false);
  SendMessageW(Hidden().hwnd(), WM_USER + 101, 0, WM_LBUTTONDOWN);  // hidden: unheard
  icon.Listen(nullptr);
  EXPECT_EQ(listener.heard, "MLR");

  std::vector<std::string> expected = {
      Expected(NIM_ADD, 7, load("NOTFLAG"), "\x83\x75\x83\x8D\x83\x62\x83\x4E\x81\x46\x30"),
      Expected(NIM_MODIFY, 4, nullptr, "", u"a😀b"), Expected(NIM_MODIFY, 2, load("ONFLAG"), "W")};
  for (const char* name : frames) expected.push_back(Expected(NIM_MODIFY, 2, load(name), "W"));
  expected.insert(expected.end(), {Expected(NIM_MODIFY, 4, nullptr, "a" + rep("\x83\x41", 31)),
                                   Expected(NIM_MODIFY, 4, nullptr, "ab" + rep("\x83\x41", 30)),
                                   Expected(NIM_MODIFY, 4, nullptr, std::string(63, '\xB1')),
                                   Expected(NIM_MODIFY, 4, nullptr, "", u"café"),
                                   Expected(NIM_MODIFY, 4, nullptr, "", u"😀" + rep(u"ア", 61)),
                                   Expected(NIM_MODIFY, 4, nullptr, "", rep(u"😀", 31)),
                                   Expected(NIM_ADD, 7, load("09"), "", rep(u"😀", 31)),
                                   Expected(NIM_DELETE, 0, nullptr, "W")});
  ASSERT_EQ(g_records.size(), expected.size());
  for (std::size_t i = 0; i < g_records.size(); ++i) EXPECT_EQ(g_records[i], expected[i]) << i;
}

// Out of window handles, say: the options window is a stand-in that keeps the
// check states it is given, so that loading and saving
// set.ini through it loses no setting.
LRESULT CALLBACK Refuse(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return msg == WM_NCCREATE ? FALSE : DefWindowProcW(hwnd, msg, wparam, lparam);
}

TEST(RefusedWindows, StandInsKeepTheCheckStates) {
  UnregisterClassW(kLayoutWindowClass, GetModuleHandleW(nullptr));
  const WNDCLASSW refusing{0,       &Refuse, 0,       0,       GetModuleHandleW(nullptr),
                           nullptr, nullptr, nullptr, nullptr, kLayoutWindowClass};
  ASSERT_NE(RegisterClassW(&refusing), 0);
  Built refused(lo::kOptions);
  EXPECT_EQ(refused.window, nullptr);
  const std::unique_ptr<Window> w = WinWindowFactory(Hidden().hwnd()).Create(lo::kOptions, refused);
  ASSERT_NE(w, nullptr);
  using namespace lo::options;
  for (int state : {1, 0, 1}) {
    for (ControlIndex box : {kBeepBox, kNoMenuBarBox, kNewWindowBox}) {
      w->SetCheckState(box, state);
      EXPECT_EQ(w->CheckState(box), state) << box;
    }
  }
  UnregisterClassW(kLayoutWindowClass, GetModuleHandleW(nullptr));
}

}  // namespace
}  // namespace orvo::win32
