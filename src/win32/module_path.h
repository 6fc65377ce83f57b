#pragma once

#include <string>

namespace orvo::win32 {

// The full path of the running program, however long; empty when Windows
// cannot say.
std::wstring ModulePath();

}  // namespace orvo::win32
