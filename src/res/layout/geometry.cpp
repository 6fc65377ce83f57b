#include "res/layout/geometry.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <utility>

namespace orvo::layout {

int Pixels(int twips) {
  const int half = kTwipsPerPixel / 2;
  return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((half - twips) / kTwipsPerPixel);
}

PixelRect ControlRect(const Window& window, ControlIndex control) {
  const Control& c = window.controls[control];
  int left = c.left, top = c.top;
  for (int holder = c.container; holder >= 0; holder = window.controls[holder].container) {
    left += window.controls[holder].left;
    top += window.controls[holder].top;
  }
  const int x = Pixels(left), y = Pixels(top);
  return {x, y, x + Pixels(c.width), y + Pixels(c.height)};
}

std::vector<ControlIndex> CreationOrder(const Window& window) {
  std::vector<ControlIndex> order(window.controls.size());
  std::iota(order.begin(), order.end(), 0);
  const auto rank = [&](ControlIndex i) {
    const int tab = window.controls[i].tab;
    return tab < 0 ? INT_MAX : tab;
  };
  std::sort(order.begin(), order.end(), [&](ControlIndex a, ControlIndex b) {
    return std::pair(rank(a), a) < std::pair(rank(b), b);
  });
  return order;
}

}  // namespace orvo::layout
