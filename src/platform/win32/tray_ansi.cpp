#include "platform/win32/tray_ansi.h"

#include <windows.h>

namespace orvo::win32 {

std::string WinAnsiCodePage::FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int in_size = static_cast<int>(utf8.size());
  const int wide_size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), in_size, nullptr, 0);
  if (wide_size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), in_size, wide.data(), wide_size);
  const int ansi_size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  if (ansi_size <= 0) return {};
  std::string ansi(static_cast<std::size_t>(ansi_size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_size, ansi.data(), ansi_size, nullptr, nullptr);
  return ansi;
}

}  // namespace orvo::win32
