// What scripts/bench compares the program's idle CPU time with: one hidden
// window, one 1-second timer, a message loop. Started with "shell", it also
// creates the shell's collection of browser windows once and, every second,
// makes the calls into the shell that a tick of the program makes on an empty
// desktop, and nothing else: the least that asking the shell can cost.
#include <exdisp.h>
#include <objbase.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstring>

namespace {

Microsoft::WRL::ComPtr<IShellWindows> g_shell;

void CALLBACK AskTheShell(HWND, UINT, UINT_PTR, DWORD) {
  Microsoft::WRL::ComPtr<IUnknown> unknown;
  Microsoft::WRL::ComPtr<IEnumVARIANT> items;
  if (SUCCEEDED(g_shell->_NewEnum(&unknown)) && unknown && SUCCEEDED(unknown.As(&items))) {
    VARIANT batch[32];
    ULONG fetched = 0;
    if (SUCCEEDED(items->Next(32, batch, &fetched))) {
      for (ULONG i = 0; i < fetched && i < 32; ++i) VariantClear(&batch[i]);
    }
    return;
  }
  // The route of a collection that has no enumerator, as Wine's has not.
  LONG count = 0;
  g_shell->get_Count(&count);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  const bool shell = std::strcmp(command_line, "shell") == 0;
  if (shell &&
      (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
       FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&g_shell))))) {
    return 1;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"OrvoIdleBaseline";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
  SetTimer(hwnd, 1, 1000, shell ? AskTheShell : nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
