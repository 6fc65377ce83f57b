#pragma once

#include "res/gen/pixmap.h"

namespace orvo::res {

// The tray pictures enlarged 8 times with their names, for the README: the
// two states on the first row, the animation frames in order below.
Pixmap DrawIconSheet();
const Palette& SheetPalette();

}  // namespace orvo::res
