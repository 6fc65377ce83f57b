// A scripted stand-in for the shell's collection of browser windows, loaded
// in-process by the program under test as the class object of ShellWindows.
//
// The windows come from a scenario file (path in ORVO_E2E_SCENARIO), read
// again whenever its text changes. One window a line, '#' starts a comment:
//
//   NAME [html=1|0] [doc=1|0] [opener=KIND] [parent=KIND] [window=KIND]
//   [menubar=1|0]
//        [fail=OP[,OP...]] [vanish=1] [next=fail] [item=other]
//
//   KIND (window: the page's script window, object or unknown for itself):
//         object (default), empty (an empty object reference), null, none
//         (an empty value), number, string, unknown (an object as IUnknown),
//         emptyunknown, byref (an object by reference).
//   OP:   document, html, parentWindow, opener, Parent, menubar, quit, all.
//   item=other: the collection lists the page itself, which is no browser.
//
// A line "!shell N" restarts the shell N-1 times: a collection handed out
// before the last restart answers RPC_E_DISCONNECTED, as a proxy to a shell
// that has gone does, until the program creates the collection again.
//
// A line "!noenum" makes the collection refuse an enumerator, as Wine's own
// does, so that windows are reached by count and index; "!badenum" makes it
// hand out an object that is no enumerator, which comes to the same. A line
// "!ie [fail=OP,...]" scripts InternetExplorer.Application (OP: create,
// navigate, visible), which logs "navigate - URL" and "visible - VALUE".
//
// A window that quits leaves the collection, as a browser window would; it
// comes back only when its line changes. A vanishing window closes right after
// the first enumeration that lists it: every call on it then answers as a
// disconnected object does. The enumerator's call that reaches a window with
// next=fail fails, with the windows before it filled in.
//
// Every call and every Quit is appended to the log (path in ORVO_E2E_LOG) as
// "UNIX_MS WHAT NAME DETAIL"; the first line, "load", gives the program's
// process id. An enumeration logs the number of windows listed and the
// references to them that the program still holds; each call of its
// enumerator, the number of windows asked for and given.

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include <exdisp.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <utility>
#include <vector>

namespace {

using Microsoft::WRL::ComPtr;

constexpr GUID kDispHtmlDocument = {
    0x3050F55F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

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

  const VARIANT& operator*() const { return v_; }

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
  FakeUnknown() = default;
  FakeUnknown(const FakeUnknown&) = delete;
  FakeUnknown& operator=(const FakeUnknown&) = delete;
  virtual ~FakeUnknown() = default;

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
// IDispatch of an object that is only ever called through its own interface.
#define ORVO_DISPATCH_NOT_USED                                         \
  ORVO_NOT_USED(GetTypeInfoCount, UINT*)                               \
  ORVO_NOT_USED(GetTypeInfo, UINT, LCID, ITypeInfo**)                  \
  ORVO_NOT_USED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*) \
  ORVO_NOT_USED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)

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

  // What the HTML-document query answers: S_OK makes this an HTML document.
  HRESULT html = E_NOINTERFACE;
  std::vector<Member> members;

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
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (id < 1 || static_cast<size_t>(id) > members.size()) return DISP_E_MEMBERNOTFOUND;
    const Member& member = members[id - 1];
    if (FAILED(member.call)) return member.call;
    return result ? VariantCopy(result, const_cast<VARIANT*>(&*member.value)) : S_OK;
  }

 protected:
  HRESULT Answers(REFIID iid) override {
    if (iid == kDispHtmlDocument) return html;
    return iid == IID_IUnknown || iid == IID_IDispatch ? S_OK : E_NOINTERFACE;
  }
};

