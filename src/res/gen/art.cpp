#include "res/gen/art.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

namespace orvo::res {
namespace {

using namespace tray;

// How far down the window reaches in each picture (its last row); 0 draws
// no window. Each animation step rolls the lower edge up past one feature:
// the grey box, the second text line, the first, the page, the title bar.
int WindowBottom(std::string_view name) {
  struct Step {
    std::string_view name;
    int bottom;
  };
  static constexpr Step kSteps[] = {
      {"NOTFLAG", 21}, {"ONFLAG", 21}, {"02", 21}, {"03", 17}, {"04", 14},
      {"05", 11},      {"06", 9},      {"07", 7},  {"08", 5},  {"09", 0},
  };
  for (const Step& s : kSteps)
    if (s.name == name) return s.bottom;
  return -1;
}

// Edges and features sit on even rows and columns so that they stay sharp
// when the shell shows the icon at half size.
constexpr int kLeft = 2;
constexpr int kTop = 2;
constexpr int kRight = 19;
constexpr int kTitleBottom = 5;
constexpr int kShadow = 2;

void DrawWindow(Pixmap& p, int bottom) {
  if (bottom <= 0) return;
  // Offset shadow first, so that the window covers all but its edge.
  p.Fill(kLeft + kShadow, kTop + kShadow, kRight + kShadow, bottom + kShadow, kBlack);
  const int title_bottom = std::min(bottom, kTitleBottom);
  p.Fill(kLeft, kTop, kRight, title_bottom, kTitle);
  p.Fill(kLeft, kTop, kRight, kTop, kTitleLight);
  if (title_bottom >= kTop + 2)
    p.Fill(kRight - 3, kTop + 1, kRight - 2, kTop + 2, kWhite);  // close box
  if (bottom <= kTitleBottom) return;

  // Page with a grey frame; its contents are cut off at the lower edge.
  p.Fill(kLeft, kTitleBottom + 1, kRight, bottom, kDarkGrey);
  const int page_bottom = bottom - 1;
  auto clip = [&](int x0, int y0, int x1, int y1, std::uint8_t c) {
    if (y0 <= page_bottom) p.Fill(x0, y0, x1, std::min(y1, page_bottom), c);
  };
  clip(kLeft + 1, kTitleBottom + 1, kRight - 1, page_bottom, kWhite);
  clip(4, 8, 15, 9, kText);
  clip(4, 12, 11, 13, kText);
  clip(4, 16, 11, 19, kDarkGrey);
  clip(4, 16, 10, 18, kGrey);
}

// The prohibition sign: a red ring and a falling bar on white, centred in
// the lower right quarter. Sampled 4 x 4 per pixel so that the ring stays
// round at 16 x 16.
void DrawSign(Pixmap& p) {
  constexpr double kCx = 22, kCy = 22, kOuter = 9.4, kInner = 6.5, kBar = 1.7;
  for (int y = 12; y < 32; ++y) {
    for (int x = 12; x < 32; ++x) {
      int red = 0, white = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          const double dx = x + (sx + 0.5) / 4 - kCx;
          const double dy = y + (sy + 0.5) / 4 - kCy;
          const double r = std::hypot(dx, dy);
          if (r >= kOuter) continue;
          // Distance from the diagonal running from upper left to lower right.
          const bool bar = std::abs(dx - dy) / std::sqrt(2.0) < kBar;
          if (r >= kInner || bar)
            ++red;
          else
            ++white;
        }
      }
      if (red + white < 8) continue;
      if (red >= 8)
        p.set(x, y, kRed);
      else if (red >= 4)
        p.set(x, y, kRedEdge);
      else
        p.set(x, y, kWhite);
    }
  }
}

// Rows of a picture drawn as text, one character per pixel.
Pixmap FromRows(int w, int h, std::initializer_list<std::string_view> rows,
                std::uint8_t (*colour)(char)) {
  Pixmap p(w, h);
  int y = 0;
  for (std::string_view row : rows) {
    for (int x = 0; x < static_cast<int>(row.size()); ++x) p.set(x, y, colour(row[x]));
    ++y;
  }
  return p;
}

