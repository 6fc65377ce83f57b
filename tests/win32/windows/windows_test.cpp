// The Win32 windows, icons and timers, in what the end-to-end run cannot show
// or point at. Its pictures of the options window, the exit confirmation and
// the About box (compared with docs/options.png, exit.png, about.png) show
// every control's place, caption, font, colours and picture; that run also
// ticks the options' boxes, saves them, presses Enter on キャンセル and Esc after
// the user was in another window, and closes every window by its close box and
// Alt+F4, and the pointer over every window. Left here are the keys and the
// focus, owners, icons, the end of the session, Esc in the tray menu,
// windows Windows refuses, icons by name and timers that are gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "res/layout/layouts.h"
#include "win32/win_icons.h"
#include "win32/win_timer.h"
#include "win32/win_window.h"

namespace orvo::win32 {
namespace {

namespace lo = layout;

// The program's message loop, until the queue is empty and `ms` have passed;
// counts the WM_TIMER messages of timer `id`.
int Pump(DWORD ms = 0, WPARAM id = 0) {
  int seen = 0;
  const DWORD end = GetTickCount() + ms;
  for (DWORD now = GetTickCount();; now = GetTickCount()) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      seen += msg.message == WM_TIMER && msg.wParam == id;
      if (PreTranslateWindowMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (static_cast<LONG>(end - now) <= 0) return seen;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
  }
}

// A window made from a layout (none if Windows refuses it), and what it reported.
struct Built final : WindowEvents {
  explicit Built(const lo::Window& layout)
      : layout(layout), window(WinWindow::Make(layout, *this)) {}
  void Click(ControlIndex control) override { clicks.push_back(control); }
  void CloseRequested() override {}
  void SessionEnding() override { ++session_ends; }

