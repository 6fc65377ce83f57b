#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "res/layout/geometry.h"
#include "res/layout/layouts.h"
#include "ui/Form1.h"
#include "win32/com_browser.h"
#include "win32/text.h"
#include "win32/tray_host.h"
#include "win32/win_ansi.h"
#include "win32/win_files.h"
#include "win32/win_icons.h"
#include "win32/win_sound.h"
#include "win32/win_timer.h"
#include "win32/win_version_info.h"
#include "win32/win_window.h"

namespace orvo::win32 {
namespace {

namespace lo = layout;
namespace main_ids = layout::frmMainControls;
namespace form1_ids = layout::Form1Controls;
namespace about_ids = layout::frmAboutControls;

struct Recorder final : WindowEvents {
  std::vector<ControlIndex> clicks;
  int closes = 0;
  int session_ends = 0;
  std::function<void(ControlIndex)> on_click;

  void Click(ControlIndex control) override {
    clicks.push_back(control);
    if (on_click) on_click(control);
  }
  void CloseRequested() override { ++closes; }
  void SessionEnding() override { ++session_ends; }
};

// The program's message loop, run until the queue is empty.
void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (PreTranslateWindowMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Key(UINT vk) {
  PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1);
  PostMessageW(GetFocus(), WM_KEYUP, vk, 0xC0000001);
  Pump();
}

RECT ClientRectOf(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring Text(HWND hwnd) {
  wchar_t buffer[512] = {};
  GetWindowTextW(hwnd, buffer, 512);
  return buffer;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[64] = {};
  GetClassNameW(hwnd, buffer, 64);
  return buffer;
}

int Px(int twips) { return lo::Pixels(twips); }

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

struct Built {
  explicit Built(const lo::Window& layout)
      : layout(layout), window(WinWindow::Make(layout, events)) {}
  HWND hwnd() const { return window->hwnd(); }
  HWND control(ControlIndex index) const { return window->control(index); }

  const lo::Window& layout;
  Recorder events;
  std::unique_ptr<WinWindow> window;
};

// --- Every window, as the Win32 window really builds it --------------------

const lo::Window* const kAll[] = {&lo::kfrmMain, &lo::kForm1, &lo::kfrmAbout, &lo::kForm3};

TEST(EveryWindow, FrameControlsCaptionsFontsAndMessagesFollowTheLayout) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  for (const lo::Window* layout : kAll) {
    SCOPED_TRACE(std::string(layout->name));
    Built w(*layout);
    ASSERT_NE(w.window, nullptr);
    RECT client{};
    GetClientRect(w.hwnd(), &client);
    EXPECT_EQ(client.right, Px(layout->client_width));
    EXPECT_EQ(client.bottom, Px(layout->client_height));
    const LONG_PTR style = GetWindowLongPtrW(w.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE) & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW),
              WS_EX_DLGMODALFRAME);
    EXPECT_FALSE(IsWindowVisible(w.hwnd())) << "created hidden";
    EXPECT_EQ(Text(w.hwnd()), Widen(layout->title));
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_GETICON, ICON_BIG, 0) != 0, layout == &lo::kfrmMain);
    RECT outer{};
    GetWindowRect(w.hwnd(), &outer);
    if (layout->centred) {
      EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 1);
      EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
    }
    // Windows gives a taskbar button to unowned windows only.
    const HWND owner = GetWindow(w.hwnd(), GW_OWNER);
    EXPECT_EQ(owner == nullptr, layout->taskbar_button);
    EXPECT_FALSE(owner != nullptr && IsWindowVisible(owner));

    for (size_t i = 0; i < layout->controls.size(); ++i) {
      const lo::Control& c = layout->controls[i];
      SCOPED_TRACE(std::string(c.name));
      const HWND hwnd = w.control(static_cast<ControlIndex>(i));
      if (c.kind == lo::Kind::kLine || c.kind == lo::Kind::kPicture) {
        EXPECT_EQ(hwnd, nullptr);
        continue;
      }
      ASSERT_NE(hwnd, nullptr);
      const RECT r = ClientRectOf(hwnd);
      EXPECT_EQ((lo::PixelRect{r.left, r.top, r.right, r.bottom}),
                lo::ControlRect(*layout, static_cast<ControlIndex>(i)));
      EXPECT_EQ(Text(hwnd), Widen(c.caption));
      const LONG_PTR cs = GetWindowLongPtrW(hwnd, GWL_STYLE);
      const std::wstring cls = ClassOf(hwnd);
      const int want = c.kind == lo::Kind::kFrame      ? BS_GROUPBOX
                       : c.kind == lo::Kind::kCheckBox ? BS_AUTOCHECKBOX
                       : c.kind == lo::Kind::kButton   ? BS_OWNERDRAW
                                                       : -1;  // a Static
      EXPECT_EQ(cls == L"Button" ? cs & BS_TYPEMASK : cls == L"Static" ? -1 : -2, want);
      EXPECT_EQ((cs & WS_TABSTOP) != 0,
                c.kind == lo::Kind::kCheckBox || c.kind == lo::Kind::kButton);

      LOGFONTW font{};
      ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)),
                           sizeof font, &font),
                0);
      const lo::Font* expected = c.font != nullptr ? c.font : layout->font;
      if (expected == nullptr) {
        EXPECT_STREQ(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
        EXPECT_EQ(font.lfHeight, metrics.lfMessageFont.lfHeight);
      } else {
        EXPECT_EQ(font.lfFaceName, Widen(expected->face));
        EXPECT_EQ(font.lfHeight, -MulDiv(expected->size_hundredths, ScreenDpi(), 7200));
        EXPECT_EQ(font.lfWeight, expected->bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfCharSet, expected->charset);
      }
    }

    // The close box only asks; the end of the session is never refused.
    w.window->Show();
    Pump();
    SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(w.events.closes, 1);
    EXPECT_TRUE(w.window->Visible());
    w.window->Hide();
    EXPECT_FALSE(w.window->Visible());
    EXPECT_EQ(SendMessageW(w.hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(w.hwnd(), WM_ENDSESSION, FALSE, 0);
    SendMessageW(w.hwnd(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(w.events.session_ends, 1) << "only when the session really ends";
    EXPECT_TRUE(w.events.clicks.empty());
  }
}

// --- What the user and the program do, through the real controls --------------

// One row: an action on a window (the same one as the row before while the
// layout is the same), then where the focus is (kAny: not checked) and the one
// click it reported (kAny: none).
constexpr ControlIndex kAny = -1;
enum class Act { kShow, kKey, kAlt, kTickByCode, kUntickByCode, kClick };
struct Row {
  const lo::Window* layout;
  Act act;
  ControlIndex target;  // given the focus first, ticked, or clicked
  UINT key;
  ControlIndex focus;
  ControlIndex click;
};

TEST(EveryWindow, KeysAndCodeReachTheControlsTheRulesName) {
  using namespace main_ids;
  using form1_ids::Command1;
  using form1_ids::Command2;
  const lo::Window* m = &lo::kfrmMain;
  const lo::Window* f = &lo::kForm1;
  const Row table[] = {
      {m, Act::kShow, kAny, 0, cmdHide, kAny},
      // Tab order through the real controls.
      {m, Act::kKey, kAny, VK_TAB, cmdClose, kAny},
      {m, Act::kKey, kAny, VK_TAB, optBEEP, kAny},
      {m, Act::kKey, kAny, VK_TAB, cmdALLIE, kAny},
      {m, Act::kKey, kAny, VK_TAB, CheTitle, kAny},
      {m, Act::kKey, kAny, VK_TAB, Check1, kAny},
      {m, Act::kKey, kAny, VK_TAB, cmdHide, kAny},
      {m, Act::kKey, CheTitle, VK_RETURN, kAny, cmdHide},
      {m, Act::kKey, cmdClose, VK_RETURN, kAny, cmdClose},
      {m, Act::kKey, optBEEP, VK_SPACE, kAny, optBEEP},
      // Boxes set by code stay silent.
      {m, Act::kUntickByCode, optBEEP, 0, kAny, kAny},
      {m, Act::kTickByCode, CheTitle, 0, kAny, kAny},
      {m, Act::kTickByCode, Check1, 0, kAny, kAny},
      {m, Act::kClick, Check1, 0, kAny, Check1},
      {f, Act::kShow, kAny, 0, Command1, kAny},
      {f, Act::kKey, kAny, VK_ESCAPE, kAny, kAny},
      {f, Act::kKey, kAny, VK_RETURN, kAny, Command1},
      {f, Act::kKey, kAny, VK_TAB, Command2, kAny},
      // Shown again while up: the focus stays where the user left it.
      {f, Act::kShow, kAny, 0, Command2, kAny},
      {f, Act::kAlt, kAny, L'y', kAny, Command1},
      {f, Act::kAlt, kAny, L'n', kAny, Command2},
  };
  std::unique_ptr<Built> w;
  for (const Row& row : table) {
    SCOPED_TRACE(std::string(row.layout->name) + " row " + std::to_string(&row - table));
    if (w == nullptr || &w->layout != row.layout) w = std::make_unique<Built>(*row.layout);
    const HWND target = row.target == kAny ? nullptr : w->control(row.target);
    switch (row.act) {
      case Act::kShow:
        w->window->Show();
        break;
      case Act::kKey:
        if (target != nullptr) SetFocus(target);
        Key(row.key);
        break;
      case Act::kAlt:
        PostMessageW(GetFocus(), WM_SYSCHAR, row.key, 1 << 29);
        break;
      case Act::kTickByCode:
      case Act::kUntickByCode:
        w->window->SetCheckState(row.target, row.act == Act::kTickByCode);
        EXPECT_EQ(w->window->CheckState(row.target), row.act == Act::kTickByCode);
        break;
      case Act::kClick:
        SendMessageW(target, BM_CLICK, 0, 0);
        EXPECT_EQ(w->window->CheckState(row.target), 0) << "the click unticks it";
        break;
    }
    Pump();
    if (row.focus != kAny) {
      EXPECT_EQ(GetFocus(), w->control(row.focus));
    }
    EXPECT_EQ(w->events.clicks, row.click == kAny ? std::vector<ControlIndex>{}
                                                  : std::vector<ControlIndex>{row.click});
    w->events.clicks.clear();
  }
}

// --- frmAbout and Form1: what the end-to-end run neither checks nor can point at

TEST(AboutBox, CaptionsCursorClicksAndPainting) {
  Built w(lo::kfrmAbout);
  w.window->SetCaption(about_ids::lblVersion, "Orvo_自動広告除去 Version.1.8.0");
  EXPECT_EQ(Text(w.control(about_ids::lblVersion)), L"Orvo_自動広告除去 Version.1.8.0");
  w.window->Show();
  Pump();
  const HWND address = w.control(about_ids::Label2);
  const HWND text = w.control(about_ids::Label6);
  HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), L"HAND");
  if (hand == nullptr) hand = LoadCursorW(nullptr, IDC_HAND);
  for (HWND over : {address, text}) {
    SendMessageW(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor() == hand, over == address);
  }
  PostMessageW(address, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(address, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  Pump();
  EXPECT_EQ(w.events.clicks, (std::vector{about_ids::Label2}));

  UpdateWindow(w.hwnd());
  const HDC dc = GetDC(w.hwnd());
  EXPECT_EQ(GetPixel(dc, 5, 176), RGB(255, 0, 0)) << "Line1(1)";
  EXPECT_EQ(GetPixel(dc, 420, 176), RGB(255, 0, 0)) << "Line1(1)";
  // Under the address label, which lets it through.
  EXPECT_EQ(GetPixel(dc, 224, 210), RGB(0, 0, 255)) << "Line1(2)";
  EXPECT_EQ(GetPixel(dc, 222, 210), RGB(255, 255, 255)) << "Line1(2) starts at 223";
  int coloured = 0;  // the picture: not a blank white square
  for (int y = 8; y < 8 + 58; y += 4) {
    for (int x = 8; x < 8 + 94; x += 4) coloured += GetPixel(dc, x, y) != RGB(255, 255, 255);
  }
  EXPECT_GT(coloured, 20);
  ReleaseDC(w.hwnd(), dc);
}

TEST(ExitConfirmation, LabelSitsOnAWhiteWindow) {
  Built w(lo::kForm1);
  w.window->Show();
  Pump();
  UpdateWindow(w.hwnd());
  const HDC dc = GetDC(w.hwnd());
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 24, 17), RGB(255, 255, 255)) << "left of the text, inside the label";
  ReleaseDC(w.hwnd(), dc);
}

