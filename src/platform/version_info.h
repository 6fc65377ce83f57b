#pragma once

#include <string>

#include "platform/result.h"

namespace orvo {

// The running program's own version information.
struct ProgramVersion {
  std::string product_name;  // UTF-8
  int major = 0;
  int minor = 0;
  int revision = 0;
};

class VersionInfo {
 public:
  [[nodiscard]] virtual HResult ReadProgramVersion(ProgramVersion& version) = 0;

 protected:
  ~VersionInfo() = default;
};

}  // namespace orvo
