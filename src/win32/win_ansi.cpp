#include "win32/win_ansi.h"

#include "win32/text.h"

namespace orvo::win32 {

std::string WinAnsiCodePage::FromUtf8(std::string_view utf8) { return Narrow(Widen(utf8), CP_ACP); }

bool WinAnsiCodePage::Carries(std::string_view utf8) {
  // A UTF-8 system code page holds everything (and takes no default character).
  if (GetACP() == CP_UTF8) return true;
  const std::wstring wide = Widen(utf8);
  if (wide.empty()) return utf8.empty();
  // No best fit: a look-alike (':' for '：') counts as lost, like '?'.
  const DWORD flags = WC_NO_BEST_FIT_CHARS;
  const int in = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_ACP, flags, wide.data(), in, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return false;
  std::string ansi(static_cast<std::size_t>(n), '\0');
  BOOL used_default = FALSE;
  return WideCharToMultiByte(CP_ACP, flags, wide.data(), in, ansi.data(), n, nullptr,
                             &used_default) == n &&
         !used_default;
}

std::string WinAnsiCodePage::ToUtf8(std::string_view ansi) { return Narrow(Widen(ansi, CP_ACP)); }

}  // namespace orvo::win32
