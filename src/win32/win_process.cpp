#include "win32/win_process.h"

#include <windows.h>

namespace orvo::win32 {

void WinProcess::End() { ExitProcess(0); }

}  // namespace orvo::win32