// --- Form3: the tray menu ----------------------------------------------------

std::vector<std::wstring> g_menu_seen;
const std::vector<UINT>* g_menu_keys = nullptr;

void CALLBACK DriveMenu(HWND, UINT, UINT_PTR id, DWORD) {
  const HWND menu_window = FindWindowW(L"#32768", nullptr);
  if (menu_window == nullptr) return;
  KillTimer(nullptr, id);
  const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menu_window, MN_GETHMENU, 0, 0));
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = {};
    if (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) {
      g_menu_seen.push_back(L"-");
    } else {
      GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
      g_menu_seen.push_back(text);
    }
  }
  for (UINT key : *g_menu_keys) PostMessageW(menu_window, WM_KEYDOWN, key, 0);
}

int PopUpAndPress(WinWindow& window, const std::vector<UINT>& keys) {
  g_menu_seen.clear();
  g_menu_keys = &keys;
  SetTimer(nullptr, 0, 50, &DriveMenu);
  return window.PopupMenu();
}

// The end-to-end run picks items with the arrow keys; the texts and the access
// keys it does not see.
TEST(TrayMenu, ShowsTheItemsAndTheirAccessKeysPick) {
  Built w(lo::kForm3);
  EXPECT_EQ(PopUpAndPress(*w.window, {L'A'}), lo::Form3Menu::mnuVER);
  EXPECT_EQ(g_menu_seen, (std::vector<std::wstring>{
                             L"オプション設定(&O)", L"-", L"Orvo自動広告除去を終了する(&X)", L"-",
                             L"Orvo Development Webサイト(&W)", L"バージョン情報(&A)"}));
  EXPECT_EQ(PopUpAndPress(*w.window, {L'X'}), lo::Form3Menu::mnuEnd);
  EXPECT_EQ(PopUpAndPress(*w.window, {VK_ESCAPE}), -1);
  EXPECT_TRUE(w.events.clicks.empty());
}

