#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The fixed layouts of the program's windows, as data: read by the Win32
// builder that makes the real windows and by the tests. Positions and sizes
// are in twips (15 to a pixel), captions UTF-8.
namespace orvo::layout {

inline constexpr int kTwipsPerPixel = 15;

// A control, by its index in its window's `controls`.
using ControlIndex = int;

enum class Kind : std::uint8_t { kFrame, kCheckBox, kButton, kLabel, kLine, kPicture };

// A colour: the control's default, a system colour index (GetSysColor), or
// red/green/blue.
struct Colour {
  enum class Type : std::uint8_t { kDefault, kSystem, kRgb };
  Type type = Type::kDefault;
  std::uint32_t value = 0;  // system index, or 0x00BBGGRR

  static constexpr Colour System(int index) {
    return {Type::kSystem, static_cast<std::uint32_t>(index)};
  }
  static constexpr Colour Rgb(int r, int g, int b) {
    return {Type::kRgb, static_cast<std::uint32_t>(r | g << 8 | b << 16)};
  }
  friend constexpr bool operator==(Colour, Colour) = default;
};

struct Font {
  std::string_view face;    // empty: the system's user-interface font
  int size_hundredths = 0;  // points times 100: 9 pt is 900, 9.75 pt is 975
  bool bold = false;
  int charset = 1;  // DEFAULT_CHARSET; 128 is Shift-JIS
};

struct Control {
  std::string_view name;
  Kind kind;
  int container = -1;  // index of the frame holding it, -1 for the window
  std::string_view caption = {};
  // Left, top, width, height; a line's (x1, y1) and (x2, y2) instead.
  int left = 0, top = 0, width = 0, height = 0;
  int tab = -1;                // tab order; -1 for controls that take no focus
  bool is_default = false;     // pressed by Enter
  bool is_cancel = false;      // pressed by Esc
  Colour face = {};            // button face or label/line colour
  Colour text = {};            // fore colour
  const Font* font = nullptr;  // nullptr: the window's font
  int line_width = 1;
  std::string_view resource = {};  // picture or mouse pointer resource
  bool transparent = false;        // label drawn on the window's background
};

struct Window {
  std::string_view name;
  std::string_view title = {};
  int client_width = 0, client_height = 0;  // twips
  bool taskbar_button = false;
  Colour background = {};
  const Font* font = nullptr;  // nullptr: the system's user-interface font
  std::string_view icon = {};  // icon resource for the title bar and taskbar
  std::span<const Control> controls = {};
};

}  // namespace orvo::layout
