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

void AltKey(wchar_t letter) {
  PostMessageW(GetFocus(), WM_SYSCHAR, letter, 1 << 29);
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

// --- Every window -------------------------------------------------------

class EveryWindow : public testing::TestWithParam<const lo::Window*> {};

TEST_P(EveryWindow, IsAFixedDialogFrameOfExactlyItsClientSize) {
  Built w(*GetParam());
  ASSERT_NE(w.window, nullptr);
  RECT client{};
  GetClientRect(w.hwnd(), &client);
  EXPECT_EQ(client.right, Px(w.layout.client_width));
  EXPECT_EQ(client.bottom, Px(w.layout.client_height));

  const LONG_PTR style = GetWindowLongPtrW(w.hwnd(), GWL_STYLE);
  const LONG_PTR ex_style = GetWindowLongPtrW(w.hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(ex_style & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(ex_style & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(IsWindowVisible(w.hwnd())) << "created hidden";
  EXPECT_EQ(Text(w.hwnd()), Widen(w.layout.title));

  RECT outer{};
  GetWindowRect(w.hwnd(), &outer);
  if (w.layout.centred) {
    EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
  }

  // Windows gives a taskbar button to unowned windows only.
  const HWND owner = GetWindow(w.hwnd(), GW_OWNER);
  if (w.layout.taskbar_button) {
    EXPECT_EQ(owner, nullptr);
  } else {
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner));
  }
}

TEST_P(EveryWindow, ControlsSitAtTheirPixelRectanglesWithTheirCaptionsAndFonts) {
  Built w(*GetParam());
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);

  for (size_t i = 0; i < w.layout.controls.size(); ++i) {
    const lo::Control& c = w.layout.controls[i];
    SCOPED_TRACE(std::string(c.name));
    const HWND hwnd = w.control(static_cast<ControlIndex>(i));
    if (c.kind == lo::Kind::kLine || c.kind == lo::Kind::kPicture) {
      EXPECT_EQ(hwnd, nullptr);
      continue;
    }
    ASSERT_NE(hwnd, nullptr);
    const lo::PixelRect place = lo::ControlRect(w.layout, static_cast<ControlIndex>(i));
    const RECT r = ClientRectOf(hwnd);
    EXPECT_EQ((lo::PixelRect{r.left, r.top, r.right, r.bottom}), place);
    EXPECT_EQ(Text(hwnd), Widen(c.caption));

    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    switch (c.kind) {
      case lo::Kind::kFrame:
        EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
        EXPECT_FALSE(style & WS_TABSTOP);
        break;
      case lo::Kind::kCheckBox:
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
      case lo::Kind::kButton:
        EXPECT_EQ(style & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_TRUE(style & WS_TABSTOP);
        break;
      case lo::Kind::kLabel:
        EXPECT_EQ(ClassOf(hwnd), L"Static");
        EXPECT_FALSE(style & WS_TABSTOP);
        break;
      default:
        break;
    }

    LOGFONTW font{};
    ASSERT_NE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font,
                         &font),
              0);
    const lo::Font* expected = c.font != nullptr ? c.font : w.layout.font;
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
}

TEST_P(EveryWindow, CloseBoxOnlyAsksAndSessionEndIsNeverRefused) {
  Built w(*GetParam());
  w.window->Show();
  Pump();
  SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(w.events.closes, 1);
  EXPECT_TRUE(IsWindow(w.hwnd()));
  EXPECT_TRUE(w.window->Visible());

  w.window->Hide();
  EXPECT_FALSE(w.window->Visible());
  EXPECT_EQ(SendMessageW(w.hwnd(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  SendMessageW(w.hwnd(), WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(w.events.session_ends, 0) << "the session goes on";
  SendMessageW(w.hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(w.events.session_ends, 1);
  EXPECT_TRUE(w.events.clicks.empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, EveryWindow,
                         testing::Values(&lo::kfrmMain, &lo::kForm1, &lo::kfrmAbout, &lo::kForm3),
                         [](const auto& info) { return std::string(info.param->name); });

// --- frmMain: the options window -----------------------------------------

TEST(OptionsWindow, CarriesTheNotflagIconAndTheOthersNone) {
  Built main_window(lo::kfrmMain);
  EXPECT_NE(SendMessageW(main_window.hwnd(), WM_GETICON, ICON_BIG, 0), 0);
  Built about(lo::kfrmAbout);
  EXPECT_EQ(SendMessageW(about.hwnd(), WM_GETICON, ICON_BIG, 0), 0);
}

TEST(OptionsWindow, OpensWithTheFocusOnOkAndTabsInTabNumberOrder) {
  Built w(lo::kfrmMain);
  w.window->Show();
  Pump();
  ASSERT_EQ(GetFocus(), w.control(main_ids::cmdHide));
  const ControlIndex order[] = {main_ids::cmdClose, main_ids::optBEEP, main_ids::cmdALLIE,
                                main_ids::CheTitle, main_ids::Check1,  main_ids::cmdHide};
  for (ControlIndex expected : order) {
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), w.control(expected)) << w.layout.controls[expected].name;
  }
  EXPECT_TRUE(w.events.clicks.empty());
}

// Which button each key presses is the layout's rule; here, that the keys
// reach it.
TEST(OptionsWindow, EnterAndEscPressTheButtonsTheRulesName) {
  Built w(lo::kfrmMain);
  w.window->Show();
  Pump();
  SetFocus(w.control(main_ids::CheTitle));
  Key(VK_RETURN);
  SetFocus(w.control(main_ids::cmdClose));
  Key(VK_RETURN);
  Key(VK_ESCAPE);
  EXPECT_EQ(w.events.clicks,
            (std::vector{main_ids::cmdHide, main_ids::cmdClose, main_ids::cmdHide}));
  EXPECT_EQ(w.window->CheckState(main_ids::CheTitle), 0) << "Enter does not tick a box";
}

TEST(OptionsWindow, CheckBoxesSetByCodeStaySilentAndClickedByTheUserReport) {
  Built w(lo::kfrmMain);
  w.window->Show();
  Pump();
  for (ControlIndex box : {main_ids::optBEEP, main_ids::CheTitle, main_ids::Check1}) {
    EXPECT_EQ(w.window->CheckState(box), 0) << "unticked when created";
    w.window->SetCheckState(box, 1);
    EXPECT_EQ(w.window->CheckState(box), 1);
    w.window->SetCheckState(box, 0);
    EXPECT_EQ(w.window->CheckState(box), 0);
  }
  EXPECT_TRUE(w.events.clicks.empty());

  std::vector<int> seen;
  w.events.on_click = [&](ControlIndex c) { seen.push_back(w.window->CheckState(c)); };
  SendMessageW(w.control(main_ids::Check1), BM_CLICK, 0, 0);
  SendMessageW(w.control(main_ids::Check1), BM_CLICK, 0, 0);
  EXPECT_EQ(w.events.clicks, (std::vector{main_ids::Check1, main_ids::Check1}));
  EXPECT_EQ(seen, (std::vector{1, 0})) << "the new state is there when Click runs";

  // Space on the focused box, as a user toggles it from the keyboard.
  SetFocus(w.control(main_ids::optBEEP));
  Key(VK_SPACE);
  EXPECT_EQ(w.window->CheckState(main_ids::optBEEP), 1);
  EXPECT_EQ(w.events.clicks.back(), main_ids::optBEEP);
}

// --- Form1: the exit confirmation -----------------------------------------

TEST(ExitConfirmation, EnterAnswersYesAtOnceEscDoesNothingAndShowingAgainKeepsTheFocus) {
  Built w(lo::kForm1);
  w.window->Show();
  Pump();
  EXPECT_EQ(GetFocus(), w.control(form1_ids::Command1));
  Key(VK_ESCAPE);
  EXPECT_TRUE(w.events.clicks.empty());
  Key(VK_RETURN);
  Key(VK_TAB);
  // The exit command chosen again while the confirmation is up.
  w.window->Show();
  Pump();
  Key(VK_RETURN);
  EXPECT_EQ(w.events.clicks, (std::vector{form1_ids::Command1, form1_ids::Command2}));
}

TEST(ExitConfirmation, AccessKeysPressTheirButtons) {
  Built w(lo::kForm1);
  w.window->Show();
  Pump();
  AltKey(L'n');
  AltKey(L'y');
  EXPECT_EQ(w.events.clicks, (std::vector{form1_ids::Command2, form1_ids::Command1}));
}

TEST(ExitConfirmation, LabelSitsOnAWhiteWindow) {
  Built w(lo::kForm1);
  w.window->Show();
  Pump();
  UpdateWindow(w.hwnd());
  const HDC dc = GetDC(w.hwnd());
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(255, 255, 255));
  // Left of the text, inside the label.
  EXPECT_EQ(GetPixel(dc, 24, 17), RGB(255, 255, 255));
  ReleaseDC(w.hwnd(), dc);
}

// --- frmAbout: the About box ------------------------------------------------

TEST(AboutBox, ClosingFromItsOwnButtonDestroysItCleanly) {
  Built w(lo::kfrmAbout);
  w.window->Show();
  Pump();
  const HWND hwnd = w.hwnd();
  w.events.on_click = [&](ControlIndex) { w.window.reset(); };
  Key(VK_RETURN);
  EXPECT_EQ(w.window, nullptr);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST(AboutBox, VersionLineIsSetAfterCreation) {
  Built w(lo::kfrmAbout);
  w.window->SetCaption(about_ids::lblVersion, "Orvo_自動広告除去 Version.1.8.0");
  EXPECT_EQ(Text(w.control(about_ids::lblVersion)), L"Orvo_自動広告除去 Version.1.8.0");
  w.window->SetCaption(about_ids::Label2, "x");
  EXPECT_EQ(Text(w.control(about_ids::Label2)), L"x");
}

TEST(AboutBox, AddressLabelShowsTheHandOnlyUnderThePointerAndReportsClicks) {
  Built w(lo::kfrmAbout);
  w.window->Show();
  Pump();
  const HWND address = w.control(about_ids::Label2);
  const HWND text = w.control(about_ids::Label6);
  HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), L"HAND");
  if (hand == nullptr) hand = LoadCursorW(nullptr, IDC_HAND);

  SendMessageW(address, WM_SETCURSOR, reinterpret_cast<WPARAM>(address),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), hand);
  SendMessageW(text, WM_SETCURSOR, reinterpret_cast<WPARAM>(text),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(GetCursor(), hand);

  PostMessageW(address, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(address, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  Pump();
  EXPECT_EQ(w.events.clicks, (std::vector{about_ids::Label2}));
}

TEST(AboutBox, PaintsItsLinesAndPictureUnderTransparentLabels) {
  Built w(lo::kfrmAbout);
  w.window->Show();
  Pump();
  UpdateWindow(w.hwnd());
  const HDC dc = GetDC(w.hwnd());
  EXPECT_EQ(GetPixel(dc, 5, 176), RGB(255, 0, 0)) << "Line1(1)";
  EXPECT_EQ(GetPixel(dc, 420, 176), RGB(255, 0, 0)) << "Line1(1)";
  // Under the address label, which lets it through.
  EXPECT_EQ(GetPixel(dc, 224, 210), RGB(0, 0, 255)) << "Line1(2)";
  EXPECT_EQ(GetPixel(dc, 222, 210), RGB(255, 255, 255)) << "Line1(2) starts at 223";
  // The picture: not a blank white square.
  int coloured = 0;
  for (int y = 8; y < 8 + 58; y += 4) {
    for (int x = 8; x < 8 + 94; x += 4) coloured += GetPixel(dc, x, y) != RGB(255, 255, 255);
  }
  EXPECT_GT(coloured, 20);
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

TEST(TrayMenu, PopsUpTheMenuTreeAndReturnsTheChosenItem) {
  Built w(lo::kForm3);
  EXPECT_EQ(PopUpAndPress(*w.window, {VK_DOWN, VK_DOWN, VK_RETURN}), lo::Form3Menu::mnuEnd);
  EXPECT_EQ(g_menu_seen, (std::vector<std::wstring>{
                             L"オプション設定(&O)", L"-", L"Orvo自動広告除去を終了する(&X)", L"-",
                             L"Orvo Development Webサイト(&W)", L"バージョン情報(&A)"}));
  EXPECT_EQ(PopUpAndPress(*w.window, {L'A'}), lo::Form3Menu::mnuVER) << "access key";
  EXPECT_EQ(PopUpAndPress(*w.window, {VK_ESCAPE}), -1);
  EXPECT_FALSE(w.window->Visible());
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
