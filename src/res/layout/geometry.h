#pragma once

#include <vector>

#include "res/layout/layout.h"

// Where a layout puts things on the screen, in pixels at 96 dots per inch.
namespace orvo::layout {

// Twips to the nearest whole pixel.
int Pixels(int twips);

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A control's rectangle in its window's client area. A frame is a container:
// the controls in it count from the frame's corner.
PixelRect ControlRect(const Window& window, ControlIndex control);

// The order to make the controls in, which is the order of Tab: by tab
// number, those without one last, ties in table order.
std::vector<ControlIndex> CreationOrder(const Window& window);

}  // namespace orvo::layout
