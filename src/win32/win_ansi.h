#pragma once

#include "platform/ansi.h"

namespace orvo::win32 {

// CP_ACP through UTF-16.
class WinAnsiCodePage final : public AnsiCodePage {
 public:
  std::string FromUtf8(std::string_view utf8) override;
  std::string ToUtf8(std::string_view ansi) override;
};

}  // namespace orvo::win32
