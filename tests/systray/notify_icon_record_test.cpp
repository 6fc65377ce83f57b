#include <gtest/gtest.h>

#include "systray/notify_icon_record.h"
#include "tray_fixture.h"

namespace orvo {
namespace {

template <class Char>
std::basic_string<Char> Repeat(const Char* piece, int n) {
  std::basic_string<Char> s;
  for (int i = 0; i < n; ++i) s += piece;
  return s;
}

TEST(NotifyIconRecord, TheTipGoesInTheFormTheCodePageCarriesCutAtACharacterBoundary) {
  struct Case {
    const char* name;
    const char* code_page;
    std::string utf8;
    std::string ansi;      // szTip of the 88-byte record, unless
    std::u16string utf16;  // this is set: szTip of the 152-byte one
  } cases[] = {
      {"short Japanese", "CP932", "ブロック：0", kTipCp932, {}},
      {"63 ASCII fit", "CP932", std::string(63, 'a'), std::string(63, 'a'), {}},
      {"64 ASCII lose one", "CP932", std::string(64, 'a'), std::string(63, 'a'), {}},
      // 80 bytes: the 32nd katakana would end on byte 64.
      {"40 katakana", "CP932", Repeat("ア", 40), Repeat("\x83\x41", 31), {}},
      {"odd start fills 63", "CP932", "a" + Repeat("ア", 40), "a" + Repeat("\x83\x41", 31), {}},
      {"no lead byte 63rd", "CP932", "ab" + Repeat("ア", 40), "ab" + Repeat("\x83\x41", 30), {}},
      {"half-width kana are one byte", "CP932", Repeat("ｱ", 70), std::string(63, '\xB1'), {}},
      {"what CP932 lacks goes in UTF-16", "CP932", "a😀b", "", u"a😀b"},
      {"ASCII stays ANSI on 1252", "CP1252", "Blocked: 12", "Blocked: 12", {}},
      {"Japanese on 1252", "CP1252", "ブロック数：0", "", u"ブロック数：0"},
      {"70 katakana, 63 units", "CP1252", Repeat("ア", 70), "", Repeat(u"ア", 63)},
      // The 32nd pair would end on unit 64.
      {"40 pairs", "CP1252", Repeat("😀", 40), "", Repeat(u"😀", 31)},
      {"odd start, pairs", "CP1252", "a" + Repeat("😀", 40), "", u"a" + Repeat(u"😀", 31)},
  };
  for (const Case& c : cases) {
    fake::CodePage ansi;
    ansi.name = c.code_page;
    const NotifyIconCall call = BuildNotifyIconRecord(ansi, {.flags = kNifTip, .tip = c.utf8});
    if (c.utf16.empty()) {
      EXPECT_EQ(TipOf(std::get<NotifyIconRecord>(call)), c.ansi) << c.name;
    } else {
      EXPECT_EQ(std::get<NotifyIconRecordW>(call),
                WithTip({152, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4}, c.utf16))
          << c.name;
    }
  }
}

TEST(NotifyIconRecord, KeepsTheLow32BitsOfHandlesAndAlwaysEndsTheTipInNul) {
  fake::CodePage ansi;
  const std::string long_tip(100, 'x');
  const NotifyIconCall call = BuildNotifyIconRecord(ansi, {.hwnd = 0x1234'5678,
                                                           .id = 0,
                                                           .flags = 6,
                                                           .callback_message = 0,
                                                           .icon = 0xFFFF'FF01,
                                                           .tip = long_tip});
  const NotifyIconRecord& r = std::get<NotifyIconRecord>(call);
  EXPECT_EQ(U32(r, 0), 88u);
  EXPECT_EQ(U32(r, 4), 0x1234'5678u);
  EXPECT_EQ(IconOf(r), 0xFFFF'FF01u);
  EXPECT_EQ(TipOf(r), std::string(63, 'x'));
  EXPECT_EQ(r[87], 0);
}

}  // namespace
}  // namespace orvo
