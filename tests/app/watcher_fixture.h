#pragma once

#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "doubles/fake_desktop.h"
#include "doubles/fake_sound.h"
#include "doubles/virtual_clock.h"

namespace orvo {

// frmMain on a fake desktop, a virtual clock and a counting speaker.
struct Watcher {
  fake::FakeDesktop desktop;
  fake::VirtualClock clock;
  fake::FakeSound sound;
  Platform platform{desktop, clock, sound};
  OptionFlags flags;
  frmMain main{platform, flags};

  void SetFlags(const char* beep, const char* no_toolbar, const char* new_window) {
    flags.BeepFlag = beep;
    flags.NoToolbarFlag = no_toolbar;
    flags.NewWindowFlag = new_window;
  }
  fake::VirtualClock::FakeTimer& timer2() { return fake::AsFake(*main.Timer2); }
  fake::VirtualClock::FakeTimer& animate() { return fake::AsFake(*main.tmrAnimate); }
};

}  // namespace orvo
