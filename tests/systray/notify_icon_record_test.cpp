#include <gtest/gtest.h>

#include "systray/notify_icon_record.h"
#include "tray_fixture.h"

namespace orvo {
namespace {

std::string Repeat(std::string_view piece, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += piece;
  return s;
}

TEST(FitTip, CutsTheAnsiFormAtACharacterBoundaryToFitWithItsNul) {
  fake::Cp932 ansi;
  struct Case {
    const char* name;
    std::string utf8;
    std::string cp932;
  } cases[] = {
      {"short Japanese", "ブロック：0", kTipCp932},
      {"63 ASCII fit", std::string(63, 'a'), std::string(63, 'a')},
      {"64 ASCII lose one", std::string(64, 'a'), std::string(63, 'a')},
      // 80 bytes: the 32nd katakana would end on byte 64.
      {"40 katakana", Repeat("ア", 40), Repeat("\x83\x41", 31)},
      {"odd start fills 63", "a" + Repeat("ア", 40), "a" + Repeat("\x83\x41", 31)},
      {"lead byte would be 63rd", "ab" + Repeat("ア", 40), "ab" + Repeat("\x83\x41", 30)},
      {"half-width kana are one byte", Repeat("ｱ", 70), std::string(63, '\xB1')},
      {"what CP932 lacks", "a😀b", "a?b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitTip(ansi, c.utf8), c.cp932) << c.name;
  }
}

TEST(NotifyIconRecord, KeepsTheLow32BitsOfHandlesAndAlwaysEndsTheTipInNul) {
  const std::string long_tip(100, 'x');
  const NotifyIconRecord r = BuildNotifyIconRecord({.hwnd = 0x1234'5678,
                                                    .id = 0,
                                                    .flags = 6,
                                                    .callback_message = 0,
                                                    .icon = 0xFFFF'FF01,
                                                    .tip = long_tip});
  EXPECT_EQ(U32(r, 0), 88u);
  EXPECT_EQ(U32(r, 4), 0x1234'5678u);
  EXPECT_EQ(IconOf(r), 0xFFFF'FF01u);
  EXPECT_EQ(TipOf(r), std::string(63, 'x'));
  EXPECT_EQ(r[87], 0);
}

}  // namespace
}  // namespace orvo
