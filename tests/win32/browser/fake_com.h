#pragma once

// In-process stand-ins for Internet Explorer's automation objects: scripted
// answers, a failure switch on every call the adapter makes, and a count of
// live objects so that a test can tell the adapter let go of all it took.

#include <exdisp.h>
#include <oleauto.h>
#include <windows.h>
#include <wrl/client.h>

#include <string>
#include <utility>
#include <vector>

namespace orvo::win32::testing {

using Microsoft::WRL::ComPtr;

inline constexpr GUID kDispHtmlDocument = {
    0x3050F55F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

inline int g_live_fakes = 0;

// A VARIANT with value semantics, for scripting answers and recording calls.
class OwnedVariant {
 public:
  OwnedVariant() { VariantInit(&v_); }
  explicit OwnedVariant(const VARIANT& v) : OwnedVariant() {
    VariantCopy(&v_, const_cast<VARIANT*>(&v));
  }
  OwnedVariant(const OwnedVariant& other) : OwnedVariant(other.v_) {}
  OwnedVariant& operator=(const OwnedVariant& other) {
    if (this != &other) VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
    return *this;
  }
  ~OwnedVariant() { VariantClear(&v_); }

  static OwnedVariant Of(IUnknown* object) {
    OwnedVariant v;
    V_VT(&v.v_) = VT_UNKNOWN;
    V_UNKNOWN(&v.v_) = object;
    if (object) object->AddRef();
    return v;
  }
  static OwnedVariant Dispatch(IDispatch* object) {
    OwnedVariant v;
    V_VT(&v.v_) = VT_DISPATCH;
    V_DISPATCH(&v.v_) = object;
    if (object) object->AddRef();
    return v;
  }
  static OwnedVariant Null() {
    OwnedVariant v;
    V_VT(&v.v_) = VT_NULL;
    return v;
  }
  static OwnedVariant Int(LONG value) {
    OwnedVariant v;
    V_VT(&v.v_) = VT_I4;
    V_I4(&v.v_) = value;
    return v;
  }
  static OwnedVariant String(const wchar_t* text) {
    OwnedVariant v;
    V_VT(&v.v_) = VT_BSTR;
    V_BSTR(&v.v_) = SysAllocString(text);
    return v;
  }
  // Refers to `*slot`, which must outlive every copy.
  static OwnedVariant DispatchRef(IDispatch** slot) {
    OwnedVariant v;
    V_VT(&v.v_) = VT_BYREF | VT_DISPATCH;
    V_DISPATCHREF(&v.v_) = slot;
    return v;
  }

  const VARIANT& operator*() const { return v_; }
  const VARIANT* operator->() const { return &v_; }

 private:
  VARIANT v_;
};

template <class T, class... Args>
ComPtr<T> MakeFake(Args&&... args) {
  ComPtr<T> fake;
  // Not Attach: mingw-w64's adds a reference, where the new fake's first one
  // is to be taken over.
  *fake.GetAddressOf() = new T(std::forward<Args>(args)...);
  return fake;
}

// Reference counting and QueryInterface for a fake implementing `I`; a
// subclass widens the interfaces it answers through Answers().
template <class I>
class FakeUnknown : public I {
 public:
  FakeUnknown() { ++g_live_fakes; }
  FakeUnknown(const FakeUnknown&) = delete;
  FakeUnknown& operator=(const FakeUnknown&) = delete;
  virtual ~FakeUnknown() { --g_live_fakes; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    const HRESULT hr = Answers(iid);
    if (hr != S_OK) return hr;
    *out = static_cast<I*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual HRESULT Answers(REFIID iid) {
    return iid == IID_IUnknown || iid == __uuidof(I) ? S_OK : E_NOINTERFACE;
  }

 private:
  ULONG refs_ = 1;
};

#define ORVO_NOT_USED(method, ...) \
  HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return E_NOTIMPL; }

// A late-bound object (document, script window, browser application) whose
// properties answer scripted values and which records the calls it receives.
class FakeDispatch : public FakeUnknown<IDispatch> {
 public:
  struct Member {
    std::wstring name;
    OwnedVariant value;
    HRESULT lookup = S_OK;  // GetIDsOfNames
    HRESULT call = S_OK;    // Invoke
  };
  struct Call {
    std::wstring name;
    WORD flags;
    std::vector<OwnedVariant> args;
    std::vector<DISPID> named;
  };

  // What the HTML-document query answers: S_OK makes this an HTML document.
  HRESULT html = E_NOINTERFACE;
  std::vector<Member> members;
  std::vector<Call> calls;

  void Answer(const wchar_t* name, OwnedVariant value, HRESULT lookup = S_OK, HRESULT call = S_OK) {
    members.push_back({name, std::move(value), lookup, call});
  }

  ORVO_NOT_USED(GetTypeInfoCount, UINT*)
  ORVO_NOT_USED(GetTypeInfo, UINT, LCID, ITypeInfo**)
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1) return E_INVALIDARG;
    for (size_t i = 0; i < members.size(); ++i) {
      // Script names do not care about case.
      if (_wcsicmp(members[i].name.c_str(), names[0]) != 0) continue;
      if (FAILED(members[i].lookup)) return members[i].lookup;
      ids[0] = static_cast<DISPID>(i + 1);
      return S_OK;
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id < 1 || static_cast<size_t>(id) > members.size()) return DISP_E_MEMBERNOTFOUND;
    const Member& member = members[id - 1];
    Call call{member.name, flags, {}, {}};
    for (UINT i = 0; params && i < params->cArgs; ++i) call.args.emplace_back(params->rgvarg[i]);
    for (UINT i = 0; params && i < params->cNamedArgs; ++i) {
      call.named.push_back(params->rgdispidNamedArgs[i]);
    }
    calls.push_back(std::move(call));
    if (FAILED(member.call)) return member.call;
    return result ? VariantCopy(result, const_cast<VARIANT*>(&*member.value)) : S_OK;
  }

