// The generator's pictures and the formats it stores them in.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "res/gen/art.h"
#include "res/gen/formats.h"
#include "res/gen/sheet.h"
#include "res/pe_resources.h"
#include "res/resource_names.h"

namespace orvo::res {
namespace {

using test::Le16;
using test::Le32;

const std::vector<std::string_view> kWithSign = {"NOTFLAG", "02", "03", "04", "05",
                                                 "06",      "07", "08", "09"};

// Where the sign is: the last frame holds nothing else.
std::vector<bool> SignArea() {
  const Pixmap last = DrawTrayIcon("09");
  std::vector<bool> area(last.pixels.size());
  for (std::size_t i = 0; i < area.size(); ++i) area[i] = last.pixels[i] != Pixmap::kClear;
  return area;
}

struct Box {
  int left = 99, top = 99, right = -1, bottom = -1;
  bool empty() const { return right < 0; }
};

// The browser window: everything drawn outside the sign.
Box WindowBox(const Pixmap& p) {
  const std::vector<bool> sign = SignArea();
  Box b;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      if (p.at(x, y) != Pixmap::kClear && !sign[static_cast<std::size_t>(y * p.width + x)]) {
        b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
      }
  return b;
}

// Separate runs of rows that hold text colour.
int TextLines(const Pixmap& p) {
  int lines = 0;
  bool in_line = false;
  for (int y = 0; y < p.height; ++y) {
    bool text = false;
    for (int x = 0; x < p.width; ++x) text = text || p.at(x, y) == tray::kText;
    lines += text && !in_line;
    in_line = text;
  }
  return lines;
}

bool HasRed(const Pixmap& p) {
  return std::ranges::any_of(p.pixels, [](std::uint8_t c) { return c == tray::kRed; });
}

TEST(TrayPictures, FirstFrameIsTheIdleIconAndOnlyTheOffIconLacksTheSign) {
  EXPECT_EQ(DrawTrayIcon("02"), DrawTrayIcon("NOTFLAG"));
  EXPECT_FALSE(HasRed(DrawTrayIcon("ONFLAG")));
  for (std::string_view name : kWithSign) EXPECT_TRUE(HasRed(DrawTrayIcon(name))) << name;

  // Without the sign, the same window as the idle icon.
  const Pixmap on = DrawTrayIcon("ONFLAG");
  const Pixmap idle = DrawTrayIcon("NOTFLAG");
  const std::vector<bool> sign = SignArea();
  int window_pixels = 0;
  for (std::size_t i = 0; i < on.pixels.size(); ++i) {
    if (sign[i]) continue;
    EXPECT_EQ(on.pixels[i], idle.pixels[i]) << "pixel " << i;
    window_pixels += on.pixels[i] != Pixmap::kClear;
  }
  EXPECT_GT(window_pixels, 200);
}

TEST(TrayPictures, SignStaysPutInEveryFrame) {
  const Pixmap last = DrawTrayIcon("09");
  const std::vector<bool> sign = SignArea();
  for (std::string_view name : kWithSign) {
    const Pixmap p = DrawTrayIcon(name);
    for (std::size_t i = 0; i < sign.size(); ++i) {
      if (sign[i]) {
        ASSERT_EQ(p.pixels[i], last.pixels[i]) << name << " pixel " << i;
      }
    }
  }
  // Lower right, clear of the window's upper left corner.
  const Box window = WindowBox(DrawTrayIcon("NOTFLAG"));
  int left = 32, top = 32;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (sign[static_cast<std::size_t>(y * 32 + x)])
        left = std::min(left, x), top = std::min(top, y);
  EXPECT_GT(left, window.left + 8);
  EXPECT_GT(top, window.top + 8);
}

TEST(TrayPictures, WindowCollapsesUpwardsOnItsFixedTopLeftCorner) {
  const Box full = WindowBox(DrawTrayIcon("02"));
  ASSERT_FALSE(full.empty());
  EXPECT_LT(full.right, 24);
  EXPECT_LT(full.top, 4);
  int previous_bottom = full.bottom + 1;
  for (std::string_view name : {"02", "03", "04", "05", "06", "07", "08"}) {
    const Box b = WindowBox(DrawTrayIcon(name));
    ASSERT_FALSE(b.empty()) << name;
    EXPECT_EQ(b.left, full.left) << name;
    EXPECT_EQ(b.top, full.top) << name;
    EXPECT_EQ(b.right, full.right) << name;
    EXPECT_LT(b.bottom, previous_bottom) << name;
    previous_bottom = b.bottom;
  }
  EXPECT_TRUE(WindowBox(DrawTrayIcon("09")).empty());

  EXPECT_EQ(TextLines(DrawTrayIcon("04")), 2);
  EXPECT_EQ(TextLines(DrawTrayIcon("05")), 1);
  EXPECT_EQ(TextLines(DrawTrayIcon("07")), 0);
  // The last window frame is the title bar alone.
  const Pixmap bar = DrawTrayIcon("08");
  for (int x = 0; x < 32; ++x)
    for (int y = 0; y < 32; ++y) EXPECT_NE(bar.at(x, y), tray::kDarkGrey) << x << "," << y;
}

TEST(TrayPictures, UnknownNamesDrawNothing) {
  EXPECT_EQ(DrawTrayIcon("01").width, 0);
  EXPECT_EQ(DrawTrayIcon("10").width, 0);
  EXPECT_EQ(DrawTrayIcon("notflag").width, 0);
}

TEST(IconFormat, ImageIsTheFixed2216ByteLayoutWithMaskForClearPixels) {
  const Pixmap p = DrawTrayIcon("NOTFLAG");
  const Bytes b = IconImage(p, TrayPalette(), 8);
  ASSERT_EQ(b.size(), 2216u);
  EXPECT_EQ(Le32(b, 0), 40u);
  EXPECT_EQ(Le32(b, 8), 64u);
  EXPECT_EQ(Le16(b, 14), 8);
  // Palette entries are blue, green, red, 0.
  const Rgb red = TrayPalette()[tray::kRed];
  EXPECT_EQ((Bytes{b[40 + 4 * tray::kRed], b[41 + 4 * tray::kRed], b[42 + 4 * tray::kRed]}),
            (Bytes{red.b, red.g, red.r}));
  const std::size_t colours = 40 + 1024, mask = colours + 1024;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::size_t row = static_cast<std::size_t>(31 - y);  // bottom-up
      const bool clear = p.at(x, y) == Pixmap::kClear;
      const bool masked = b[mask + row * 4 + x / 8] & (0x80 >> (x % 8));
      ASSERT_EQ(masked, clear) << x << "," << y;
      ASSERT_EQ(b[colours + row * 32 + x], clear ? 0 : p.at(x, y)) << x << "," << y;
    }
  }
  const Bytes group = IconGroup(b, 8, 30001);
  EXPECT_EQ(group,
            (Bytes{0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 8, 0, 0xA8, 0x08, 0, 0, 0x31, 0x75}));
}

