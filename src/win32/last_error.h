#pragma once

#include <windows.h>

#include "platform/result.h"

namespace orvo::win32 {

// The calling thread's last Win32 error as a result. Some failures leave no
// error code behind; they are failures all the same.
[[nodiscard]] inline HResult LastError() {
  const DWORD error = GetLastError();
  return error == 0 ? kFail : HRESULT_FROM_WIN32(error);
}

}  // namespace orvo::win32
