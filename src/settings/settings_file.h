#pragma once

#include <array>
#include <string>
#include <string_view>

// The bytes of set.ini: three items, one option each (beep, no-menu-bar,
// new-window), in the system's ANSI code page with CR LF line ends.
namespace orvo::settings {

// What a missing set.ini is created with: " 0 " and CR LF, three times.
inline constexpr std::string_view kCreatedForm = " 0 \r\n 0 \r\n 0 \r\n";

// Reads the first three comma-separated items of `bytes`; slots that no item
// reaches stay empty, items after the third are ignored. An item is whatever
// stands before the next comma or line end (CR LF, lone CR or lone LF), less
// leading and trailing spaces, or the text between double quotes; a blank
// line is an empty item.
std::array<std::string, 3> ReadItems(std::string_view bytes);

// The saved form: each item as it is, then CR LF.
std::string SavedForm(const std::array<std::string, 3>& items);

}  // namespace orvo::settings