TEST(HandCursor, FingertipIsTheHotSpot) {
  const Pixmap hand = DrawHandCursor();
  EXPECT_EQ(hand.at(kHandHotX, kHandHotY), 0) << "black outline at the tip";
  EXPECT_EQ(hand.at(kHandHotX, kHandHotY - 1), Pixmap::kClear);
  std::set<std::uint8_t> used(hand.pixels.begin(), hand.pixels.end());
  EXPECT_EQ(used, (std::set<std::uint8_t>{0, 12, 15, Pixmap::kClear}));
  EXPECT_EQ(CursorPalette()[12], (Rgb{0, 0, 255}));
  EXPECT_EQ(CursorPalette()[15], (Rgb{255, 255, 255}));

  const Bytes image = CursorImage(hand, CursorPalette(), kHandHotX, kHandHotY);
  ASSERT_EQ(image.size(), 4u + 40u + 64u + 512u + 128u);
  EXPECT_EQ(Le16(image, 0), kHandHotX);
  EXPECT_EQ(Le16(image, 2), kHandHotY);
  EXPECT_EQ(Le16(image, 4 + 14), 4);
  // Below the tip: outline, white finger, outline, in nibbles high one first.
  const std::size_t row = 4 + 40 + 64 + (31 - (kHandHotY + 1)) * 16;
  EXPECT_EQ(image[row + 5], 0x0F);  // x 10, 11
  EXPECT_EQ(image[row + 6], 0xFF);  // x 12, 13
  EXPECT_EQ(image[row + 7], 0x00);  // x 14 outline, x 15 clear
  EXPECT_EQ(CursorGroup(image, 1),
            (Bytes{0, 0, 2, 0, 1, 0, 32, 0, 64, 0, 1, 0, 4, 0, 0xEC, 0x02, 0, 0, 1, 0}));
}

TEST(ReadmePicture, DocsSheetIsCurrent) {
  std::ifstream in(ORVO_DOCS_ICONS, std::ios::binary);
  EXPECT_TRUE(Bytes(std::istreambuf_iterator<char>(in), {}) == Gif(DrawIconSheet(), SheetPalette()))
      << ORVO_DOCS_ICONS << " is out of date: cmake --build <build dir> --target orvo_docs_icons";
}

}  // namespace
}  // namespace orvo::res