 protected:
  HRESULT Answers(REFIID iid) override {
    if (iid == kDispHtmlDocument) return html;
    return iid == IID_IUnknown || iid == IID_IDispatch ? S_OK : E_NOINTERFACE;
  }
};

// Answers IUnknown only: an item of the collection that is not a window, or a
// value that cannot be scripted.
class FakeThing : public FakeUnknown<IUnknown> {};

class FakeBrowser : public FakeUnknown<IWebBrowser2> {
 public:
  ComPtr<IDispatch> document;
  HRESULT document_result = S_OK;
  VARIANT_BOOL menu_bar = VARIANT_TRUE;
  HRESULT menu_bar_result = S_OK;
  HRESULT quit_result = S_OK;
  int quits = 0;

  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** out) override {
    *out = nullptr;
    if (FAILED(document_result)) return document_result;
    if (document) document.CopyTo(out);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* out) override {
    if (FAILED(menu_bar_result)) return menu_bar_result;
    *out = menu_bar;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Quit() override {
    ++quits;
    return quit_result;
  }

  ORVO_NOT_USED(GetTypeInfoCount, UINT*)
  ORVO_NOT_USED(GetTypeInfo, UINT, LCID, ITypeInfo**)
  ORVO_NOT_USED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
  ORVO_NOT_USED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
  ORVO_NOT_USED(GoBack)
  ORVO_NOT_USED(GoForward)
  ORVO_NOT_USED(GoHome)
  ORVO_NOT_USED(GoSearch)
  ORVO_NOT_USED(Navigate, BSTR, VARIANT*, VARIANT*, VARIANT*, VARIANT*)
  ORVO_NOT_USED(Refresh)
  ORVO_NOT_USED(Refresh2, VARIANT*)
  ORVO_NOT_USED(Stop)
  ORVO_NOT_USED(get_Application, IDispatch**)
  ORVO_NOT_USED(get_Parent, IDispatch**)
  ORVO_NOT_USED(get_Container, IDispatch**)
  ORVO_NOT_USED(get_TopLevelContainer, VARIANT_BOOL*)
  ORVO_NOT_USED(get_Type, BSTR*)
  ORVO_NOT_USED(get_Left, LONG*)
  ORVO_NOT_USED(put_Left, LONG)
  ORVO_NOT_USED(get_Top, LONG*)
  ORVO_NOT_USED(put_Top, LONG)
  ORVO_NOT_USED(get_Width, LONG*)
  ORVO_NOT_USED(put_Width, LONG)
  ORVO_NOT_USED(get_Height, LONG*)
  ORVO_NOT_USED(put_Height, LONG)
  ORVO_NOT_USED(get_LocationName, BSTR*)
  ORVO_NOT_USED(get_LocationURL, BSTR*)
  ORVO_NOT_USED(get_Busy, VARIANT_BOOL*)
  ORVO_NOT_USED(ClientToWindow, int*, int*)
  ORVO_NOT_USED(PutProperty, BSTR, VARIANT)
  ORVO_NOT_USED(GetProperty, BSTR, VARIANT*)
  ORVO_NOT_USED(get_Name, BSTR*)
  ORVO_NOT_USED(get_HWND, SHANDLE_PTR*)
  ORVO_NOT_USED(get_FullName, BSTR*)
  ORVO_NOT_USED(get_Path, BSTR*)
  ORVO_NOT_USED(get_Visible, VARIANT_BOOL*)
  ORVO_NOT_USED(put_Visible, VARIANT_BOOL)
  ORVO_NOT_USED(get_StatusBar, VARIANT_BOOL*)
  ORVO_NOT_USED(put_StatusBar, VARIANT_BOOL)
  ORVO_NOT_USED(get_StatusText, BSTR*)
  ORVO_NOT_USED(put_StatusText, BSTR)
  ORVO_NOT_USED(get_ToolBar, int*)
  ORVO_NOT_USED(put_ToolBar, int)
  ORVO_NOT_USED(put_MenuBar, VARIANT_BOOL)
  ORVO_NOT_USED(get_FullScreen, VARIANT_BOOL*)
  ORVO_NOT_USED(put_FullScreen, VARIANT_BOOL)
  ORVO_NOT_USED(Navigate2, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*)
  ORVO_NOT_USED(QueryStatusWB, OLECMDID, OLECMDF*)
  ORVO_NOT_USED(ExecWB, OLECMDID, OLECMDEXECOPT, VARIANT*, VARIANT*)
  ORVO_NOT_USED(ShowBrowserBar, VARIANT*, VARIANT*, VARIANT*)
  ORVO_NOT_USED(get_ReadyState, READYSTATE*)
  ORVO_NOT_USED(get_Offline, VARIANT_BOOL*)
  ORVO_NOT_USED(put_Offline, VARIANT_BOOL)
  ORVO_NOT_USED(get_Silent, VARIANT_BOOL*)
  ORVO_NOT_USED(put_Silent, VARIANT_BOOL)
  ORVO_NOT_USED(get_RegisterAsBrowser, VARIANT_BOOL*)
  ORVO_NOT_USED(put_RegisterAsBrowser, VARIANT_BOOL)
  ORVO_NOT_USED(get_RegisterAsDropTarget, VARIANT_BOOL*)
  ORVO_NOT_USED(put_RegisterAsDropTarget, VARIANT_BOOL)
  ORVO_NOT_USED(get_TheaterMode, VARIANT_BOOL*)
  ORVO_NOT_USED(put_TheaterMode, VARIANT_BOOL)
  ORVO_NOT_USED(get_AddressBar, VARIANT_BOOL*)
  ORVO_NOT_USED(put_AddressBar, VARIANT_BOOL)
  ORVO_NOT_USED(get_Resizable, VARIANT_BOOL*)
  ORVO_NOT_USED(put_Resizable, VARIANT_BOOL)

 protected:
  HRESULT Answers(REFIID iid) override {
    const bool ours = iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IWebBrowser) ||
                      iid == __uuidof(IWebBrowserApp) || iid == __uuidof(IWebBrowser2);
    return ours ? S_OK : E_NOINTERFACE;
  }
};

