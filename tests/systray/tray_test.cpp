// The tray control on a fake shell and window: the records it sends, byte for
// byte, the hook it puts on its window and the events the shell's callbacks
// raise.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "doubles/fake_tray.h"
#include "systray/cSysTray.h"
#include "systray/mSysTray.h"

namespace orvo {
namespace {

using Strings = std::vector<std::string>;
constexpr Picture kIcon{Picture::Type::kIcon, 0x2A1};
constexpr Picture kOtherIcon{Picture::Type::kIcon, 0x2B3};
// "ブロック：0" as a Japanese Windows sends it.
const std::string kTipCp932 = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x81\x46\x30";

// szTip up to its NUL; also checks that nothing but zeros follows.
std::string TipOf(const NotifyIconRecord& r) {
  std::string tip(reinterpret_cast<const char*>(r.data() + 24));
  for (std::size_t i = 24 + tip.size(); i < r.size(); ++i) EXPECT_EQ(r[i], 0) << "byte " << i;
  return tip;
}

NotifyIconRecordW WithTip(NotifyIconRecordW r, std::u16string_view tip) {
  for (std::size_t i = 0; i < tip.size(); ++i) {
    r[24 + 2 * i] = static_cast<std::uint8_t>(tip[i]);
    r[25 + 2 * i] = static_cast<std::uint8_t>(tip[i] >> 8);
  }
  return r;
}

// A cSysTray on a fake window whose own procedure logs "own <msg>" and answers
// 0x5A; its events log as "MouseDown 1 0".
struct Tray : testing::Test {
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

