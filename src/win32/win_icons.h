#pragma once

#include "platform/icons.h"

namespace orvo::win32 {

// Icon groups of the running program's own resources.
class WinIcons final : public Icons {
 public:
  HResult LoadNamedIcon(std::string_view name, IconHandle& icon) override;
};

}  // namespace orvo::win32
