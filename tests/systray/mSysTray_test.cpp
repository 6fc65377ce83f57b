#include <gtest/gtest.h>

#include <vector>

#include "tray_fixture.h"

namespace orvo {
namespace {

using Strings = std::vector<std::string>;

TEST_F(TrayTest, TrayCallbacksRaiseTheirEventThenReachThePreviousProcedure) {
  Show();
  struct Case {
    std::intptr_t mouse_message;
    const char* event;  // nullptr: none
  } cases[] = {
      {0x200, "MouseMove 0"},
      {0x201, "MouseDown 1 0"},
      {0x202, "MouseUp 1 0"},
      {0x203, "MouseDblClick 1 0"},
      {0x204, "MouseDown 2 0"},
      {0x205, "MouseUp 2 0"},
      {0x206, "MouseDblClick 2 0"},
      {0x1FF, nullptr},
      {0x207, nullptr},
      {0x208, nullptr},
      {0x209, nullptr},
      {0x20A, nullptr},
      {0, nullptr},
      {0x10201, nullptr},
  };
  for (const Case& c : cases) {
    journal.clear();
    EXPECT_EQ(windows.Send(hwnd, 1125, 0, c.mouse_message), 0x5A);
    Strings expected{"own 1125"};
    if (c.event) expected.insert(expected.begin(), c.event);
    EXPECT_EQ(journal, expected) << std::hex << c.mouse_message;
  }
}

TEST_F(TrayTest, OtherMessagesPassUnchangedAndRaiseNothing) {
  Show();
  std::vector<std::tuple<std::uint32_t, std::uintptr_t, std::intptr_t>> seen;
  WindowHandle other = windows.NewWindow(
      [&](WindowHandle, std::uint32_t msg, std::uintptr_t wparam, std::intptr_t lparam) {
        seen.emplace_back(msg, wparam, lparam);
        return std::intptr_t{-7};
      });
  // The hook forwards to whatever it saved, whichever window it sits on.
  mSysTray::PrevWndProc = windows.OwnProc(other);
  EXPECT_EQ(windows.Send(hwnd, 0x0F, 3, -4), -7);
  EXPECT_EQ(windows.Send(hwnd, 0x200, 0, 0x200), -7);
  EXPECT_EQ(seen, (decltype(seen){{0x0F, 3, -4}, {0x200, 0, 0x200}}));
  EXPECT_TRUE(journal.empty());
  mSysTray::PrevWndProc = windows.OwnProc(hwnd);
}

TEST_F(TrayTest, AHandlerMayChangeTheTipWhileTheCallbackIsHandled) {
  Show();
  tray->MouseMove = [this](std::int32_t) { tray->TrayTip("ブロック数：1"); };
  windows.Send(hwnd, 1125, 0, 0x200);
  EXPECT_EQ(journal, (Strings{"NIM_MODIFY", "own 1125"}));
}

}  // namespace
}  // namespace orvo
