// A version.dll planted beside the program. Called by the program's own code,
// it leaves a file named "planted-dll-called" beside itself. Being loaded, or
// called by Wine, does not count: Wine's own user32 imports version.dll and
// calls it at start-up, so under Wine a preferred native one beside any
// program is loaded before the program runs.
#include <windows.h>

#include <string>

namespace {

HINSTANCE self;

void Mark(void* caller) {
  HMODULE from = nullptr;
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCWSTR>(caller), &from) ||
      from != GetModuleHandleW(nullptr)) {
    return;
  }
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(self, path.data(), MAX_PATH));
  path.resize(path.rfind(L'\\') + 1);
  CloseHandle(CreateFileW((path + L"planted-dll-called").c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, 0, nullptr));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  self = instance;
  return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR, LPDWORD) {
  Mark(__builtin_return_address(0));
  return 0;
}
extern "C" __declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) {
  Mark(__builtin_return_address(0));
  return FALSE;
}
extern "C" __declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) {
  Mark(__builtin_return_address(0));
  return FALSE;
}