// --- Windows refused ------------------------------------------------------

LRESULT CALLBACK Refuse(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  return msg == WM_NCCREATE ? FALSE : DefWindowProcW(hwnd, msg, wparam, lparam);
}

struct NoExit final : Process {
  void End() override {}
};

// Out of window handles, say: the program goes on without its windows, and
// loading and saving set.ini through the stand-ins loses no setting.
TEST(RefusedWindows, KeepEverySettingThroughLoadAndYes) {
  UnregisterClassW(kLayoutWindowClass, GetModuleHandleW(nullptr));
  WNDCLASSEXW refusing{};
  refusing.cbSize = sizeof refusing;
  refusing.lpfnWndProc = &Refuse;
  refusing.hInstance = GetModuleHandleW(nullptr);
  refusing.lpszClassName = kLayoutWindowClass;
  ASSERT_NE(RegisterClassExW(&refusing), 0);

  WinFiles files;
  const std::string ini = files.AppDirectory() + "\\set.ini";
  constexpr std::string_view kAllOn = "1\r\n1\r\n1\r\n";
  ASSERT_EQ(files.Replace(ini, kAllOn), kOk);
  std::string saved;
  {
    ComBrowserAutomation browser;
    WinTimers timers;
    WinSound sound;
    WinIcons icons;
    WinAnsiCodePage ansi;
    SysTrayWindow tray;
    WinWindowFactory windows;
    NoExit process;
    WinVersionInfo version;
    Platform platform{browser, timers,  sound,   icons,   files,
                      ansi,    windows, process, version, tray.SysTray()};
    OptionFlags flags;
    frmMain main(platform, flags);
    main.LoadSettingsFile();
    EXPECT_EQ(flags.BeepFlag + flags.NoToolbarFlag + flags.NewWindowFlag, "111");
    Form1 confirm(main, platform);
    confirm.Show();
    confirm.Command1_Click();
    (void)files.Read(ini, saved);
  }
  EXPECT_EQ(saved, kAllOn);
  DeleteFileW(Widen(ini).c_str());
  UnregisterClassW(kLayoutWindowClass, GetModuleHandleW(nullptr));
}

}  // namespace
}  // namespace orvo::win32