constexpr Rgb Mix(Rgb a, Rgb b, int t) {  // t of 255 towards b
  auto m = [t](int u, int v) { return static_cast<std::uint8_t>(u + (v - u) * t / 255); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

}  // namespace

const Palette& TrayPalette() {
  static const Palette palette = [] {
    Palette p{};
    p[kBlack] = {0, 0, 0};
    p[kWhite] = {255, 255, 255};
    p[kTitle] = {0, 40, 176};
    p[kTitleLight] = {72, 120, 240};
    p[kText] = {16, 72, 232};
    p[kGrey] = {192, 192, 192};
    p[kDarkGrey] = {112, 112, 112};
    p[kRed] = {232, 0, 0};
    p[kRedEdge] = {244, 132, 132};
    return p;
  }();
  return palette;
}

Pixmap DrawTrayIcon(std::string_view name) {
  const int bottom = WindowBottom(name);
  if (bottom < 0) return {};
  Pixmap p(32, 32);
  DrawWindow(p, bottom);
  if (name != "ONFLAG") DrawSign(p);
  return p;
}

const Palette& CursorPalette() {
  // The standard 16 colours, in their usual order.
  static const Palette palette = {{{0, 0, 0},
                                   {128, 0, 0},
                                   {0, 128, 0},
                                   {128, 128, 0},
                                   {0, 0, 128},
                                   {128, 0, 128},
                                   {0, 128, 128},
                                   {192, 192, 192},
                                   {128, 128, 128},
                                   {255, 0, 0},
                                   {0, 255, 0},
                                   {255, 255, 0},
                                   {0, 0, 255},
                                   {255, 0, 255},
                                   {0, 255, 255},
                                   {255, 255, 255}}};
  return palette;
}

Pixmap DrawHandCursor() {
  return FromRows(32, 32,
                  {
                      "",
                      "...........KKK",
                      "..........KWWWK",
                      "..........KWWWK",
                      "..........KWWWK",
                      "..........KWWWK",
                      "..........KWWWK",
                      "..........KWWWKKKK",
                      "..........KWWWKWWWKKKK",
                      "..........KWWWKWWWKWWWKKK",
                      "..........KWWWKWWWKWWWKWWK",
                      "......KKK.KWWWKWWWKWWWKWWK",
                      ".....KWWWKKWWWKWWWKWWWKWWK",
                      ".....KWWWWKWWWWWWWWWWWWWWK",
                      "......KWWWKWWWWWWWWWWWWWWK",
                      "......KWWWWWWWWWWWWWWWWWWK",
                      ".......KWWWWWWWWWWWWWWWWWK",
                      ".......KWWWWWWWWWWWWWWWWWK",
                      "........KWWWWWWWWWWWWWWWWK",
                      "........KWWWWWWWWWWWWWWWK",
                      ".........KWWWWWWWWWWWWWWK",
                      ".........KWWWWWWWWWWWWWK",
                      "..........KWWWWWWWWWWWWK",
                      "..........KKKKKKKKKKKKKK",
                      "..........KBBBBBBBBBBBBK",
                      "..........KBBBBBBBBBBBBK",
                      "..........KBBBBBBBBBBBBK",
                      "..........KKKKKKKKKKKKKK",
                  },
                  [](char c) -> std::uint8_t {
                    switch (c) {
                      case 'K':
                        return 0;
                      case 'W':
                        return 15;
                      case 'B':
                        return 12;
                      default:
                        return Pixmap::kClear;
                    }
                  });
}

const Palette& LogoPalette() {
  // A ramp from the white page to the logo red, for smooth letter edges.
  static const Palette palette = [] {
    Palette p{};
    for (int i = 0; i < 256; ++i) p[i] = Mix({255, 255, 255}, {216, 0, 0}, i);
    return p;
  }();
  return palette;
}

Pixmap DrawAboutLogo() {
  constexpr double kBase = 44;  // baseline
  constexpr double kSlant = 0.16;
  // True where a point (letter space, before slanting) is ink.
  auto ring = [](double x, double y, double cx, double cy, double a, double b, double tx,
                 double ty) {
    const double ox = (x - cx) / a, oy = (y - cy) / b;
    const double ix = (x - cx) / (a - tx), iy = (y - cy) / (b - ty);
    return ox * ox + oy * oy <= 1 && ix * ix + iy * iy > 1;
  };
  auto stroke = [](double x, double y, double x0, double y0, double x1, double y1, double half) {
    if (y < std::min(y0, y1) || y > std::max(y0, y1)) return false;
    const double dx = x1 - x0, dy = y1 - y0;
    return std::abs((x - x0) * dy - (y - y0) * dx) / std::hypot(dx, dy) <= half;
  };
  auto ink = [&](double x, double y) {
    // "O", capital height 34.
    if (ring(x, y, 16, kBase - 17, 13, 17, 5.5, 4)) return true;
    // "r": stem and shoulder.
    if (x >= 33 && x <= 38.5 && y >= kBase - 24 && y <= kBase) return true;
    if (y <= kBase - 15 && x >= 36 && ring(x, y, 44, kBase - 15, 9, 9, 4.5, 4)) return true;
    // "v": heavy left stroke, light right one.
    if (stroke(x, y, 51, kBase - 24, 61, kBase, 3.2)) return true;
    if (stroke(x, y, 71, kBase - 24, 61, kBase, 2.2)) return true;
    // "o", x-height 24.
    return ring(x, y, 81, kBase - 12, 10, 12, 4.8, 3.2);
  };
  Pixmap p(94, 58, 0);
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          const double py = y + (sy + 0.5) / 4;
          const double px = x + (sx + 0.5) / 4 - (kBase - py) * kSlant;
          hits += ink(px, py);
        }
      }
      p.set(x, y, static_cast<std::uint8_t>(hits * 255 / 16));
    }
  }
  // A rule under the name, as on the maker's letterhead.
  for (int x = 4; x < 90; ++x)
    for (int y = 49; y < 52; ++y) p.set(x, y, 255);
  return p;
}

}  // namespace orvo::res
