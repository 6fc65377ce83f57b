#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Names and identifiers of the program's own resources, shared by the code
// that loads them, the picture generator that writes the .rc and the tests
// that read them back out of the built program.
namespace orvo::res {

inline constexpr std::string_view kIconNotFlag = "NOTFLAG";  // blocking on, idle
inline constexpr std::string_view kIconOnFlag = "ONFLAG";    // blocking off

// Animation frames, first to last; "02" shows the same picture as "NOTFLAG".
inline constexpr std::array<std::string_view, 8> kFrameIcons = {"02", "03", "04", "05",
                                                                "06", "07", "08", "09"};

// Windows language identifiers of the icon resources.
inline constexpr std::uint16_t kLangNeutral = 0x0000;
inline constexpr std::uint16_t kLangJapanese = 0x0411;
inline constexpr std::uint16_t kLangEnglishUs = 0x0409;

// Every named icon group holds exactly one image with its own identifier; the
// identifiers are not in frame order.
struct TrayIconEntry {
  std::string_view group;
  std::uint16_t image_id;
};
inline constexpr std::array<TrayIconEntry, 10> kTrayIcons = {{
    {"NOTFLAG", 5},
    {"ONFLAG", 6},
    {"02", 1},
    {"03", 2},
    {"04", 3},
    {"05", 4},
    {"06", 10},
    {"07", 9},
    {"08", 8},
    {"09", 7},
}};

// The application icon: a numeric group, language neutral, never loaded by
// the program itself (Explorer shows it).
inline constexpr std::uint16_t kAppIconGroup = 1;
inline constexpr std::uint16_t kAppIconImage = 30001;

// The About box's address label pointer (a cursor resource) and its picture
// (a GIF file stored as RCDATA).
inline constexpr std::string_view kHandCursor = "HAND";
inline constexpr std::uint16_t kHandCursorImage = 1;
inline constexpr std::string_view kAboutPicture = "ABOUTLOGO";

}  // namespace orvo::res
