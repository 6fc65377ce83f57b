#include <charconv>

#include "app/frmMain.h"
#include "res/resource_names.h"

namespace orvo {

// Frames "02" to "09" follow one per tick; the tick after "09" stops the
// timer and rests on the idle picture ("02" is the same picture as NOTFLAG).
// While blocking is switched off it rests on ONFLAG instead, so that the
// icon never claims blocking is on when it is not.
void frmMain::tmrAnimate_Timer() {
  if (AnimFrame == 9) {
    AnimFrame = 1;
    (void)tmrAnimate->SetEnabled(false);
    if (BlockingOff) {
      ShowTrayIcon(res::kIconOnFlag);
      AnimFrame = 2;
      return;
    }
    ShowTrayIcon(res::kIconNotFlag);
  }
  // AnimFrame + 1 in decimal, with a "0" in front of a single digit.
  char name[8] = {'0'};
  char* end = std::to_chars(name + 1, name + sizeof name, AnimFrame + 1).ptr;
  const char* start = end - name == 2 ? name : name + 1;
  ShowTrayIcon(std::string_view(start, static_cast<std::size_t>(end - start)));
  AnimFrame += 1;
}

}  // namespace orvo
