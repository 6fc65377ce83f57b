#pragma once

#include "platform/browser.h"
#include "platform/sound.h"
#include "platform/timer.h"

namespace orvo {

// Everything the behaviour code reaches outside itself. WinMain fills it with
// the Win32 adapters, the tests with their doubles.
struct Platform {
  BrowserAutomation& browser;
  TimerPort& timers;
  Sound& sound;
};

}  // namespace orvo
