#include "win32/com_browser.h"

#include "win32/com_window.h"
#include "win32/text.h"

#include <exdisp.h>
#include <oleauto.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <utility>

namespace orvo::win32 {
namespace {

using Microsoft::WRL::ComPtr;

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
  V_VT(url.get()) = VT_BSTR;
  V_BSTR(url.get()) = SysAllocString(Widen(address).c_str());
  if (!V_BSTR(url.get())) return E_OUTOFMEMORY;
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(L"InternetExplorer.application", &clsid);
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
