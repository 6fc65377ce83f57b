#pragma once

#include <array>
#include <cstdint>

namespace orvo {

// A window handle, carried as the platform's pointer-sized value.
using WindowHandle = std::uintptr_t;

// The ANSI NOTIFYICONDATA record in its first, 88-byte form, exactly as a
// 32-bit program hands it to the shell (little-endian, i686 layout).
using NotifyIconRecord = std::array<std::uint8_t, 88>;
// The same first form in UTF-16 (NOTIFYICONDATAW): szTip holds 64 UTF-16
// units, which makes 152 bytes.
using NotifyIconRecordW = std::array<std::uint8_t, 152>;

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

// The notification area: Shell_NotifyIconA for the ANSI record,
// Shell_NotifyIconW for the UTF-16 one. The shell's answer changes nothing:
// the icon's state is what was asked, and a shell that restarts asks again.
class TrayShell {
 public:
  virtual void NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) = 0;
  virtual void NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) = 0;

 protected:
  ~TrayShell() = default;
};

}  // namespace orvo
