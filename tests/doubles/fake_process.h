#pragma once

#include <functional>

#include "platform/process.h"

namespace orvo::fake {

// Records the end instead of ending the test.
class FakeProcess final : public Process {
 public:
  void End() override {
    ++ends;
    if (on_end) on_end();
  }
  int ends = 0;
  std::function<void()> on_end;  // lets a test look at the moment of the end
};

}  // namespace orvo::fake
