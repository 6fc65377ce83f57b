#pragma once

#include "platform/version_info.h"

namespace orvo::fake {

// What the program's version block says, or a failure to read it.
class FakeVersionInfo final : public VersionInfo {
 public:
  HResult ReadProgramVersion(ProgramVersion& out) override {
    ++reads;
    if (fail) return kFail;
    out = version;
    return kOk;
  }
  ProgramVersion version{"Orvo_自動広告除去", 1, 8, 0};
  bool fail = false;
  int reads = 0;
};

}  // namespace orvo::fake
