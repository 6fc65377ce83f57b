#pragma once

#include "platform/sound.h"

namespace orvo::win32 {

class WinSound final : public Sound {
 public:
  void Beep() override;
};

}  // namespace orvo::win32
