// What scripts/bench compares the program with: the least that asking the
// shell costs. It creates the shell's collection of browser windows once and,
// every second, makes the calls of the program's tick with its options off,
// by plain COM: for each window Document, the HTML test, parentWindow and
// opener, and for a page that another page opened parentWindow before each of
// opener, Parent, opener, then Quit when both are objects. Everything a window
// gave is let go of as soon as the window is done.
#include <exdisp.h>
#include <objbase.h>
#include <windows.h>
#include <wrl/client.h>

namespace {

using Microsoft::WRL::ComPtr;

constexpr GUID kDispHtmlDocument = {
    0x3050F55F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

ComPtr<IShellWindows> g_shell;

HRESULT Get(IDispatch* object, const wchar_t* name, VARIANT& value) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id;
  DISPPARAMS none{};
  VariantClear(&value);
  const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return FAILED(hr) ? hr
                    : object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                     &value, nullptr, nullptr);
}

bool IsObject(const VARIANT& v) { return V_VT(&v) == VT_DISPATCH || V_VT(&v) == VT_UNKNOWN; }

// The script window's `member`, read through parentWindow afresh.
bool MemberIsObject(IDispatch* document, const wchar_t* member) {
  VARIANT window{}, value{};
  const bool object = SUCCEEDED(Get(document, L"parentWindow", window)) &&
                      V_VT(&window) == VT_DISPATCH && V_DISPATCH(&window) &&
                      SUCCEEDED(Get(V_DISPATCH(&window), member, value)) && IsObject(value);
  VariantClear(&value);
  VariantClear(&window);
  return object;
}

void Judge(IWebBrowser2* browser) {
  ComPtr<IDispatch> document;
  ComPtr<IUnknown> html;
  if (FAILED(browser->get_Document(&document)) || !document ||
      FAILED(document->QueryInterface(kDispHtmlDocument, &html)) ||
      !MemberIsObject(document.Get(), L"opener") || !MemberIsObject(document.Get(), L"opener"))
    return;
  const bool parent = MemberIsObject(document.Get(), L"Parent");
  const bool opener = MemberIsObject(document.Get(), L"opener");
  if (parent && opener) browser->Quit();
}

void Walk() {
  ComPtr<IUnknown> unknown;
  ComPtr<IEnumVARIANT> items;
  if (FAILED(g_shell->_NewEnum(&unknown)) || !unknown || FAILED(unknown.As(&items))) {
    // The route of a collection that has no enumerator, as Wine's has not.
    LONG count = 0;
    g_shell->get_Count(&count);
    return;
  }
  VARIANT batch[32];
  ULONG fetched = 0;
  HRESULT hr = S_OK;
  while (hr == S_OK && SUCCEEDED(hr = items->Next(32, batch, &fetched))) {
    for (ULONG i = 0; i < fetched && i < 32; ++i) {
      ComPtr<IWebBrowser2> browser;
      if (V_VT(&batch[i]) == VT_DISPATCH && V_DISPATCH(&batch[i]) &&
          SUCCEEDED(V_DISPATCH(&batch[i])->QueryInterface(IID_PPV_ARGS(&browser))))
        Judge(browser.Get());
      VariantClear(&batch[i]);
    }
    if (fetched < 32) break;
  }
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  // A call into another process lets the next tick in: one walk at a time.
  static bool walking = false;
  if (walking) return;
  walking = true;
  Walk();
  walking = false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) ||
      FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&g_shell)))) {
    return 1;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.lpszClassName = L"OrvoLimit";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
  SetTimer(hwnd, 1, 1000, Tick);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
