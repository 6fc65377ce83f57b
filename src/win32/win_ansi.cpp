#include "win32/win_ansi.h"

#include "win32/text.h"

namespace orvo::win32 {

std::string WinAnsiCodePage::FromUtf8(std::string_view utf8) { return Narrow(Widen(utf8), CP_ACP); }

std::string WinAnsiCodePage::ToUtf8(std::string_view ansi) { return Narrow(Widen(ansi, CP_ACP)); }

}  // namespace orvo::win32
