#include "res/gen/sheet.h"

#include <array>
#include <string_view>

#include "res/gen/art.h"
#include "res/resource_names.h"

namespace orvo::res {
namespace {

constexpr std::uint8_t kBackground = 20;
constexpr std::uint8_t kTile = 21;
constexpr int kScale = 8;
constexpr int kLetter = 3;  // label pixels per font pixel
constexpr int kGap = 24;
constexpr int kCell = 32 * kScale;
constexpr int kLabel = 7 * kLetter + 12;

struct Glyph {
  char c;
  std::array<std::string_view, 7> rows;
};
constexpr Glyph kFont[] = {
    {'N', {"X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"}},
    {'O', {".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."}},
    {'T', {"XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."}},
    {'F', {"XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "X...."}},
    {'L', {"X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"}},
    {'A', {".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"}},
    {'G', {".XXX.", "X...X", "X....", "X.XXX", "X...X", "X...X", ".XXXX"}},
    {'0', {".XXX.", "X...X", "X..XX", "X.X.X", "XX..X", "X...X", ".XXX."}},
    {'2', {".XXX.", "X...X", "....X", "...X.", "..X..", ".X...", "XXXXX"}},
    {'3', {"XXXXX", "...X.", "..X..", "...X.", "....X", "X...X", ".XXX."}},
    {'4', {"...X.", "..XX.", ".X.X.", "X..X.", "XXXXX", "...X.", "...X."}},
    {'5', {"XXXXX", "X....", "XXXX.", "....X", "....X", "X...X", ".XXX."}},
    {'6', {"..XX.", ".X...", "X....", "XXXX.", "X...X", "X...X", ".XXX."}},
    {'7', {"XXXXX", "....X", "...X.", "..X..", ".X...", ".X...", ".X..."}},
    {'8', {".XXX.", "X...X", "X...X", ".XXX.", "X...X", "X...X", ".XXX."}},
    {'9', {".XXX.", "X...X", "X...X", ".XXXX", "....X", "...X.", ".XX.."}},
};

void DrawText(Pixmap& p, int x, int y, std::string_view text) {
  for (char c : text) {
    for (const Glyph& g : kFont) {
      if (g.c != c) continue;
      for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
          if (g.rows[row][col] == 'X')
            p.Fill(x + col * kLetter, y + row * kLetter, x + (col + 1) * kLetter - 1,
                   y + (row + 1) * kLetter - 1, tray::kBlack);
    }
    x += 6 * kLetter;
  }
}

}  // namespace

const Palette& SheetPalette() {
  static const Palette palette = [] {
    Palette p = TrayPalette();
    p[kBackground] = {255, 255, 255};
    p[kTile] = {212, 218, 228};  // a light taskbar behind the see-through pixels
    return p;
  }();
  return palette;
}

Pixmap DrawIconSheet() {
  std::array<std::array<std::string_view, 4>, 3> rows = {{
      {kIconNotFlag, kIconOnFlag, "", ""},
      {kFrameIcons[0], kFrameIcons[1], kFrameIcons[2], kFrameIcons[3]},
      {kFrameIcons[4], kFrameIcons[5], kFrameIcons[6], kFrameIcons[7]},
  }};
  Pixmap sheet(4 * kCell + 5 * kGap, 3 * (kCell + kLabel) + 4 * kGap - 12, kBackground);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (rows[r][c].empty()) continue;
      const Pixmap icon = DrawTrayIcon(rows[r][c]);
      const int x0 = kGap + c * (kCell + kGap);
      const int y0 = kGap + r * (kCell + kLabel + kGap);
      for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
          const std::uint8_t v = icon.at(x / kScale, y / kScale);
          sheet.set(x0 + x, y0 + y, v == Pixmap::kClear ? kTile : v);
        }
      DrawText(sheet, x0, y0 + kCell + 12, rows[r][c]);
    }
  }
  return sheet;
}

}  // namespace orvo::res
