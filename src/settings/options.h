#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orvo {

// The three options, as texts. They hold whatever set.ini gave them (UTF-8
// in memory); the options window's boxes store exactly "1" or "0".
struct Options {
  std::string beep;         // beep when a pop-up is closed
  std::string no_menu_bar;  // a pop-up without a menu bar is an advertisement
  std::string new_window;   // every page another page opened is closed
};

// The options in the order of set.ini's lines and of everything that lists
// them.
inline constexpr std::array kOptionOrder = {&Options::beep, &Options::no_menu_bar,
                                            &Options::new_window};

// How the scan reads an option: on only when its text is a number equal to
// 1 ("1", " 1 ", "01", "1.0", "+1e0"). Empty, non-numeric and other numbers
// are off, so an option the user cannot see ticked never makes the scan act.
bool IsOn(std::string_view option) noexcept;

}  // namespace orvo
