#pragma once

#include <string>
#include <string_view>

namespace orvo {

// The system's ANSI code page (932 on a Japanese system).
class AnsiCodePage {
 public:
  // `utf8` in the ANSI code page; what it cannot hold becomes '?'.
  virtual std::string FromUtf8(std::string_view utf8) = 0;
  // `ansi` in UTF-8; a byte sequence the code page does not know becomes '?'.
  virtual std::string ToUtf8(std::string_view ansi) = 0;

 protected:
  ~AnsiCodePage() = default;
};

}  // namespace orvo
