#include "platform/win32/tray_ansi.h"

#include <windows.h>

namespace orvo::win32 {

namespace {

// Between two code pages through UTF-16.
std::string Convert(UINT from, UINT to, std::string_view text) {
  if (text.empty()) return {};
  const int in_size = static_cast<int>(text.size());
  const int wide_size = MultiByteToWideChar(from, 0, text.data(), in_size, nullptr, 0);
  if (wide_size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  MultiByteToWideChar(from, 0, text.data(), in_size, wide.data(), wide_size);
  const int out_size =
      WideCharToMultiByte(to, 0, wide.data(), wide_size, nullptr, 0, nullptr, nullptr);
  if (out_size <= 0) return {};
  std::string out(static_cast<std::size_t>(out_size), '\0');
  WideCharToMultiByte(to, 0, wide.data(), wide_size, out.data(), out_size, nullptr, nullptr);
  return out;
}

}  // namespace

std::string WinAnsiCodePage::FromUtf8(std::string_view utf8) {
  return Convert(CP_UTF8, CP_ACP, utf8);
}

std::string WinAnsiCodePage::ToUtf8(std::string_view ansi) {
  return Convert(CP_ACP, CP_UTF8, ansi);
}

}  // namespace orvo::win32
