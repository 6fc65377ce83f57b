#include "win32/win_sound.h"

#include <windows.h>

namespace orvo::win32 {

void WinSound::Beep() { MessageBeep(MB_OK); }

}  // namespace orvo::win32
