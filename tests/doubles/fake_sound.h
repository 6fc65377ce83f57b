#pragma once

#include "platform/sound.h"

namespace orvo::fake {

class FakeSound final : public Sound {
 public:
  void Beep() override { ++beeps; }
  int beeps = 0;
};

}  // namespace orvo::fake
