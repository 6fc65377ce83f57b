// A version.dll planted beside the program. Called, it leaves a file named
// "planted-dll-called" beside itself. Merely loaded, it cannot tell: Wine's
// own user32 imports version.dll, so Wine loads a preferred native one from
// the program's folder before any code of the program runs.
#include <windows.h>

#include <string>

namespace {

HINSTANCE self;

void Mark() {
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
  Mark();
  return 0;
}
extern "C" __declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) {
  Mark();
  return FALSE;
}
extern "C" __declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) {
  Mark();
  return FALSE;
}
