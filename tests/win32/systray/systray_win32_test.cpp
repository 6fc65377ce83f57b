#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "systray/cSysTray.h"
#include "win32/shell_notify_icon.h"
#include "win32/tray_host.h"
#include "win32/win_ansi.h"
#include "win32/win_window_procs.h"

namespace orvo::win32 {
namespace {

constexpr char kTipCp932[] = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x81\x46\x30";  // ブロック：0

std::vector<std::string> g_log;

struct Seen {
  DWORD message;
  NOTIFYICONDATAA data;
  BOOL result;
};
std::vector<Seen> g_seen;

BOOL WINAPI Capture(DWORD message, PNOTIFYICONDATAA data) {
  const BOOL result = Shell_NotifyIconA(message, data);
  g_seen.push_back({message, *data, result});
  return result;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// What the shell would answer about an icon of `hwnd` now.
bool IconThere(HWND hwnd) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = hwnd;
  return Shell_NotifyIconA(NIM_MODIFY, &data);
}

LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == mSysTray::TrayCallbackMessage) {
    g_log.push_back("own " + std::to_string(lparam));
    return 0x1234;
  }
  return DefWindowProcA(hwnd, msg, wparam, lparam);
}

// A control on a window of the test's own class, with a capturing shell.
struct TestControl : ControlHost {
  TestControl() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &OwnProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OrvoSysTrayTest";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
    tray.emplace(SysTrayPorts{*this, shell, procs, ansi});
    tray->MouseMove = [](std::int32_t id) { g_log.push_back("MouseMove " + std::to_string(id)); };
    tray->MouseDown = [](std::int16_t button, std::int32_t id) {
      g_log.push_back("MouseDown " + std::to_string(button) + " " + std::to_string(id));
    };
    g_log.clear();
    g_seen.clear();
  }
  ~TestControl() {
    tray.reset();
    DestroyWindow(hwnd);
  }

  WindowHandle Hwnd() override { return reinterpret_cast<WindowHandle>(hwnd); }
  bool UserMode() override { return true; }
  void PropertyChanged(std::string_view) override {}
  std::optional<Picture> FacePicture() override { return std::nullopt; }
  void SetFacePicture(const std::optional<Picture>&) override {}
  int ScaleWidth() override { return 0; }
  int ScaleHeight() override { return 0; }
  HResult SetSizeTwips(int, int) override { return kOk; }

  HWND hwnd = nullptr;
  WinTrayShell shell{&Capture};
  WinWindowProcs procs;
  WinAnsiCodePage ansi;
  std::optional<cSysTray> tray;
};

Picture AppIcon() {
  return {Picture::Type::kIcon,
          reinterpret_cast<std::uintptr_t>(LoadIcon(nullptr, IDI_APPLICATION))};
}

TEST(SysTrayOnWindows, TheShellGetsNotifyIconDataVersionOneInCodePage932) {
  ASSERT_EQ(GetACP(), 932u) << "the Wine prefix must run with a Japanese locale";
  TestControl c;
  c.tray->TrayIcon(AppIcon());
  c.tray->TrayTip("ブロック：0");
  c.tray->InTray(true);
  c.tray->TrayTip("");
  c.tray->InTray(false);

  ASSERT_EQ(g_seen.size(), 3u);
  const NOTIFYICONDATAA& add = g_seen[0].data;
  EXPECT_EQ(g_seen[0].message, DWORD{NIM_ADD});
  EXPECT_EQ(add.cbSize, NOTIFYICONDATAA_V1_SIZE);
  EXPECT_EQ(add.hWnd, c.hwnd);
  EXPECT_EQ(add.uID, 0u);
  EXPECT_EQ(add.uFlags, UINT{NIF_MESSAGE | NIF_ICON | NIF_TIP});
  EXPECT_EQ(add.uCallbackMessage, 1125u);
  EXPECT_EQ(add.hIcon, LoadIcon(nullptr, IDI_APPLICATION));
  EXPECT_EQ(std::memcmp(add.szTip, kTipCp932, sizeof kTipCp932), 0);
  EXPECT_EQ(g_seen[1].message, DWORD{NIM_MODIFY});
  EXPECT_EQ(g_seen[1].data.uFlags, UINT{NIF_TIP});
  EXPECT_EQ(g_seen[1].data.szTip[0], '\0');
  EXPECT_EQ(g_seen[2].message, DWORD{NIM_DELETE});
  EXPECT_EQ(g_seen[2].data.uFlags, 0u);
  for (const Seen& seen : g_seen) EXPECT_TRUE(seen.result) << "message " << seen.message;
  EXPECT_FALSE(IconThere(c.hwnd));
}

TEST(SysTrayOnWindows, SubclassesTheWindowWhileShownAndPutsItsProcedureBack) {
  TestControl c;
  c.tray->InTray(true);
  EXPECT_NE(GetWindowLongPtrA(c.hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
  EXPECT_EQ(GetWindowLongPtrA(c.hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&*c.tray));

  PostMessageA(c.hwnd, 1125, 0, WM_RBUTTONDOWN);
  PostMessageA(c.hwnd, 1125, 0, WM_MOUSEMOVE);
  PostMessageA(c.hwnd, 1125, 0, WM_MBUTTONDOWN);
  Pump();
  EXPECT_EQ(g_log, (std::vector<std::string>{"MouseDown 2 0", "own 516", "MouseMove 0", "own 512",
                                             "own 519"}));
  EXPECT_EQ(SendMessageA(c.hwnd, 1125, 0, WM_LBUTTONUP), 0x1234);

  c.tray->InTray(false);
  EXPECT_EQ(GetWindowLongPtrA(c.hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OwnProc));
  g_log.clear();
  PostMessageA(c.hwnd, 1125, 0, WM_LBUTTONDOWN);
  Pump();
  EXPECT_EQ(g_log, (std::vector<std::string>{"own 513"}));
}

TEST(SysTrayOnWindows, AHiddenTopLevelWindowThatGetsItsIconBackAfterTaskbarCreated) {
  SysTrayWindow window;
  const HWND hwnd = window.hwnd();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetAncestor(hwnd, GA_PARENT), GetDesktopWindow());  // not message-only
  EXPECT_FALSE(IsWindowVisible(hwnd));

  window.SysTray().TrayIcon(AppIcon());
  window.SysTray().TrayTip("ブロック：0");
  window.SysTray().InTray(true);
  ASSERT_TRUE(IconThere(hwnd));

  // As when Explorer restarts: the icon goes without our asking.
  NOTIFYICONDATAA gone{};
  gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
  gone.hWnd = hwnd;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
  ASSERT_FALSE(IconThere(hwnd));
  PostMessageA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  Pump();
  EXPECT_TRUE(IconThere(hwnd));

  window.SysTray().InTray(false);
  EXPECT_FALSE(IconThere(hwnd));
  PostMessageA(hwnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  Pump();
  EXPECT_FALSE(IconThere(hwnd));
}

}  // namespace
}  // namespace orvo::win32