  Tray() { Create(); }
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

TEST_F(Tray, EachChangeSendsTheRecordTheShellExpects) {
  const NotifyIconRecord add_head{88, 0, 0, 0, 0x00, 0x01, 0, 0, 0,    0,    0, 0,
                                  7,  0, 0, 0, 0x65, 0x04, 0, 0, 0xA1, 0x02, 0, 0};
  NotifyIconRecord add = add_head;
  std::copy(kTipCp932.begin(), kTipCp932.end(), add.begin() + 24);
  NotifyIconRecord readd = add;
  readd[20] = 0xB3;
  const NotifyIconRecord icon{88, 0, 0, 0, 0x00, 0x01, 0, 0, 0, 0,    0,
                              0,  2, 0, 0, 0,    0,    0, 0, 0, 0xB3, 0x02};
  NotifyIconRecord tip{88, 0, 0, 0, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 4};
  const std::string count5 = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x94\x81\x46\x35";
  std::copy(count5.begin(), count5.end(), tip.begin() + 24);
  const NotifyIconRecord del{88, 0, 0, 0, 0x00, 0x01};

  tray->TrayIcon(kIcon);
  tray->TrayTip("ブロック：0");
  EXPECT_TRUE(shell.calls.empty());
  tray->InTray(true);
  tray->InTray(true);  // the same value changes nothing
  tray->TrayIcon(kOtherIcon);
  for (const auto& p : {std::optional<Picture>{}, std::optional(Picture{Picture::Type::kNone, 0}),
                        std::optional(Picture{Picture::Type::kBitmap, 0x77})}) {
    tray->TrayIcon(p);  // no icon: ignored
  }
  tray->TrayTip("ブロック数：5");
  EXPECT_EQ(windows.Send(hwnd, fake::FakeWindows::kTaskbarCreated, 0, 0), 0x5A);
  tray->InTray(false);
  windows.Send(hwnd, fake::FakeWindows::kTaskbarCreated, 0, 0);  // hidden: not added again

  EXPECT_EQ(journal,
            (Strings{"SetWindowProc tray", "SetUserData", "NIM_ADD", "NIM_MODIFY", "NIM_MODIFY",
                     "NIM_ADD", "own 49374", "NIM_DELETE", "SetWindowProc other", "own 49374"}));
  readd[12] = 7;
  std::copy(count5.begin(), count5.end(), readd.begin() + 24);
  const NotifyIconRecord expected[] = {add, icon, tip, readd, del};
  ASSERT_EQ(shell.calls.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(shell.calls[i].record, expected[i]) << i;
  EXPECT_EQ(host.notices, (Strings{"TrayIcon", "InTray", "TrayIcon", "InTray"}));
  EXPECT_EQ(windows.ProcOf(hwnd), windows.OwnProc(hwnd));
}

TEST_F(Tray, AddCarriesIconAndTipFlagsOnlyForWhatIsThere) {
  struct Case {
    std::optional<Picture> icon;
    const char* tip;
    std::uint8_t flags;
  } cases[] = {{std::nullopt, "", 1}, {kIcon, "", 3}, {std::nullopt, "tip", 5}, {kIcon, "tip", 7}};
  for (const Case& c : cases) {
    Create();
    tray->TrayIcon(c.icon);
    tray->TrayTip(c.tip);
    shell.calls.clear();
    tray->InTray(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].record[12], c.flags);
    EXPECT_EQ(shell.calls[0].record[20], c.icon ? 0xA1 : 0);
    EXPECT_EQ(TipOf(shell.calls[0].record), c.tip);
    tray.reset();
  }
}

TEST_F(Tray, WhereTheCodePageLacksTheTipTheIconTalksUtf16) {
  ansi.name = "CP1252";
  Show();
  Create();  // the first goes away: its icon is deleted
  const NotifyIconRecordW expected_delete{152, 0, 0, 0, 0x00, 0x01};
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].wide, expected_delete);
  tray->TrayIcon(kIcon);
  tray->TrayTip("ブロック：0");
  tray->InTray(true);
  EXPECT_EQ(shell.calls[1].wide, WithTip({152, 0, 0, 0, 0x00, 0x01, 0,    0, 0, 0,    0,
                                          0,   7, 0, 0, 0,    0x65, 0x04, 0, 0, 0xA1, 0x02},
                                         u"ブロック：0"));
}

TEST_F(Tray, DesignModeOnlyRecordsTheValue) {
  host.user_mode = false;
  tray->InTray(true);
  EXPECT_TRUE(tray->InTray());
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(host.notices, (Strings{"InTray"}));
}

TEST_F(Tray, CallbacksRaiseTheirEventThenReachThePreviousProcedure) {
  Show();
  const std::pair<std::intptr_t, const char*> cases[] = {
      {0x200, "MouseMove 0"},
      {0x201, "MouseDown 1 0"},
      {0x202, "MouseUp 1 0"},
      {0x203, "MouseDblClick 1 0"},
      {0x204, "MouseDown 2 0"},
      {0x205, "MouseUp 2 0"},
      {0x206, "MouseDblClick 2 0"},
      {0x1FF, nullptr},
      {0x207, nullptr},
      {0x20A, nullptr},
      {0, nullptr},
      {0x10201, nullptr},
  };
  for (const auto& [mouse, event] : cases) {
    journal.clear();
    EXPECT_EQ(windows.Send(hwnd, 1125, 0, mouse), 0x5A);
    Strings expected{"own 1125"};
    if (event) expected.insert(expected.begin(), event);
    EXPECT_EQ(journal, expected) << std::hex << mouse;
  }
  // Other messages pass unchanged; a handler may change the tip meanwhile.
  journal.clear();
  EXPECT_EQ(windows.Send(hwnd, 0x0F, 3, -4), 0x5A);
  EXPECT_EQ(journal, (Strings{"own 15"}));
  tray->MouseMove = [this](std::int32_t) { tray->TrayTip("ブロック数：1"); };
  journal.clear();
  windows.Send(hwnd, 1125, 0, 0x200);
  EXPECT_EQ(journal, (Strings{"NIM_MODIFY", "own 1125"}));
  // Gone, it leaves no icon and no hook behind.
  tray.reset();
  journal.clear();
  windows.Send(hwnd, 1125, 0, 0x201);
  EXPECT_EQ(journal, (Strings{"own 1125"}));
}

TEST(NotifyIconRecord, TheTipGoesInTheFormTheCodePageCarriesCutAtACharacterBoundary) {
  auto repeat = [](std::string_view piece, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += piece;
    return s;
  };
  auto repeat16 = [](std::u16string_view piece, int n) {
    std::u16string s;
    for (int i = 0; i < n; ++i) s += piece;
    return s;
  };
  struct Case {
    const char* code_page;
    std::string utf8;
    std::string ansi;      // szTip of the 88-byte record, unless
    std::u16string utf16;  // this is set: szTip of the 152-byte one
  } cases[] = {
      {"CP932", std::string(64, 'a'), std::string(63, 'a'), {}},
      // 80 bytes: the 32nd katakana would end on byte 64.
      {"CP932", repeat("ア", 40), repeat("\x83\x41", 31), {}},
      {"CP932", "a" + repeat("ア", 40), "a" + repeat("\x83\x41", 31), {}},
      {"CP932", "ab" + repeat("ア", 40), "ab" + repeat("\x83\x41", 30), {}},
      {"CP932", repeat("ｱ", 70), std::string(63, '\xB1'), {}},
      {"CP932", "a😀b", "", u"a😀b"},
      {"CP1252", "Blocked: 12", "Blocked: 12", {}},
      {"CP1252", repeat("ア", 70), "", repeat16(u"ア", 63)},
      {"CP1252", "a" + repeat("😀", 40), "", u"a" + repeat16(u"😀", 31)},
  };
  for (const Case& c : cases) {
    fake::CodePage ansi;
    ansi.name = c.code_page;
    const NotifyIconCall call = BuildNotifyIconRecord(
        ansi, {.hwnd = 0x1234'5678, .flags = kNifTip, .icon = 0xFFFF'FF01, .tip = c.utf8});
    if (c.utf16.empty()) {
      const NotifyIconRecord& r = std::get<NotifyIconRecord>(call);
      EXPECT_EQ(TipOf(r), c.ansi) << c.utf8;
      EXPECT_EQ(r[7], 0x12);  // the low 32 bits of the handles
      EXPECT_EQ(r[23], 0xFF);
    } else {
      EXPECT_EQ(std::get<NotifyIconRecordW>(call),
                WithTip({152, 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0,    0,    0,    0,
                         4,   0, 0, 0, 0,    0,    0,    0,    0x01, 0xFF, 0xFF, 0xFF},
                        c.utf16))
          << c.utf8;
    }
  }
}

}  // namespace
}  // namespace orvo
