#pragma once

#include <string_view>

#include "platform/picture.h"
#include "platform/result.h"

namespace orvo {

// The program's named icon groups ("NOTFLAG", "ONFLAG", "02" ... "09").
class Icons {
 public:
  // Loads the icon group `name` as an icon picture. Asking again is cheap and
  // leaks nothing: the pictures are shared, the caller owns none of them.
  // A name the program does not carry fails and leaves `icon` as it was.
  [[nodiscard]] virtual HResult LoadNamedIcon(std::string_view name, Picture& icon) = 0;

 protected:
  ~Icons() = default;
};

}  // namespace orvo
