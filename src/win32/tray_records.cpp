#include "win32/tray_window.h"

#include <algorithm>
#include <cstddef>

#include "win32/text.h"

namespace orvo::win32 {

#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88 && offsetof(NOTIFYICONDATAA, szTip) == 24);
#endif

namespace {

// szTip's room in characters of either form, its NUL left out.
constexpr std::size_t kTipRoom = 63;

// Whether the system code page has a form of its own for every character:
// neither the default character nor a look-alike (':' for '：').
bool CodePageCarries(std::wstring_view wide) {
  // A UTF-8 system code page holds everything (and takes no default character).
  if (GetACP() == CP_UTF8 || wide.empty()) return true;
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

// The most whole characters of `wide` (a surrogate pair is one) that fit
// szTip in its form.
std::wstring_view Fit(std::wstring_view wide, bool ansi) {
  std::size_t used = 0, end = 0;
  while (end < wide.size()) {
    const int n = IS_HIGH_SURROGATE(wide[end]) && end + 1 < wide.size() ? 2 : 1;
    const std::size_t units =
        ansi ? WideCharToMultiByte(CP_ACP, 0, &wide[end], n, nullptr, 0, nullptr, nullptr) : n;
    if (used + units > kTipRoom) break;
    used += units;
    end += n;
  }
  return wide.substr(0, end);
}

template <class Data, class Char>
Data Record(DWORD size, HWND hwnd, UINT flags, HICON icon, std::basic_string_view<Char> tip) {
  Data data{};
  data.cbSize = size;
  data.hWnd = hwnd;
  data.uFlags = flags;
  if ((flags & NIF_MESSAGE) != 0) data.uCallbackMessage = TrayWindow::kCallbackMessage;
  if ((flags & NIF_ICON) != 0) data.hIcon = icon;
  if ((flags & NIF_TIP) != 0) std::copy(tip.begin(), tip.end(), data.szTip);
  return data;
}

}  // namespace

void TrayWindow::SetTip(std::string_view tip) {
  const std::wstring wide = Widen(tip);
  ansi_ = CodePageCarries(wide);
  wide_tip_ = Fit(wide, ansi_);
  ansi_tip_ = ansi_ ? Narrow(wide_tip_, CP_ACP) : std::string();
}

void TrayWindow::Notify(std::uint32_t message, std::uint32_t flags, IconHandle icon) {
  const auto handle = reinterpret_cast<HICON>(icon);
  if (ansi_) {
    auto data = Record<NOTIFYICONDATAA>(NOTIFYICONDATAA_V1_SIZE, hwnd(), flags, handle,
                                        std::string_view(ansi_tip_));
    notify_a_(message, &data);
  } else {
    auto data = Record<NOTIFYICONDATAW>(NOTIFYICONDATAW_V1_SIZE, hwnd(), flags, handle,
                                        std::wstring_view(wide_tip_));
    notify_w_(message, &data);
  }
}

}  // namespace orvo::win32