// The browser's interface, for the calls the program does not make.
class FakeBrowser : public FakeUnknown<IWebBrowser2> {
 public:
  ORVO_DISPATCH_NOT_USED
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

// The shell's collection of windows.
class FakeShellWindows : public FakeUnknown<IShellWindows> {
 public:
  ORVO_DISPATCH_NOT_USED
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

std::wstring Env(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2];
  const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  return n > 0 && n < MAX_PATH * 2 ? std::wstring(value, n) : std::wstring();
}

// Wall-clock milliseconds since 1970, comparable with the test's own clock.
long long UnixMs() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER t;
  t.LowPart = now.dwLowDateTime;
  t.HighPart = now.dwHighDateTime;
  return static_cast<long long>((t.QuadPart - 116444736000000000ULL) / 10000);
}

void Log(const std::string& what, const std::string& name, const std::string& detail) {
  static const std::wstring path = Env(L"ORVO_E2E_LOG");
  if (path.empty()) return;
  // Opened per line: a test may read the file while the program runs or after
  // it was killed.
  if (FILE* f = _wfopen(path.c_str(), L"ab")) {
    std::fprintf(f, "%lld %s %s %s\n", UnixMs(), what.c_str(), name.c_str(), detail.c_str());
    std::fclose(f);
  }
}

