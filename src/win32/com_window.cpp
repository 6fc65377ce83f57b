#include "win32/com_window.h"

#include <exdisp.h>
#include <wrl/client.h>

namespace orvo::win32 {
namespace {

using Microsoft::WRL::ComPtr;

// The dispatch interface of mshtml's HTML document. Declared here rather than
// taken from mshtml.h: the import library of uuids does not carry it.
constexpr GUID kDispHtmlDocument = {
    0x3050F55F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

// The object test of the script runtime: an empty object reference still has
// an object type.
ValueKind KindOf(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_DISPATCH:
      return V_DISPATCH(&value) ? ValueKind::kObject : ValueKind::kEmptyObject;
    case VT_UNKNOWN:
      return V_UNKNOWN(&value) ? ValueKind::kObject : ValueKind::kEmptyObject;
    case VT_NULL:
      return ValueKind::kNull;
    case VT_EMPTY:
      return ValueKind::kEmpty;
    default:
      return ValueKind::kScalar;
  }
}

class ComScriptWindow final : public Counted<ComScriptWindow, ScriptWindow> {
 public:
  explicit ComScriptWindow(ComPtr<IDispatch> window) : window_(std::move(window)) {}

  HResult ReadOpener(ValueKind& opener) override { return ReadKind(L"opener", opener); }
  HResult ReadParent(ValueKind& parent) override { return ReadKind(L"Parent", parent); }

 private:
  HResult ReadKind(const wchar_t* name, ValueKind& kind) {
    Variant value;
    const HRESULT hr = GetProperty(*window_.Get(), name, value);
    if (FAILED(hr)) return hr;
    kind = KindOf(*value);
    return kOk;
  }

  ComPtr<IDispatch> window_;
};

class ComDocument final : public Counted<ComDocument, Document> {
 public:
  explicit ComDocument(ComPtr<IDispatch> document) : document_(std::move(document)) {}

  HResult TestHtml(bool& html) override {
    ComPtr<IUnknown> as_html;
    const HRESULT hr = document_->QueryInterface(kDispHtmlDocument, &as_html);
    if (hr == E_NOINTERFACE || SUCCEEDED(hr)) {
      html = SUCCEEDED(hr) && as_html;
      return kOk;
    }
    return hr;
  }

  HResult ReadParentWindow(Ref<ScriptWindow>& window) override {
    Variant value;
    HRESULT hr = GetProperty(*document_.Get(), L"parentWindow", value);
    if (FAILED(hr)) return hr;
    ComPtr<IDispatch> object;
    switch (V_VT(&*value)) {
      case VT_DISPATCH:
        object = V_DISPATCH(&*value);
        break;
      case VT_UNKNOWN:
        if (!V_UNKNOWN(&*value)) break;
        hr = V_UNKNOWN(&*value)->QueryInterface(IID_PPV_ARGS(&object));
        if (FAILED(hr)) return hr;
        break;
      default:
        return DISP_E_TYPEMISMATCH;
    }
    // Reading a property of nothing fails, as the script runtime would.
    if (!object) return E_POINTER;
    return Make<ScriptWindow, ComScriptWindow>(window, std::move(object));
  }

 private:
  ComPtr<IDispatch> document_;
};

class ComBrowserWindow final : public Counted<ComBrowserWindow, BrowserWindow> {
 public:
  explicit ComBrowserWindow(ComPtr<IWebBrowser2> browser) : browser_(std::move(browser)) {}

  HResult ReadDocument(Ref<Document>& document) override {
    ComPtr<IDispatch> object;
    const HRESULT hr = browser_->get_Document(&object);
    if (FAILED(hr)) return hr;
    if (!object) {
      document.reset();
      return kOk;
    }
    return Make<Document, ComDocument>(document, std::move(object));
  }

  HResult ReadMenuBar(bool& shown) override {
    VARIANT_BOOL value = VARIANT_FALSE;
    const HRESULT hr = browser_->get_MenuBar(&value);
    if (FAILED(hr)) return hr;
    shown = value != VARIANT_FALSE;
    return kOk;
  }

  HResult Quit() override { return browser_->Quit(); }

 private:
  ComPtr<IWebBrowser2> browser_;
};

}  // namespace

HResult ToBrowserWindow(Variant& item, Ref<BrowserWindow>& window) {
  window.reset();
  if (FAILED(item.MakeDirect())) return kOk;
  IUnknown* object = nullptr;
  if (V_VT(&*item) == VT_DISPATCH) object = V_DISPATCH(&*item);
  if (V_VT(&*item) == VT_UNKNOWN) object = V_UNKNOWN(&*item);
  ComPtr<IWebBrowser2> browser;
  if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&browser))) || !browser) return kOk;
  return Make<BrowserWindow, ComBrowserWindow>(window, std::move(browser));
}

}  // namespace orvo::win32
