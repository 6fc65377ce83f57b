#include "win32/win_version_info.h"

#include <windows.h>

#include <vector>

#include "win32/module_path.h"
#include "win32/text.h"

namespace orvo::win32 {

HResult WinVersionInfo::ReadProgramVersion(ProgramVersion& version) {
  const std::wstring path = ModulePath();
  if (path.empty()) return kFail;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return kFail;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return kFail;

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixed_size = 0;
  if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixed_size) ||
      fixed_size < sizeof(VS_FIXEDFILEINFO)) {
    return kFail;
  }
  wchar_t* name = nullptr;
  UINT name_length = 0;
  if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\041104B0\\ProductName",
                      reinterpret_cast<void**>(&name), &name_length) ||
      name_length == 0) {
    return kFail;
  }
  version.product_name = Narrow(std::wstring_view(name, wcsnlen(name, name_length)));
  version.major = HIWORD(fixed->dwFileVersionMS);
  version.minor = LOWORD(fixed->dwFileVersionMS);
  version.revision = LOWORD(fixed->dwFileVersionLS);
  return kOk;
}

}  // namespace orvo::win32
