#pragma once

#include <cstdint>
#include <string_view>

#include "platform/result.h"

namespace orvo {

// An icon as the platform hands it around (an HICON). Icons loaded by name
// are shared with the system, so a handle owns nothing.
using IconHandle = std::uintptr_t;

// The program's named icon groups ("NOTFLAG", "ONFLAG", "02" ... "09").
class Icons {
 public:
  // Loads the icon group `name`. Asking again is cheap and leaks nothing: the
  // icons are shared, the caller owns none of them. A name the program does
  // not carry fails and leaves `icon` as it was.
  [[nodiscard]] virtual HResult LoadNamedIcon(std::string_view name, IconHandle& icon) = 0;

 protected:
  ~Icons() = default;
};

}  // namespace orvo
