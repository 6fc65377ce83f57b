#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/icons.h"

namespace orvo {

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// The notification area as the program's one icon meets it, on the
// program's hidden window: the shell's calls and the icon's menu.
class TrayShell {
 public:
  // The tooltip (UTF-8) for the calls that carry one from now on.
  virtual void SetTip(std::string_view tip) = 0;
  // One Shell_NotifyIcon call; `flags` say what it carries: kNifMessage the
  // icon's callback message, kNifIcon `icon`, kNifTip the tooltip. The
  // shell's answer changes nothing: the icon's state is what was asked, and
  // a shell that restarts asks again.
  virtual void Notify(std::uint32_t message, std::uint32_t flags, IconHandle icon) = 0;
  // Pops up `items` ("-" a separator) at the mouse pointer and returns when
  // the menu has closed: the index of the chosen item, or -1.
  virtual int PopupMenu(std::span<const std::string_view> items) = 0;

 protected:
  ~TrayShell() = default;
};

}  // namespace orvo
