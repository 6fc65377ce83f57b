#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

// How the windows draw their own text: labels cut into lines as Japanese
// Windows cuts them, and button text readable on any face colour.
namespace orvo::layout {

// How many of the first characters of `text` fit into `width` pixels in the
// label's font.
using FitCount = std::function<std::size_t(std::wstring_view text, int width)>;

// `text` cut into lines of at most `width` pixels. Lines break at spaces and
// on either side of any character outside ASCII, but never before closing
// punctuation; a line break ("\n") always breaks. The spaces where a line
// breaks are dropped; a word with no break in it overruns its line.
std::vector<std::wstring_view> BreakLines(std::wstring_view text, int width, const FitCount& fit);

// Whether text on a face of this colour (0x00BBGGRR) must be light to stay
// readable; dark text otherwise.
bool WantsLightText(std::uint32_t face);

}  // namespace orvo::layout
