#pragma once

#include "platform/process.h"

namespace orvo::win32 {

class WinProcess final : public Process {
 public:
  void End() override;
};

}  // namespace orvo::win32
