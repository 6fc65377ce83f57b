#pragma once

#include <string_view>

#include "res/gen/pixmap.h"

// The program's pictures, drawn as pixel art.
namespace orvo::res {

// Colours of the tray icons' palette that the pictures' meaning rests on.
namespace tray {
inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kWhite = 1;
inline constexpr std::uint8_t kTitle = 2;
inline constexpr std::uint8_t kTitleLight = 3;
inline constexpr std::uint8_t kText = 4;
inline constexpr std::uint8_t kGrey = 5;
inline constexpr std::uint8_t kDarkGrey = 6;
inline constexpr std::uint8_t kRed = 7;
inline constexpr std::uint8_t kRedEdge = 8;
}  // namespace tray

const Palette& TrayPalette();

// One of the ten tray pictures by its icon group name ("NOTFLAG", "ONFLAG",
// "02" ... "09"), 32 x 32; an empty pixmap for any other name.
Pixmap DrawTrayIcon(std::string_view name);

// The About box's address pointer, 32 x 32 in the standard 16 colours; its
// hot spot is the fingertip.
inline constexpr int kHandHotX = 12;
inline constexpr int kHandHotY = 1;
const Palette& CursorPalette();
Pixmap DrawHandCursor();

// The maker's logo for the About box, 94 x 58, no see-through pixels.
const Palette& LogoPalette();
Pixmap DrawAboutLogo();

}  // namespace orvo::res
