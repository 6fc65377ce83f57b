#pragma once

#include <cstdint>
#include <vector>

#include "res/gen/pixmap.h"

// The file formats the pictures are stored in.
namespace orvo::res {

using Bytes = std::vector<std::uint8_t>;

// An icon or cursor image as resources hold it: bitmap header (height doubled
// for the mask), palette of 2^bits entries, colour rows bottom-up, then the
// 1-bit mask that makes kClear pixels see-through.
Bytes IconImage(const Pixmap& p, const Palette& palette, int bits);

// A group directory of one icon image: GRPICONDIR and its single entry.
Bytes IconGroup(const Bytes& image, int bits, std::uint16_t image_id);

// A cursor image as resources hold it: the hot spot, then a 4-bit image.
Bytes CursorImage(const Pixmap& p, const Palette& palette, int hot_x, int hot_y);

// A group directory of one cursor image. Written by hand because windres's
// CURSOR statement records 1 bit per pixel here whatever the image has.
Bytes CursorGroup(const Bytes& cursor_image, std::uint16_t image_id);

// A still GIF89a: one frame, one 256-colour global table, no extensions.
// Empty if giflib fails.
Bytes Gif(const Pixmap& p, const Palette& palette);

}  // namespace orvo::res
