#pragma once

#include <string>
#include <string_view>

namespace orvo {

// The three program-wide option texts. They hold whatever set.ini gave them
// (UTF-8 in memory); the check boxes store exactly "1" or "0".
struct OptionFlags {
  std::string BeepFlag;
  std::string NoToolbarFlag;
  std::string NewWindowFlag;
};

// How the scan reads a flag: set only when its text is a number equal to 1
// ("1", " 1 ", "01", "1.0", "+1e0"). Empty, non-numeric and other numbers are
// not set, so a flag the user cannot see ticked never makes the scan act.
bool IsFlagSet(std::string_view text) noexcept;

}  // namespace orvo
