#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace orvo::win32 {

// Text between a code page (UTF-8 unless told) and the UTF-16 of the W
// functions. What cannot be converted comes out empty.
std::wstring Widen(std::string_view text, UINT code_page = CP_UTF8);
std::string Narrow(std::wstring_view wide, UINT code_page = CP_UTF8);

}  // namespace orvo::win32
