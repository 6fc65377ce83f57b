#pragma once

#include <functional>
#include <memory>

#include "platform/window.h"

namespace orvo {

// The question before the program ends. Its window exists from the exit
// command until the user's answer; only はい ends the program.
class ExitConfirmation final : private WindowEvents {
 public:
  ExitConfirmation(WindowFactory& windows, std::function<void()> yes)
      : windows_(windows), yes_(std::move(yes)) {}

  // Shows the one confirmation, made anew when it was closed.
  void Show();

 private:
  void Click(ControlIndex control) override;
  void CloseRequested() override { Close(); }
  void SessionEnding() override {}
  // Nothing may touch the window after this: it is gone.
  void Close() { window_.reset(); }

  WindowFactory& windows_;
  std::function<void()> yes_;
  std::unique_ptr<Window> window_;
};

}  // namespace orvo
