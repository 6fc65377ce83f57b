#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace orvo::res {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
using Palette = std::array<Rgb, 256>;

// An indexed picture, top row first.
struct Pixmap {
  // Marks see-through pixels of icons and cursors; never a drawn colour.
  static constexpr std::uint8_t kClear = 255;

  Pixmap() = default;
  Pixmap(int w, int h, std::uint8_t fill = kClear)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

  std::uint8_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  void set(int x, int y, std::uint8_t c) {
    if (x >= 0 && y >= 0 && x < width && y < height)
      pixels[static_cast<std::size_t>(y) * width + x] = c;
  }
  // Inclusive corners, clipped to the picture.
  void Fill(int x0, int y0, int x1, int y1, std::uint8_t c) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x) set(x, y, c);
  }

  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  friend bool operator==(const Pixmap&, const Pixmap&) = default;
};

}  // namespace orvo::res