std::string ScenarioText() {
  std::string text;
  if (FILE* f = _wfopen(Env(L"ORVO_E2E_SCENARIO").c_str(), L"rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

std::string Outcome(HRESULT hr) { return SUCCEEDED(hr) ? "ok" : "fail"; }

struct WindowPlan {
  std::string name;
  bool html = true;
  bool has_document = true;
  std::string opener = "object";
  std::string parent = "object";
  std::string window = "object";
  bool menu_bar = true;
  bool vanishes = false;
  bool breaks_enumeration = false;
  bool listed_as_other = false;
  std::set<std::string> fails;

  HRESULT Result(const std::string& op) const {
    if (vanishes) return RPC_E_DISCONNECTED;
    return fails.count(op) || fails.count("all") ? E_FAIL : S_OK;
  }
};

WindowPlan ParseLine(const std::string& line) {
  std::istringstream words(line);
  WindowPlan plan;
  words >> plan.name;
  std::string word;
  while (words >> word) {
    const size_t eq = word.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = word.substr(0, eq), value = word.substr(eq + 1);
    if (key == "html") plan.html = value == "1";
    if (key == "doc") plan.has_document = value == "1";
    if (key == "opener") plan.opener = value;
    if (key == "parent") plan.parent = value;
    if (key == "window") plan.window = value;
    if (key == "menubar") plan.menu_bar = value == "1";
    if (key == "vanish") plan.vanishes = value == "1";
    if (key == "next") plan.breaks_enumeration = value == "fail";
    if (key == "item") plan.listed_as_other = value == "other";
    if (key == "fail") {
      std::istringstream ops(value);
      std::string op;
      while (std::getline(ops, op, ',')) plan.fails.insert(op);
    }
  }
  return plan;
}

// A value of type `vt`: the copy takes its own reference to `object`.
OwnedVariant Value(VARTYPE vt, IUnknown* object = nullptr) {
  static BSTR blank = SysAllocString(L"about:blank");
  // Referred to by every by-reference value: lives as long as the stand-in.
  static IDispatch* slot = MakeFake<FakeDispatch>().Detach();
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = vt;
  if (vt == VT_DISPATCH) V_DISPATCH(&v) = static_cast<IDispatch*>(object);
  if (vt == VT_UNKNOWN) V_UNKNOWN(&v) = object;
  if (vt == VT_I4) V_I4(&v) = 1;
  if (vt == VT_BSTR) V_BSTR(&v) = blank;
  if (vt == (VT_BYREF | VT_DISPATCH)) V_DISPATCHREF(&v) = &slot;
  return OwnedVariant(v);
}

OwnedVariant ValueOf(const std::string& kind, IDispatch* object = MakeFake<FakeDispatch>().Get()) {
  if (kind == "object") return Value(VT_DISPATCH, object);
  if (kind == "empty") return Value(VT_DISPATCH);
  if (kind == "null") return Value(VT_NULL);
  if (kind == "number") return Value(VT_I4);
  if (kind == "string") return Value(VT_BSTR);
  if (kind == "unknown") return Value(VT_UNKNOWN, object);
  if (kind == "emptyunknown") return Value(VT_UNKNOWN);
  if (kind == "byref") return Value(VT_BYREF | VT_DISPATCH);
  return OwnedVariant();
}

// A document or script window that logs the members read from it.
class LoggedDispatch : public FakeDispatch {
 public:
  explicit LoggedDispatch(std::string owner) : owner_(std::move(owner)) {}

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* arg) override {
    const HRESULT hr = FakeDispatch::Invoke(id, iid, lcid, flags, params, result, info, arg);
    const bool known = id >= 1 && static_cast<size_t>(id) <= members.size();
    const std::wstring& member = known ? members[id - 1].name : L"?";
    Log("call", owner_, std::string(member.begin(), member.end()) + " " + Outcome(hr));
    return hr;
  }

 protected:
  HRESULT Answers(REFIID iid) override {
    const HRESULT hr = FakeDispatch::Answers(iid);
    if (iid == kDispHtmlDocument) {
      Log("call", owner_,
          std::string("html ") + (hr == S_OK                             ? "yes"
                                  : SUCCEEDED(hr) || hr == E_NOINTERFACE ? "no"
                                                                         : "fail"));
    }
    return hr;
  }

 private:
  std::string owner_;
};

class LoggedBrowser : public FakeBrowser {
 public:
  explicit LoggedBrowser(const WindowPlan& plan) : plan_(plan) {
    auto fail = [&](const char* op) { return plan.Result(op); };
    if (!plan.has_document) return;
    auto script_window = MakeFake<LoggedDispatch>(plan.name);
    script_window->Answer(L"opener", ValueOf(plan.opener), S_OK, fail("opener"));
    script_window->Answer(L"Parent", ValueOf(plan.parent), S_OK, fail("Parent"));
    auto page = MakeFake<LoggedDispatch>(plan.name);
    page->html = FAILED(fail("html")) ? fail("html") : plan.html ? S_OK : E_NOINTERFACE;
    page->Answer(L"parentWindow", ValueOf(plan.window, script_window.Get()), S_OK,
                 fail("parentWindow"));
    document_ = page;
  }

  bool gone = false;
  const WindowPlan& plan() const { return plan_; }
  // What the collection lists for this window.
  IUnknown* item() {
    return plan_.listed_as_other ? document_.Get() : static_cast<IWebBrowser2*>(this);
  }

  // Called when an enumeration lists this window.
  void Listed() {
    if (plan_.vanishes) gone = true;
  }

  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** out) override {
    *out = nullptr;
    const HRESULT hr = plan_.Result("document");
    if (SUCCEEDED(hr) && document_) document_.CopyTo(out);
    Log("call", plan_.name, "document " + Outcome(hr));
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* out) override {
    const HRESULT hr = plan_.Result("menubar");
    if (SUCCEEDED(hr)) *out = plan_.menu_bar ? VARIANT_TRUE : VARIANT_FALSE;
    Log("call", plan_.name, "menubar " + Outcome(hr));
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Quit() override {
    const HRESULT hr = plan_.Result("quit");
    Log("quit", plan_.name, Outcome(hr));
    if (SUCCEEDED(hr)) gone = true;
    return hr;
  }

 private:
  WindowPlan plan_;
  ComPtr<IDispatch> document_;
};

// Lists the windows up to one that breaks the enumeration, where the call
// that reaches it fails.
class LoggedEnum : public FakeUnknown<IEnumVARIANT> {
 public:
  LoggedEnum(std::vector<OwnedVariant> items, bool breaks)
      : items_(std::move(items)), breaks_(breaks) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    ULONG given = 0;
    for (; given < count && next_ < items_.size(); ++given) {
      VariantInit(&out[given]);
      VariantCopy(&out[given], const_cast<VARIANT*>(&*items_[next_++]));
    }
    const HRESULT hr = given == count ? S_OK : breaks_ ? E_FAIL : S_FALSE;
    if (fetched) *fetched = given;
    Log("next", "-", std::to_string(count) + " " + std::to_string(given) + " " + Outcome(hr));
    return hr;
  }
  ORVO_NOT_USED(Skip, ULONG)
  ORVO_NOT_USED(Reset)
  ORVO_NOT_USED(Clone, IEnumVARIANT**)

 private:
  std::vector<OwnedVariant> items_;
  size_t next_ = 0;
  bool breaks_;
};

// The collection: the scenario's windows that have not quit, in file order.
class ScriptedShellWindows : public FakeShellWindows {
 public:
  // The program has created the collection (again).
  void Connect() {
    Refresh();
    connected_shell_ = shell_;
    Log("create", "-", std::to_string(shell_));
  }

  HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** out) override {
    Refresh();
    if (connected_shell_ != shell_) {
      *out = nullptr;
      Log("enum", "-", "disconnected");
      return RPC_E_DISCONNECTED;
    }
    Log("enum", "-", std::to_string(items.size()) + " " + std::to_string(Held()));
    if (no_enum_) {
      *out = nullptr;
      return E_NOTIMPL;
    }
    if (bad_enum_) {
      *out = MakeFake<FakeDispatch>().Detach();
      return S_OK;
    }
    const auto end = items.begin() + static_cast<std::ptrdiff_t>(breaks_at_);
    *out = new LoggedEnum(std::vector<OwnedVariant>(items.begin(), end), breaks_at_ < items.size());
    for (const std::string& name : order_) windows_[name].browser->Listed();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    Refresh();
    if (connected_shell_ != shell_) {
      Log("count", "-", "disconnected");
      return RPC_E_DISCONNECTED;
    }
    Log("count", "-", std::to_string(items.size()));
    *count = static_cast<LONG>(items.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** out) override {
    *out = nullptr;
    if (connected_shell_ != shell_) return RPC_E_DISCONNECTED;
    if (V_VT(&index) != VT_I4 || V_I4(&index) < 0 ||
        static_cast<size_t>(V_I4(&index)) >= items.size()) {
      return S_FALSE;
    }
    return V_DISPATCH(&*items[V_I4(&index)])->QueryInterface(IID_PPV_ARGS(out));
  }

 private:
  struct Entry {
    std::string line;
    ComPtr<LoggedBrowser> browser;
  };

  void Refresh() {
    const std::string text = ScenarioText();
    if (text != text_) Reload(text);
    items.clear();
    breaks_at_ = SIZE_MAX;
    for (const std::string& name : order_) {
      const Entry& entry = windows_[name];
      if (entry.browser->gone) continue;
      if (entry.browser->plan().breaks_enumeration) breaks_at_ = std::min(breaks_at_, items.size());
      items.push_back(Value(VT_DISPATCH, entry.browser->item()));
    }
    breaks_at_ = std::min(breaks_at_, items.size());
  }

  // References to the windows beyond the collection's own (its entry, and its
  // list while the window is open): what earlier walks did not let go of.
  long Held() {
    long held = 0;
    for (auto& [name, entry] : windows_) {
      entry.browser->AddRef();
      held += static_cast<long>(entry.browser->Release()) -
              (entry.browser->gone || entry.browser->plan().listed_as_other ? 1 : 2);
    }
    return held;
  }

  void Reload(const std::string& text) {
    text_ = text;
    shell_ = 1;
    no_enum_ = false;
    bad_enum_ = false;
    std::map<std::string, Entry> kept;
    order_.clear();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
      if (line.rfind("!shell ", 0) == 0) {
        shell_ = std::atoi(line.c_str() + 7);
        continue;
      }
      no_enum_ = no_enum_ || line == "!noenum";
      bad_enum_ = bad_enum_ || line == "!badenum";
      if (line[0] == '!') continue;
      const WindowPlan plan = ParseLine(line);
      auto old = windows_.find(plan.name);
      // An unchanged line keeps its window, quit or not.
      if (old != windows_.end() && old->second.line == line) {
        kept[plan.name] = old->second;
      } else {
        kept[plan.name] = Entry{line, MakeFake<LoggedBrowser>(plan)};
      }
      order_.push_back(plan.name);
    }
    windows_ = std::move(kept);
  }

  std::string text_ = "\x01";  // never a file's text: the first refresh loads
  int shell_ = 1;
  bool no_enum_ = false;
  bool bad_enum_ = false;
  int connected_shell_ = 1;
  size_t breaks_at_ = 0;  // in items
  std::vector<OwnedVariant> items;
  std::map<std::string, Entry> windows_;
  std::vector<std::string> order_;
};

