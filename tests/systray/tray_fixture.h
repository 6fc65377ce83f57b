#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "doubles/fake_tray.h"
#include "systray/cSysTray.h"

namespace orvo {

inline constexpr Picture kIcon{Picture::Type::kIcon, 0x2A1};
inline constexpr Picture kOtherIcon{Picture::Type::kIcon, 0x2B3};

// "ブロック：0" as a Japanese Windows sends it.
inline const std::string kTipCp932 = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x81\x46\x30";

// szTip up to its NUL; also checks that nothing but zeros follows.
inline std::string TipOf(const NotifyIconRecord& r) {
  std::string tip(reinterpret_cast<const char*>(r.data() + 24));
  for (std::size_t i = 24 + tip.size(); i < r.size(); ++i) EXPECT_EQ(r[i], 0) << "byte " << i;
  return tip;
}

// A UTF-16 record with `tip` in szTip, as the shell reads it.
inline NotifyIconRecordW WithTip(NotifyIconRecordW r, std::u16string_view tip) {
  for (std::size_t i = 0; i < tip.size(); ++i) {
    r[24 + 2 * i] = static_cast<std::uint8_t>(tip[i]);
    r[25 + 2 * i] = static_cast<std::uint8_t>(tip[i] >> 8);
  }
  return r;
}

// A cSysTray on a fake window whose own procedure logs "own <msg>" and answers
// 0x5A; events log as "MouseDown 1 0".
struct TrayTest : ::testing::Test {
  fake::Journal journal;
  fake::FakeTrayShell shell{&journal};
  fake::FakeWindows windows{&journal};
  fake::CodePage ansi;
  WindowHandle hwnd = windows.NewWindow(
      [this](WindowHandle, std::uint32_t msg, std::uintptr_t, std::intptr_t) -> std::intptr_t {
        journal.push_back("own " + std::to_string(msg));
        return 0x5A;
      });
  fake::FakeControlHost host{hwnd};
  std::optional<cSysTray> tray;

  TrayTest() { Create(); }
  void Create() {
    tray.emplace(SysTrayPorts{host, shell, windows, ansi});
    auto log = [this](std::string event) {
      return [this, event](std::int16_t button, std::int32_t id) {
        journal.push_back(event + " " + std::to_string(button) + " " + std::to_string(id));
      };
    };
    tray->MouseMove = [this](std::int32_t id) {
      journal.push_back("MouseMove " + std::to_string(id));
    };
    tray->MouseDown = log("MouseDown");
    tray->MouseUp = log("MouseUp");
    tray->MouseDblClick = log("MouseDblClick");
  }
  // Shows the icon with `icon` and `tip`, then forgets what that did.
  void Show(std::optional<Picture> icon = kIcon, std::string tip = "ブロック：0") {
    tray->TrayIcon(icon);
    tray->TrayTip(tip);
    tray->InTray(true);
    Forget();
  }
  void Forget() {
    journal.clear();
    shell.calls.clear();
    host.notices.clear();
  }
};

}  // namespace orvo
