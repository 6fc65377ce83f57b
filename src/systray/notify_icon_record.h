#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ansi.h"
#include "platform/tray_shell.h"
#include "platform/window_proc.h"

namespace orvo {

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// szTip, NUL included.
inline constexpr std::size_t kTipFieldSize = 64;

// What one shell call fills in; everything else of the record stays zero.
struct NotifyIconFields {
  WindowHandle hwnd = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callback_message = 0;
  std::uintptr_t icon = 0;
  std::string_view tip;  // ANSI; bytes past the 63rd are dropped
};

// A fresh record: cbSize 88 and the given fields. Window and icon handles go
// in as their low 32 bits, all that Windows ever gives them.
NotifyIconRecord BuildNotifyIconRecord(const NotifyIconFields& fields);

// `utf8` in the ANSI code page, shortened by whole characters until it fits
// szTip with its NUL, so that no double-byte character loses its trail byte.
std::string FitTip(AnsiCodePage& ansi, std::string_view utf8);

}  // namespace orvo