// One collection, connected anew each time the program creates it.
class ConnectingFactory : public FakeUnknown<IClassFactory> {
 public:
  explicit ConnectingFactory(ComPtr<ScriptedShellWindows> collection)
      : collection_(std::move(collection)) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    const HRESULT hr = collection_->QueryInterface(iid, out);
    if (SUCCEEDED(hr)) collection_->Connect();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ComPtr<ScriptedShellWindows> collection_;
};

// The "!ie" line of the scenario, read when the program creates the browser.
WindowPlan BrowserPlan() {
  const std::string text = ScenarioText();
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.rfind("!ie", 0) == 0) return ParseLine(line);
  }
  return WindowPlan{};
}

std::string Utf8(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  return out;
}

// InternetExplorer.Application: logs how the web-site command drives it.
class ScriptedBrowserApp : public FakeDispatch {
 public:
  explicit ScriptedBrowserApp(const WindowPlan& plan) {
    Answer(L"Navigate", OwnedVariant(), S_OK, plan.Result("navigate"));
    Answer(L"Visible", OwnedVariant(), S_OK, plan.Result("visible"));
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* info, UINT* arg) override {
    std::string args;
    for (UINT i = 0; params && i < params->cArgs; ++i) {
      const VARIANT& v = params->rgvarg[i];
      args += V_VT(&v) == VT_BSTR   ? Utf8(V_BSTR(&v))
              : V_VT(&v) == VT_BOOL ? std::to_string(V_BOOL(&v))
                                    : "vt" + std::to_string(V_VT(&v));
    }
    const bool put =
        params && params->cNamedArgs == 1 && *params->rgdispidNamedArgs == DISPID_PROPERTYPUT;
    Log(id == 1 ? "navigate" : "visible", "-",
        args + " " + std::to_string(flags) + (put ? " put" : ""));
    return FakeDispatch::Invoke(id, iid, lcid, flags, params, result, info, arg);
  }
};

// The browser class answers a fresh scripted object each time, or refuses.
class BrowserFactory : public FakeUnknown<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID iid, void** out) override {
    *out = nullptr;
    const WindowPlan plan = BrowserPlan();
    if (FAILED(plan.Result("create"))) return CO_E_SERVER_EXEC_FAILURE;
    return MakeFake<ScriptedBrowserApp>(plan)->QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

constexpr GUID kInternetExplorer = {
    0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  *out = nullptr;
  if (clsid == kInternetExplorer) return MakeFake<BrowserFactory>()->QueryInterface(iid, out);
  if (clsid != CLSID_ShellWindows) return CLASS_E_CLASSNOTAVAILABLE;
  Log("load", "-", std::to_string(GetCurrentProcessId()));
  auto factory = MakeFake<ConnectingFactory>(MakeFake<ScriptedShellWindows>());
  return factory->QueryInterface(iid, out);
}

// Stays loaded: the collection lives as long as the program.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
