#pragma once

#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "doubles/fake_platform.h"

namespace orvo {

// frmMain on the fake platform: a desktop of browser windows, a virtual
// clock, a counting speaker, the tray ...
struct Watcher : fake::FakePlatform {
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
