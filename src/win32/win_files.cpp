#include "win32/win_files.h"

#include <windows.h>

#include <string>

#include "win32/last_error.h"
#include "win32/scoped.h"
#include "win32/text.h"

namespace orvo::win32 {

namespace {

// What no ordinary file is; a read-only one is read, never replaced.
constexpr DWORD kNotAFile = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
constexpr DWORD kProtected = kNotAFile | FILE_ATTRIBUTE_READONLY;

}  // namespace

std::string WinFiles::AppDirectory() {
  // The program's full path, however long.
  std::wstring path(MAX_PATH, L'\0');
  DWORD n = 0;
  while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size()) {
    path.resize(path.size() * 2);
  }
  path.resize(n);
  const std::size_t slash = path.find_last_of(L"\\/");
  return Narrow(slash == std::wstring::npos ? std::wstring_view()
                                            : std::wstring_view(path).substr(0, slash));
}

bool WinFiles::IsOrdinaryFile(std::string_view path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & kNotAFile) == 0;
}

HResult WinFiles::Read(std::string_view path, std::string& bytes) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) return LastError();
  std::string data(kMaxReadBytes, '\0');
  std::size_t total = 0;
  while (total < data.size()) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), data.data() + total, static_cast<DWORD>(data.size() - total), &got,
                    nullptr)) {
      return LastError();
    }
    if (got == 0) break;
    total += got;
  }
  data.resize(total);
  bytes = std::move(data);
  return kOk;
}

// The new bytes go to "<name>.tmp" beside the old file, reach the disk, and
// then take its place by a rename, which the file system does in one step. A
// save cut short (the program killed, the power gone) leaves at most that one
// file, which the next save takes over.
HResult WinFiles::Replace(std::string_view path, std::string_view bytes) {
  const std::wstring target = Widen(path);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kProtected) != 0) {
    return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  }
  const std::wstring temp = target + L".tmp";
  HResult hr = kOk;
  {
    UniqueFile file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    const bool wrote =
        file.ok() &&
        (bytes.empty() || (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                     &written, nullptr) &&
                           written == bytes.size())) &&
        FlushFileBuffers(file.get());
    if (!wrote) hr = LastError();
  }
  if (Succeeded(hr) && !MoveFileExW(temp.c_str(), target.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    hr = LastError();
  }
  if (Failed(hr)) DeleteFileW(temp.c_str());
  return Failed(hr) ? hr : kOk;
}

}  // namespace orvo::win32
