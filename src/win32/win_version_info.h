#pragma once

#include "platform/version_info.h"

namespace orvo::win32 {

// The version resource of the running program: the product name of its
// Japanese string table and the numbers of its fixed file version (major,
// minor, and the last part as the revision).
class WinVersionInfo final : public VersionInfo {
 public:
  HResult ReadProgramVersion(ProgramVersion& version) override;
};

}  // namespace orvo::win32
