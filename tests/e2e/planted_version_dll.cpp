// A version.dll planted beside the program: loaded, it leaves a file named
// "planted-dll-loaded" beside itself. It exports what a program importing the
// real one would ask for, so that such a program still starts, and loads it.
#include <windows.h>

#include <string>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(self, path.data(), MAX_PATH));
  path.resize(path.rfind(L'\\') + 1);
  CloseHandle(CreateFileW((path + L"planted-dll-loaded").c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, 0, nullptr));
  return TRUE;
}

extern "C" __declspec(dllexport) DWORD WINAPI GetFileVersionInfoSizeW(LPCWSTR, LPDWORD) {
  return 0;
}
extern "C" __declspec(dllexport) BOOL WINAPI GetFileVersionInfoW(LPCWSTR, DWORD, DWORD, LPVOID) {
  return FALSE;
}
extern "C" __declspec(dllexport) BOOL WINAPI VerQueryValueW(LPCVOID, LPCWSTR, LPVOID*, PUINT) {
  return FALSE;
}
