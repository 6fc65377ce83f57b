#pragma once

#include "platform/process.h"

namespace orvo::fake {

// Records the end instead of ending the test.
class FakeProcess final : public Process {
 public:
  void End() override { ++ends; }
  int ends = 0;
};

}  // namespace orvo::fake
