// The tray icon on a fake shell: the records it sends, byte for byte, and
// the events the shell's callbacks raise.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "doubles/fake_tray.h"
#include "systray/tray_icon.h"

namespace orvo {
namespace {

using Strings = std::vector<std::string>;
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

// A TrayIcon in a fake shell, with two pictures (NOTFLAG and ONFLAG, the
// first a handle with its top bit set); its events log as "down 1".
struct Tray : testing::Test, fake::FakeTrayShell, Icons, TrayIconEvents {
  fake::CodePage ansi;
  std::optional<TrayIcon> tray;
  Strings events;

  Tray() { Create(); }
  void Create() {
    tray.emplace(*this, ansi, *this, kHwnd, kTaskbarCreated);
    tray->Listen(this);
  }
  HResult LoadNamedIcon(std::string_view name, IconHandle& icon) override {
    if (name != "NOTFLAG" && name != "ONFLAG") return kFail;
    icon = name == "NOTFLAG" ? 0xFFFF'02A1 : 0x2B3;
    return kOk;
  }
  void OnButtonDown(Button button) override {
    events.push_back(button == Button::kLeft ? "down 1" : "down 2");
  }
  void OnMouseMove() override { events.emplace_back("move"); }
  void Send(std::uint32_t message, std::intptr_t lparam = 0) {
    tray->OnWindowMessage(message, 0, lparam);
  }
};

TEST_F(Tray, EachChangeSendsTheRecordTheShellExpects) {
  tray->SetPicture("NOTFLAG");
  tray->SetTip("ブロック：0");
  Send(kTaskbarCreated);  // hidden: nothing to put back
  EXPECT_TRUE(calls.empty());
  tray->SetShown(true);
  tray->SetShown(true);  // the same value changes nothing
  tray->SetPicture("ONFLAG");
  tray->SetPicture("02");  // cannot be loaded: ignored
  tray->SetTip("ブロック数：5");
  Send(kTaskbarCreated);
  tray->SetShown(false);
  Send(kTaskbarCreated);  // hidden: not added again

  const std::pair<std::uint32_t, NotifyIconRecord> expected[] = {
      {kNimAdd, Expected(7, 0xFFFF'02A1, kTip0)},
      {kNimModify, Expected(2, 0x2B3, "")},
      {kNimModify, Expected(4, 0, kTip5)},
      {kNimAdd, Expected(7, 0x2B3, kTip5)},
      {kNimDelete, Expected(0, 0, "")}};
  ASSERT_EQ(calls.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(calls[i].message, expected[i].first) << i;
    EXPECT_EQ(calls[i].record, expected[i].second) << i;
  }
}

// Where the code page lacks the tip, the icon talks UTF-16, also to delete
// itself when it goes away; the add carries a flag for each of picture and
// tip only when it has one.
TEST_F(Tray, WhereTheCodePageLacksTheTipTheIconTalksUtf16) {
  ansi.name = "CP1252";
  tray->SetTip("ブロック：0");
  tray->SetShown(true);
  Create();
  tray->SetShown(true);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].wide, Expected<NotifyIconRecordW>(5, 0, "", u"ブロック：0"));
  EXPECT_EQ(calls[1].wide, Expected<NotifyIconRecordW>(0, 0, ""));
  EXPECT_EQ(calls[2].record, Expected(1, 0, ""));
}

// The callback's mouse messages raise their events while the icon is shown;
// other messages, other mouse messages and a hidden icon raise none.
TEST_F(Tray, CallbacksRaiseTheirEventsWhileShown) {
  for (std::intptr_t mouse : {0x200, 0x201, 0x204}) Send(1125, mouse);
  tray->SetShown(true);
  for (std::intptr_t mouse :
       {0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x1FF, 0x207, 0x10201}) {
    Send(1125, mouse);
  }
  Send(0x0F, 0x201);
  tray->SetShown(false);
  Send(1125, 0x201);
  EXPECT_EQ(events, (Strings{"move", "down 1", "down 2"}));
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
      {"CP932", std::string(63, 'a'), std::string(63, 'a'), {}},
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
        ansi, {.hwnd = fake::FakeTrayShell::kHwnd, .flags = kNifTip, .icon = 7, .tip = c.utf8});
    if (c.utf16.empty()) {
      EXPECT_EQ(std::get<NotifyIconRecord>(call), Expected(4, 7, c.ansi)) << c.utf8;
    } else {
      EXPECT_EQ(std::get<NotifyIconRecordW>(call), Expected<NotifyIconRecordW>(4, 7, "", c.utf16));
    }
  }
}

}  // namespace
}  // namespace orvo
