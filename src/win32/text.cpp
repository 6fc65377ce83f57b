#include "win32/text.h"

namespace orvo::win32 {

std::wstring Widen(std::string_view text, UINT code_page) {
  if (text.empty()) return {};
  const int in = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(code_page, 0, text.data(), in, nullptr, 0);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), in, wide.data(), n);
  return wide;
}

std::string Narrow(std::wstring_view wide, UINT code_page) {
  if (wide.empty()) return {};
  const int in = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(code_page, 0, wide.data(), in, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string text(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), in, text.data(), n, nullptr, nullptr);
  return text;
}

}  // namespace orvo::win32
