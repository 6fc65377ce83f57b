// What the tray pictures show; the built program's copies of them are
// checked byte for byte under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "res/gen/art.h"
#include "res/gen/formats.h"
#include "res/gen/sheet.h"

namespace orvo::res {
namespace {

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

TEST(ReadmePicture, DocsSheetIsCurrent) {
  std::ifstream in(ORVO_DOCS_ICONS, std::ios::binary);
  EXPECT_TRUE(Bytes(std::istreambuf_iterator<char>(in), {}) == Gif(DrawIconSheet(), SheetPalette()))
      << ORVO_DOCS_ICONS << " is out of date: cmake --build <build dir> --target orvo_docs_icons";
}

}  // namespace
}  // namespace orvo::res
