#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "systray/cSysTray.h"
#include "win32/shell_notify_icon.h"
#include "win32/win_ansi.h"
#include "win32/win_window_procs.h"

namespace orvo::win32 {
namespace {

constexpr char kTipCp932[] = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x81\x46\x30";  // ブロック：0

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

// What the shell would answer about an icon of `hwnd` now.
bool IconThere(HWND hwnd) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = hwnd;
  return Shell_NotifyIconA(NIM_MODIFY, &data);
}

// A control on a window of the test's own class, with a capturing shell.
struct TestControl : ControlHost {
  TestControl() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OrvoSysTrayTest";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
    tray.emplace(SysTrayPorts{*this, shell, procs, ansi});
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

}  // namespace
}  // namespace orvo::win32