  const lo::Window& layout;
  std::vector<ControlIndex> clicks;
  int session_ends = 0;
  std::unique_ptr<WinWindow> window;
};

// Each window, whether it has a taskbar button (Windows gives one to unowned
// windows only) and a big icon, and whether it sits in the middle of the
// screen. The tray menu's window is never shown.
const std::tuple<const lo::Window*, bool, bool, bool> kWindows[] = {
    {&lo::kOptions, true, true, true},
    {&lo::kExitConfirmation, false, false, true},
    {&lo::kAboutBox, false, false, true},
    {&lo::kTrayMenu, false, false, false}};

TEST(EveryWindow, OwnerIconPlaceCharsetAndSessionEnd) {
  for (const auto& [layout, taskbar_button, big_icon, centred] : kWindows) {
    SCOPED_TRACE(std::string(layout->name));
    Built w(*layout);
    ASSERT_NE(w.window, nullptr);
    const HWND owner = GetWindow(w.window->hwnd(), GW_OWNER);
    EXPECT_EQ(owner == nullptr, taskbar_button);
    EXPECT_FALSE(owner != nullptr && IsWindowVisible(owner));
    EXPECT_EQ(SendMessageW(w.window->hwnd(), WM_GETICON, ICON_BIG, 0) != 0, big_icon);
    RECT r{};
    GetWindowRect(w.window->hwnd(), &r);
    EXPECT_TRUE(!centred || (std::abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
                             std::abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 1));
    // A layout's own font is a Shift-JIS one, whatever the system's locale.
    LOGFONTW font{};
    const auto f = SendMessageW(w.window->control(1), WM_GETFONT, 0, 0);
    GetObjectW(reinterpret_cast<HFONT>(f), sizeof font, &font);
    EXPECT_TRUE(layout->font == nullptr || font.lfCharSet == SHIFTJIS_CHARSET);
    // Only a session that really ends is reported.
    SendMessageW(w.window->hwnd(), WM_ENDSESSION, FALSE, 0);
    SendMessageW(w.window->hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(w.session_ends, 1) << "only when the session really ends";
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
      {m, Act::kKey, kAny, VK_TAB, kOkButton, kAny},
      {m, Act::kKey, kNoMenuBarBox, VK_RETURN, kAny, kOkButton},
      // A box set by code stays silent.
      {m, Act::kSetByCode, kNoMenuBarBox, 1, kAny, kAny},
      {f, Act::kShow, kAny, 0, kYesButton, kAny},
      {f, Act::kKey, kAny, VK_ESCAPE, kAny, kAny},
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

// A click on the address is reported (the end-to-end run shows the pointer
// over it).
TEST(AboutBox, TheAddressIsALink) {
  using namespace lo::about_box;
  Built w(lo::kAboutBox);
  w.window->Show();
  PostMessageW(w.window->control(kLink), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(w.window->control(kLink), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  Pump();
  EXPECT_EQ(w.clicks, (std::vector{kLink}));
}

// Esc picks no item of the tray menu; the end-to-end run shows its texts and
// access keys and picks its items with the arrow keys.
void CALLBACK PressEscInMenu(HWND, UINT, UINT_PTR, DWORD) {
  if (const HWND menu_window = FindWindowW(L"#32768", nullptr))
    PostMessageW(menu_window, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(TrayMenu, EscPicksNone) {
  Built w(lo::kTrayMenu);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, &PressEscInMenu);
  EXPECT_EQ(w.window->PopupMenu(), -1);
  KillTimer(nullptr, timer);
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
  const std::unique_ptr<Window> w = WinWindowFactory().Create(lo::kOptions, refused);
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

// Each tray icon by its name, shared (the animation loads a frame every tick
// and never destroys one; the end-to-end run shows their pictures and size); a
// name that is not one fails and leaves the picture alone.
TEST(WinIcons, LoadsEveryTrayIconByNameSharedAndNoOtherName) {
  WinIcons icons;
  for (const char* name : {"NOTFLAG", "ONFLAG", "02", "03", "04", "05", "06", "07", "08", "09"}) {
    IconHandle p = 0, again = 0;
    ASSERT_EQ(icons.LoadNamedIcon(name, p), kOk) << name;
    EXPECT_EQ((std::tuple{icons.LoadNamedIcon(name, again), again}), (std::tuple{kOk, p})) << name;
    EXPECT_NE(p, 0u) << name;
  }
  // "1" is the application icon's number, not a name; "10" is one frame too far.
  for (const char* name : {"01", "10", "1", "NOTFLAG2", "HAND", ""}) {
    IconHandle p = 0x1234;
    EXPECT_TRUE(Failed(icons.LoadNamedIcon(name, p))) << '"' << name << '"';
    EXPECT_EQ(p, 0x1234u) << name;
  }
}

// This program's heap hands a block freed by size to the next allocation of
// that size, as heaps often do.
void* g_freed = nullptr;
std::size_t g_freed_size = 0;

// Timers tick through the message loop. A destroyed one never ticks again, by
// two defences: Windows stops it, and a tick of it already queued finds no
// timer, although the next timer made takes the destroyed one's memory.
TEST(WinTimers, TickOnlyWhileTheyLive) {
  WinTimers timers;
  int ticks = 0;
  auto keep = timers.CreateTimer(10, true, [] {});
  auto other = timers.CreateTimer(60000, false, [] {});  // the slots already hold the later one
  auto gone = timers.CreateTimer(10, true, [&] { ++ticks; });
  const Timer* freed = gone.get();
  Sleep(50);  // its WM_TIMER becomes due before it is destroyed
  gone.reset();
  auto later = timers.CreateTimer(60000, true, [&] { ++ticks; });
  ASSERT_EQ(later.get(), freed);
  PostMessageW(FindWindowExW(HWND_MESSAGE, {}, L"OrvoAutocloseTimers", {}), WM_TIMER, 3, 0);
  EXPECT_EQ(Pump(200, 3), 1) << "only the tick already queued";
  EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace orvo::win32

void* operator new(std::size_t size) {
  using orvo::win32::g_freed, orvo::win32::g_freed_size;
  if (void* block = size == g_freed_size ? std::exchange(g_freed, nullptr) : nullptr) return block;
  if (void* block = std::malloc(size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block, std::size_t size) noexcept {
  std::free(std::exchange(orvo::win32::g_freed, block));
  orvo::win32::g_freed_size = size;
}
void operator delete(void* block) noexcept { std::free(block); }
