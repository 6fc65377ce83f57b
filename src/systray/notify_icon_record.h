#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>

#include "platform/ansi.h"
#include "platform/tray_shell.h"

namespace orvo {

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// szTip in characters of its form, NUL included.
inline constexpr std::size_t kTipFieldSize = 64;

// What one shell call fills in; everything else of the record stays zero.
struct NotifyIconFields {
  WindowHandle hwnd = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callback_message = 0;
  std::uintptr_t icon = 0;
  // UTF-8: the icon's tooltip as of this call. It goes into szTip only with
  // kNifTip, but it picks the record's form either way.
  std::string_view tip;
};

using NotifyIconCall = std::variant<NotifyIconRecord, NotifyIconRecordW>;

// A fresh record for one shell call. While the ANSI code page carries the tip
// it is the 88-byte ANSI record, as a Japanese system has always had it;
// otherwise the 152-byte UTF-16 one, which shows the tip right on any system.
// Window and icon handles go in as their low 32 bits, all that Windows ever
// gives them. A long tip is cut by whole characters (never inside a
// double-byte character or a surrogate pair) so that szTip keeps its NUL.
NotifyIconCall BuildNotifyIconRecord(AnsiCodePage& ansi, const NotifyIconFields& fields);

}  // namespace orvo
