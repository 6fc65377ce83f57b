#pragma once

// What the COM adapters share: owned VARIANTs, port objects counted in the
// apartment, and late-bound property reads.

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <new>
#include <utility>

#include "platform/browser.h"

namespace orvo::win32 {

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
  [[nodiscard]] HRESULT MakeDirect() noexcept {
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
[[nodiscard]] HResult Make(Ref<Port>& out, Args&&... args) {
  Impl* object = new (std::nothrow) Impl(std::forward<Args>(args)...);
  if (!object) return E_OUTOFMEMORY;
  out = Ref<Port>::Adopt(object);
  return kOk;
}

// Late-bound call of the member `name`.
[[nodiscard]] inline HRESULT Invoke(IDispatch& object, const wchar_t* name, WORD flags,
                                    DISPPARAMS& params, VARIANT* result) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT hr = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  return object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

[[nodiscard]] inline HRESULT GetProperty(IDispatch& object, const wchar_t* name, Variant& value) {
  DISPPARAMS none{};
  const HRESULT hr = Invoke(object, name, DISPATCH_PROPERTYGET, none, value.get());
  return FAILED(hr) ? hr : value.MakeDirect();
}

}  // namespace orvo::win32
