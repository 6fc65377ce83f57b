#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/frmMain.h"
#include "doubles/fake_platform.h"
#include "res/layout/layouts.h"

namespace orvo {

// frmMain on the fake platform, with its options (beep, no-menu-bar,
// new-window), and what a user does and sees.
struct Watcher : fake::FakePlatform {
  using FakeTimer = fake::VirtualClock::FakeTimer;
  OptionFlags flags;
  frmMain main{platform, flags};

  explicit Watcher(const char* beep = "0", const char* no_toolbar = "0",
                   const char* new_window = "0")
      : flags{beep, no_toolbar, new_window} {}
  FakeTimer& animate() { return static_cast<FakeTimer&>(*main.tmrAnimate); }
  // A tray menu item (layout::Form3Menu), chosen after a right click.
  void Menu(int item) {
    screens.menu_choice = item;
    TrayMouse(0x204);
  }
  fake::FakeLayoutWindow* Find(const layout::Window& window) { return screens.Find(window); }
  fake::FakeLayoutWindow& Options() { return *screens.Find(layout::kfrmMain); }
  std::string Ini() const { return files.ini.value_or("<missing>"); }
  // The options window's boxes, ticked or not, and the flags: "100 1|0|0".
  std::string Settings() {
    std::string boxes;
    for (int box : {0, 1, 2}) boxes += std::to_string(Options().CheckState(kBoxes[box]));
    return boxes + " " + flags.BeepFlag + "|" + flags.NoToolbarFlag + "|" + flags.NewWindowFlag;
  }
  static constexpr ControlIndex kBoxes[] = {layout::frmMainControls::optBEEP,
                                            layout::frmMainControls::CheTitle,
                                            layout::frmMainControls::Check1};
};

}  // namespace orvo
