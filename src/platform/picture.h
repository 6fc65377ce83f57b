#pragma once

#include <cstdint>

namespace orvo {

// A picture as the windows and the tray control hand it around: its kind and
// the platform's handle (an HICON for icons). Icons loaded by name are shared
// with the system, so a Picture owns nothing.
struct Picture {
  enum class Type : std::int16_t { kNone = 0, kBitmap = 1, kMetafile = 2, kIcon = 3 };
  Type type = Type::kNone;
  std::uintptr_t handle = 0;

  friend bool operator==(const Picture&, const Picture&) = default;
};

}  // namespace orvo
