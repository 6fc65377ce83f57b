// The tray control on a fake shell and window: the records it sends, byte for
// byte, the hook it puts on its window and the events the shell's callbacks
// raise.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "doubles/fake_tray.h"
#include "systray/cSysTray.h"

namespace orvo {
namespace {

using Strings = std::vector<std::string>;
constexpr Picture kIcon{Picture::Type::kIcon, 0xFFFF'02A1}, kOtherIcon{Picture::Type::kIcon, 0x2B3};
// "ブロック：0" and "ブロック数：5" as a Japanese Windows sends them.
const std::string kTip0 = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x81\x46\x30";
const std::string kTip5 = "\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x94\x81\x46\x35";

// A record for the icon of window 0x12345678, uID 0: cbSize, the flags, with
// NIF_MESSAGE uCallbackMessage 1125, hIcon, then szTip in the ANSI code page
// or in UTF-16.
template <class Record = NotifyIconRecord>
Record Expected(std::uint8_t flags, std::uint32_t icon, std::string_view ansi,
                std::u16string_view wide = u"") {
  Record r{sizeof(Record), 0, 0, 0, 0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0, flags};
  if (flags & 1) r[16] = 0x65, r[17] = 0x04;
  for (int i = 0; i < 4; ++i) r[20 + i] = static_cast<std::uint8_t>(icon >> 8 * i);
  std::copy(ansi.begin(), ansi.end(), r.begin() + 24);
  for (std::size_t i = 0; i < wide.size(); ++i)
    r[24 + 2 * i] = wide[i] & 0xFF, r[25 + 2 * i] = static_cast<std::uint8_t>(wide[i] >> 8);
  return r;
}

// A cSysTray on a fake window; its events log as "MouseDown 1 0".
struct Tray : testing::Test, fake::FakeTrayHost {
  fake::CodePage ansi;
  std::optional<cSysTray> tray;

  Tray() { Create(); }
  void Create() {
    tray.emplace(SysTrayPorts{*this, *this, *this, ansi});
    auto log = [this](std::string event) {
      return [this, event](auto... args) {
        std::string line = event;
        for (int arg : {static_cast<int>(args)...}) line += " " + std::to_string(arg);
        journal.push_back(line);
      };
    };
    tray->MouseMove = log("MouseMove");
    tray->MouseDown = log("MouseDown");
    tray->MouseUp = log("MouseUp");
    tray->MouseDblClick = log("MouseDblClick");
  }
};

TEST_F(Tray, EachChangeSendsTheRecordTheShellExpects) {
  tray->TrayIcon(kIcon);
  tray->TrayTip("ブロック：0");
  EXPECT_TRUE(calls.empty());
  tray->InTray(true);
  tray->InTray(true);  // the same value changes nothing
  tray->TrayIcon(kOtherIcon);
  tray->TrayIcon(std::nullopt);  // no icon: ignored
  tray->TrayIcon(Picture{Picture::Type::kBitmap, 0x77});
  tray->TrayTip("ブロック数：5");
  EXPECT_EQ(Send(kTaskbarCreated), 0x5A);
  tray->InTray(false);
  Send(kTaskbarCreated);  // hidden: not added again

  EXPECT_EQ(journal, (Strings{"hook", "NIM 0", "NIM 1", "NIM 1", "NIM 0", "own 49374", "NIM 2",
                              "unhook", "own 49374"}));
  const NotifyIconRecord expected[] = {Expected(7, 0xFFFF'02A1, kTip0), Expected(2, 0x2B3, ""),
                                       Expected(4, 0, kTip5), Expected(7, 0x2B3, kTip5),
                                       Expected(0, 0, "")};
  ASSERT_EQ(calls.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(calls[i].record, expected[i]) << i;
  EXPECT_EQ(notices, (Strings{"TrayIcon", "InTray", "TrayIcon", "InTray"}));
  EXPECT_EQ(proc, kOwnProc);
}

// Where the code page lacks the tip, the icon talks UTF-16, also to delete
// itself when the control goes away; the add carries a flag for each of
// icon and tip only when it has one.
TEST_F(Tray, WhereTheCodePageLacksTheTipTheIconTalksUtf16) {
  ansi.name = "CP1252";
  tray->TrayTip("ブロック：0");
  tray->InTray(true);
  Create();
  tray->InTray(true);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].wide, Expected<NotifyIconRecordW>(5, 0, "", u"ブロック：0"));
  EXPECT_EQ(calls[1].wide, Expected<NotifyIconRecordW>(0, 0, ""));
  EXPECT_EQ(calls[2].record, Expected(1, 0, ""));
}

TEST_F(Tray, DesignModeOnlyRecordsTheValue) {
  user_mode = false;
  tray->InTray(true);
  EXPECT_TRUE(tray->InTray());
  EXPECT_TRUE(journal.empty());
  EXPECT_EQ(notices, (Strings{"InTray"}));
}

TEST_F(Tray, CallbacksRaiseTheirEventThenReachThePreviousProcedure) {
  tray->InTray(true);
  const std::pair<std::intptr_t, const char*> cases[] = {
      {0x200, "MouseMove 0"},       {0x201, "MouseDown 1 0"}, {0x202, "MouseUp 1 0"},
      {0x203, "MouseDblClick 1 0"}, {0x204, "MouseDown 2 0"}, {0x205, "MouseUp 2 0"},
      {0x206, "MouseDblClick 2 0"}, {0x1FF, nullptr},         {0x207, nullptr},
      {0x10201, nullptr},
  };
  for (const auto& [mouse, event] : cases) {
    journal.clear();
    EXPECT_EQ(Send(1125, mouse), 0x5A);
    Strings expected{"own 1125"};
    if (event) expected.insert(expected.begin(), event);
    EXPECT_EQ(journal, expected) << std::hex << mouse;
  }
  // Other messages pass unchanged; a handler may change the tip meanwhile.
  journal.clear();
  EXPECT_EQ(Send(0x0F), 0x5A);
  tray->MouseMove = [this](std::int32_t) { tray->TrayTip("ブロック数：1"); };
  Send(1125, 0x200);
  // Gone, it leaves no icon and no hook behind.
  tray.reset();
  Send(1125, 0x201);
  EXPECT_EQ(journal, (Strings{"own 15", "NIM 1", "own 1125", "NIM 2", "unhook", "own 1125"}));
}

// szTip in the ANSI form where the code page carries the tip, cut at a
// character boundary to fit 63 bytes and its NUL; else the UTF-16 form, cut
// to 63 units without splitting a surrogate pair.
TEST(NotifyIconRecord, TheTipGoesInTheFormTheCodePageCarriesCutAtACharacterBoundary) {
  auto repeat = [](auto piece, int n) {
    decltype(std::basic_string(piece)) s;
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
      {"CP932", "a" + repeat("ア", 40), "a" + repeat("\x83\x41", 31), {}},
      {"CP932", "ab" + repeat("ア", 40), "ab" + repeat("\x83\x41", 30), {}},
      {"CP932", repeat("ｱ", 70), std::string(63, '\xB1'), {}},
      {"CP932", "a😀b", "", u"a😀b"},
      {"CP1252", repeat("ア", 70), "", repeat(u"ア", 63)},
      {"CP1252", "a" + repeat("😀", 40), "", u"a" + repeat(u"😀", 31)},
  };
  for (const Case& c : cases) {
    fake::CodePage ansi;
    ansi.name = c.code_page;
    const NotifyIconCall call = BuildNotifyIconRecord(
        ansi, {.hwnd = fake::FakeTrayHost::kHwnd, .flags = kNifTip, .icon = 7, .tip = c.utf8});
    if (c.utf16.empty()) {
      EXPECT_EQ(std::get<NotifyIconRecord>(call), Expected(4, 7, c.ansi)) << c.utf8;
    } else {
      EXPECT_EQ(std::get<NotifyIconRecordW>(call), Expected<NotifyIconRecordW>(4, 7, "", c.utf16));
    }
  }
}

}  // namespace
}  // namespace orvo
