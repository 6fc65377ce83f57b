#include "win32/com_browser.h"

#include "win32/text.h"

#include <exdisp.h>
#include <oleauto.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <climits>
#include <new>
#include <utility>

namespace orvo::win32 {
namespace {

using Microsoft::WRL::ComPtr;

// The dispatch interface of mshtml's HTML document. Declared here rather than
// taken from mshtml.h: the import library of uuids does not carry it.
constexpr GUID kDispHtmlDocument = {
    0x3050F55F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

// Owns a VARIANT and whatever it refers to.
class Variant {
 public:
  Variant() noexcept { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* get() noexcept { return &v_; }
  const VARIANT& operator*() const noexcept { return v_; }

  // Replaces a by-reference value with a copy of what it points to.
  HRESULT MakeDirect() noexcept {
    if (!(V_VT(&v_) & VT_BYREF)) return S_OK;
    Variant direct;
    const HRESULT hr = VariantCopyInd(direct.get(), &v_);
    if (SUCCEEDED(hr)) std::swap(v_, direct.v_);
    return hr;
  }

 private:
  VARIANT v_;
};

// The reference count of a port object: starts at 1 for the Ref that adopts
// the new object. Not atomic: port objects stay on their apartment's thread.
template <class Self, class Port>
class Counted : public Port {
 public:
  void AddRef() noexcept final { ++refs_; }
  void Release() noexcept final {
    if (--refs_ == 0) delete static_cast<Self*>(this);
  }

 private:
  unsigned long refs_ = 1;
};

template <class Port, class Impl, class... Args>
HResult Make(Ref<Port>& out, Args&&... args) {
  Impl* object = new (std::nothrow) Impl(std::forward<Args>(args)...);
  if (!object) return E_OUTOFMEMORY;
  out = Ref<Port>::Adopt(object);
  return kOk;
}

// Late-bound call of the member `name`.
HRESULT Invoke(IDispatch& object, const wchar_t* name, WORD flags, DISPPARAMS& params,
               VARIANT* result) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  return object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

HRESULT GetProperty(IDispatch& object, const wchar_t* name, Variant& value) {
  DISPPARAMS none{};
  const HRESULT hr = Invoke(object, name, DISPATCH_PROPERTYGET, none, value.get());
  return FAILED(hr) ? hr : value.MakeDirect();
}

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

// One item of the collection as a browser window; anything else (a folder
// view, a window that is already gone) is not one.
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

// Every call of the enumerator is a round trip into the shell's process: it
// is asked for a batch of windows at a time, which the walk takes one by one.
class VariantEnumerator final : public Counted<VariantEnumerator, WindowEnumerator> {
 public:
  explicit VariantEnumerator(ComPtr<IEnumVARIANT> items) : items_(std::move(items)) {
    for (VARIANT& item : batch_) VariantInit(&item);
  }
  // Also when the walk stops early.
  ~VariantEnumerator() { ClearFrom(0); }
  VariantEnumerator(const VariantEnumerator&) = delete;
  VariantEnumerator& operator=(const VariantEnumerator&) = delete;

  HResult Next(Ref<BrowserWindow>& window) override {
    if (next_ == given_) {
      window.reset();
      if (last_) return kFalse;
      const HResult hr = Fetch();
      if (hr != kOk) return hr;
    }
    // The item leaves the batch: what the walk lets go of is let go of.
    Variant item;
    *item.get() = batch_[next_];
    VariantInit(&batch_[next_++]);
    return ToBrowserWindow(item, window);
  }

 private:
  static constexpr ULONG kBatch = 32;

  HResult Fetch() {
    next_ = given_ = 0;
    ULONG fetched = 0;
    const HRESULT hr = items_->Next(kBatch, batch_, &fetched);
    if (SUCCEEDED(hr)) given_ = std::min(fetched, kBatch);
    // What a failed call filled in, or anything past the count, is let go of
    // unused: the walk ends after the windows already handed out.
    ClearFrom(given_);
    last_ = hr != S_OK || given_ < kBatch;
    if (FAILED(hr)) return hr;
    return given_ > 0 ? kOk : kFalse;
  }

  void ClearFrom(ULONG first) {
    for (ULONG i = first; i < kBatch; ++i) VariantClear(&batch_[i]);
  }

  ComPtr<IEnumVARIANT> items_;
  VARIANT batch_[kBatch];
  ULONG next_ = 0;
  ULONG given_ = 0;
  bool last_ = false;
};

// For collections without an enumerator: by index, up to the count read when
// the walk began.
class IndexEnumerator final : public Counted<IndexEnumerator, WindowEnumerator> {
 public:
  IndexEnumerator(ComPtr<IShellWindows> collection, LONG count)
      : collection_(std::move(collection)), count_(count) {}

  HResult Next(Ref<BrowserWindow>& window) override {
    window.reset();
    if (next_ >= count_) return kFalse;
    VARIANT index;
    V_VT(&index) = VT_I4;
    V_I4(&index) = next_++;
    Variant item;
    V_VT(item.get()) = VT_DISPATCH;
    V_DISPATCH(item.get()) = nullptr;
    const HRESULT hr = collection_->Item(index, &V_DISPATCH(item.get()));
    if (FAILED(hr)) return hr;
    return ToBrowserWindow(item, window);
  }

 private:
  ComPtr<IShellWindows> collection_;
  LONG count_;
  LONG next_ = 0;
};

class ComShellWindows final : public Counted<ComShellWindows, ShellWindows> {
 public:
  explicit ComShellWindows(ComPtr<IShellWindows> collection) : collection_(std::move(collection)) {}

  HResult Enumerate(Ref<WindowEnumerator>& items) override {
    ComPtr<IUnknown> unknown;
    ComPtr<IEnumVARIANT> walker;
    if (SUCCEEDED(collection_->_NewEnum(&unknown)) && unknown && SUCCEEDED(unknown.As(&walker)) &&
        walker) {
      return Make<WindowEnumerator, VariantEnumerator>(items, std::move(walker));
    }
    LONG count = 0;
    const HRESULT hr = collection_->get_Count(&count);
    if (FAILED(hr)) return hr;
    return Make<WindowEnumerator, IndexEnumerator>(items, collection_, count);
  }

 private:
  ComPtr<IShellWindows> collection_;
};

// A BSTR-holding variant with the UTF-16 form of `text`.
HRESULT ToBstr(std::string_view text, Variant& out) {
  if (text.size() > static_cast<size_t>(INT_MAX)) return E_INVALIDARG;
  const std::wstring wide = Widen(text);
  if (!text.empty() && wide.empty()) return E_INVALIDARG;
  BSTR bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!bstr) return E_OUTOFMEMORY;
  V_VT(out.get()) = VT_BSTR;
  V_BSTR(out.get()) = bstr;
  return S_OK;
}

}  // namespace

// A message another thread sent, notified or called back is being handled:
// COM refuses calls out of it (Wine's even for a notification, which is how
// its shell delivers the tray icon's clicks).
bool ComBrowserAutomation::CanCallOut() { return InSendMessageEx(nullptr) == ISMEX_NOSEND; }

HResult ComBrowserAutomation::CreateShellWindows(Ref<ShellWindows>& collection) {
  // CLSCTX_ALL: a class object registered in this process comes first.
  ComPtr<IShellWindows> shell;
  const HRESULT hr =
      CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&shell));
  if (FAILED(hr)) return hr;
  if (!shell) return E_POINTER;
  return Make<ShellWindows, ComShellWindows>(collection, std::move(shell));
}

HResult ComBrowserAutomation::OpenPage(std::string_view address) {
  Variant url;
  HRESULT hr = ToBstr(address, url);
  if (FAILED(hr)) return hr;
  CLSID clsid;
  hr = CLSIDFromProgID(L"InternetExplorer.application", &clsid);
  if (FAILED(hr)) return hr;
  ComPtr<IDispatch> browser;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                        IID_PPV_ARGS(&browser));
  if (FAILED(hr)) return hr;
  if (!browser) return E_POINTER;

  DISPPARAMS navigate_args{url.get(), nullptr, 1, 0};
  Variant ignored;
  hr = Invoke(*browser.Get(), L"navigate", DISPATCH_METHOD, navigate_args, ignored.get());
  if (FAILED(hr)) return hr;

  Variant shown;
  V_VT(shown.get()) = VT_BOOL;
  V_BOOL(shown.get()) = VARIANT_TRUE;
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS visible_args{shown.get(), &put, 1, 1};
  hr = Invoke(*browser.Get(), L"Visible", DISPATCH_PROPERTYPUT, visible_args, nullptr);
  return FAILED(hr) ? hr : kOk;
}

}  // namespace orvo::win32