class FakeEnumVariant : public FakeUnknown<IEnumVARIANT> {
 public:
  FakeEnumVariant(std::vector<OwnedVariant> items, HRESULT next_result)
      : items_(std::move(items)), next_result_(next_result) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    if (FAILED(next_result_)) return next_result_;
    ULONG given = 0;
    for (; given < count && next_ < items_.size(); ++given) {
      VariantInit(&out[given]);
      VariantCopy(&out[given], const_cast<VARIANT*>(&*items_[next_++]));
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  ORVO_NOT_USED(Skip, ULONG)
  ORVO_NOT_USED(Reset)
  ORVO_NOT_USED(Clone, IEnumVARIANT**)

 private:
  std::vector<OwnedVariant> items_;
  HRESULT next_result_;
  size_t next_ = 0;
};

// The shell's collection of windows.
class FakeShellWindows : public FakeUnknown<IShellWindows> {
 public:
  enum class NewEnum { kEnumerator, kFails, kNotAnEnumerator };

  std::vector<OwnedVariant> items;
  NewEnum new_enum = NewEnum::kEnumerator;
  HRESULT next_result = S_OK;
  HRESULT count_result = S_OK;
  HRESULT item_result = S_OK;

  HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** out) override {
    *out = nullptr;
    switch (new_enum) {
      case NewEnum::kEnumerator:
        *out = new FakeEnumVariant(items, next_result);
        return S_OK;
      case NewEnum::kNotAnEnumerator:
        *out = new FakeThing;
        return S_OK;
      case NewEnum::kFails:
        break;
    }
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    if (FAILED(count_result)) return count_result;
    *count = static_cast<LONG>(items.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** out) override {
    *out = nullptr;
    if (FAILED(item_result)) return item_result;
    if (V_VT(&index) != VT_I4 || V_I4(&index) < 0 ||
        static_cast<size_t>(V_I4(&index)) >= items.size()) {
      return S_FALSE;
    }
    // Like the shell: every window comes back as IDispatch, or not at all.
    const VARIANT& item = *items[V_I4(&index)];
    IUnknown* object = V_VT(&item) == VT_DISPATCH  ? V_DISPATCH(&item)
                       : V_VT(&item) == VT_UNKNOWN ? V_UNKNOWN(&item)
                                                   : nullptr;
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(out)))) return S_FALSE;
    return S_OK;
  }

  ORVO_NOT_USED(GetTypeInfoCount, UINT*)
  ORVO_NOT_USED(GetTypeInfo, UINT, LCID, ITypeInfo**)
  ORVO_NOT_USED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
  ORVO_NOT_USED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
  ORVO_NOT_USED(Register, IDispatch*, LONG, int, LONG*)
  ORVO_NOT_USED(RegisterPending, LONG, VARIANT*, VARIANT*, int, LONG*)
  ORVO_NOT_USED(Revoke, LONG)
  ORVO_NOT_USED(OnNavigate, LONG, VARIANT*)
  ORVO_NOT_USED(OnActivated, LONG, VARIANT_BOOL)
  ORVO_NOT_USED(FindWindowSW, VARIANT*, VARIANT*, int, LONG*, int, IDispatch**)
  ORVO_NOT_USED(OnCreated, LONG, IUnknown*)
  ORVO_NOT_USED(ProcessAttachDetach, VARIANT_BOOL)

 protected:
  HRESULT Answers(REFIID iid) override {
    const bool ours = iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IShellWindows);
    return ours ? S_OK : E_NOINTERFACE;
  }
};

// Hands out `object`, or refuses with `refusal`.
class FakeClassFactory : public FakeUnknown<IClassFactory> {
 public:
  FakeClassFactory(ComPtr<IUnknown> object, HRESULT refusal)
      : object_(std::move(object)), refusal_(refusal) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (FAILED(refusal_)) return refusal_;
    return object_->QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ComPtr<IUnknown> object_;
  HRESULT refusal_;
};

#undef ORVO_NOT_USED

}  // namespace orvo::win32::testing
