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
//   OP:   document, html, parentWindow, opener, Parent, menubar, quit, item
//         (the collection's Item call for the window), all.
//   item=other: the collection lists the page itself, which is no browser.
//
// A line "!shell N" restarts the shell N-1 times: a collection handed out
// before the last restart answers RPC_E_DISCONNECTED, as a proxy to a shell
// that has gone does, until the program creates the collection again.
// A line "!refuse" makes creating the collection fail.
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

// The interfaces as C tables: each object here fills in only the members
// the program calls. The others stay null, so that a call of one faults at
// once instead of going on with a stack that does not fit.
#define CINTERFACE
#include <windows.h>
// After windows.h, which they need.
#include <exdisp.h>
#include <oleauto.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

constexpr GUID kDispHtmlDocument = {
    0x3050F55F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};
constexpr GUID kInternetExplorer = {
    0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// An object behind interface I, reference counted, answering IUnknown and
// `iids`. Its table is `table`.
template <class I>
class Object : public I {
 public:
  using Table = std::remove_const_t<std::remove_pointer_t<decltype(I::lpVtbl)>>;
  Object(const Table& table, std::vector<IID> answered) : iids(std::move(answered)) {
    this->lpVtbl = const_cast<Table*>(&table);
  }
  virtual ~Object() = default;
  // This object as its interface, or as one that its interface extends.
  template <class As>
  As* as() {
    return reinterpret_cast<As*>(static_cast<I*>(this));
  }
  virtual HRESULT Answers(REFIID iid) {
    for (const IID& ours : iids) {
      if (iid == ours) return S_OK;
    }
    return iid == IID_IUnknown ? S_OK : E_NOINTERFACE;
  }
  HRESULT Query(REFIID iid, void** out) {
    const HRESULT hr = Answers(iid);
    refs += hr == S_OK;
    *out = hr == S_OK ? static_cast<I*>(this) : nullptr;
    return hr;
  }
  ULONG Unref() {
    const ULONG left = --refs;
    if (left == 0) delete this;
    return left;
  }

  ULONG refs = 1;
  std::vector<IID> iids;

 protected:
  static HRESULT STDMETHODCALLTYPE QueryInterface(I* face, REFIID iid, void** out) {
    return static_cast<Object*>(face)->Query(iid, out);
  }
  static ULONG STDMETHODCALLTYPE AddRef(I* face) { return ++static_cast<Object*>(face)->refs; }
  static ULONG STDMETHODCALLTYPE Release(I* face) { return static_cast<Object*>(face)->Unref(); }
};
#define ORVO_UNKNOWN .QueryInterface = QueryInterface, .AddRef = AddRef, .Release = Release
struct Drop {
  template <class T>
  void operator()(T* object) const {
    object->Unref();
  }
};
template <class T>
using Owned = std::unique_ptr<T, Drop>;

std::filesystem::path Env(const wchar_t* name) {
  std::wstring value(MAX_PATH * 2, L'\0');
  value.resize(GetEnvironmentVariableW(name, value.data(), MAX_PATH * 2));
  return value;
}

void Log(const std::string& what, const std::string& name, const std::string& detail) {
  static const std::filesystem::path path = Env(L"ORVO_E2E_LOG");
  // Wall-clock milliseconds since 1970, comparable with the test's own clock.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  // Opened per line: a test may read the file while the program runs or after
  // it was killed.
  std::ofstream(path, std::ios::app | std::ios::binary)
      << std::chrono::duration_cast<std::chrono::milliseconds>(now).count() << ' ' << what << ' '
      << name << ' ' << detail << '\n';
}

std::string Outcome(HRESULT hr) { return SUCCEEDED(hr) ? "ok" : "fail"; }

std::string Utf8(const wchar_t* text) {
  std::string out(4 * wcslen(text), '\0');
  out.resize(WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), out.size() + 1, 0, 0) - 1);
  return out;
}

// The scenario's lines that are no comment.
std::vector<std::string> ScenarioLines() {
  std::ifstream in(Env(L"ORVO_E2E_SCENARIO"), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") != std::string::npos && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// One line of the scenario: its name, then its options.
struct Plan {
  std::map<std::string, std::string> options;

  explicit Plan(const std::string& line) {
    std::istringstream words(line);
    words >> options["name"];
    for (std::string word; words >> word;) {
      const size_t eq = word.find('=');
      if (eq != std::string::npos) options[word.substr(0, eq)] = word.substr(eq + 1);
    }
  }
  std::string Get(const std::string& key, const std::string& otherwise = "") const {
    const auto found = options.find(key);
    return found == options.end() ? otherwise : found->second;
  }
  HRESULT Result(const std::string& op) const {
    if (Get("vanish") == "1") return RPC_E_DISCONNECTED;
    const std::string fails = "," + Get("fail") + ",";
    const bool fails_op = fails.find("," + op + ",") != std::string::npos;
    return fails_op || fails.find(",all,") != std::string::npos ? E_FAIL : S_OK;
  }
};

// A late-bound object of a scenario line's window: the browser window itself,
// its page's document or script window (which log the members read from them),
// or the browser application of the "!ie" line (which logs its calls with their
// arguments). Only a browser window answers the browser's interfaces.
class Fake : public Object<IWebBrowser2> {
 public:
  Fake(const Plan& plan, bool browser)
      : Object(kTable, {IID_IDispatch}), plan(plan), name(plan.Get("name")) {
    if (browser) iids.insert(iids.end(), {IID_IWebBrowser, IID_IWebBrowserApp, IID_IWebBrowser2});
  }
  ~Fake() override {
    for (Member& member : members_) VariantClear(&member.value);
  }

  const Plan plan;
  const std::string name;
  bool gone = false;
  // What the HTML-document query answers: S_OK makes this an HTML document.
  HRESULT html = E_NOINTERFACE;
  Owned<Fake> document;

  // The member `member` answers `value` (taken over), or fails as `op` does.
  void Answer(const wchar_t* member, VARIANT value, const std::string& op) {
    members_.push_back({member, value, plan.Result(op)});
  }

  HRESULT Answers(REFIID iid) override {
    if (iid != kDispHtmlDocument) return Object::Answers(iid);
    const bool no = SUCCEEDED(html) || html == E_NOINTERFACE;
    Log("call", name, std::string("html ") + (html == S_OK ? "yes" : no ? "no" : "fail"));
    return html;
  }

 private:
  struct Member {
    std::wstring name;
    VARIANT value;
    HRESULT result;
  };

  static Fake& Of(IWebBrowser2* face) { return *static_cast<Fake*>(face); }
  static HRESULT STDMETHODCALLTYPE GetIDsOfNames(IWebBrowser2* face, REFIID, LPOLESTR* names,
                                                 UINT count, LCID, DISPID* ids) {
    const std::vector<Member>& members = Of(face).members_;
    for (size_t i = 0; count == 1 && i < members.size(); ++i) {
      // Script names do not care about case.
      if (_wcsicmp(members[i].name.c_str(), names[0]) != 0) continue;
      ids[0] = static_cast<DISPID>(i + 1);
      return S_OK;
    }
    return DISP_E_UNKNOWNNAME;
  }
  static HRESULT STDMETHODCALLTYPE Invoke(IWebBrowser2* face, DISPID id, REFIID, LCID, WORD flags,
                                          DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) {
    Fake& self = Of(face);
    if (id < 1 || static_cast<size_t>(id) > self.members_.size()) return DISP_E_MEMBERNOTFOUND;
    Member& member = self.members_[id - 1];
    if (self.name != "!ie") {
      Log("call", self.name, Utf8(member.name.c_str()) + " " + Outcome(member.result));
    } else {
      std::string args;
      for (UINT i = 0; i < params->cArgs; ++i) {
        const VARIANT& v = params->rgvarg[i];
        args += V_VT(&v) == VT_BSTR   ? Utf8(V_BSTR(&v))
                : V_VT(&v) == VT_BOOL ? std::to_string(V_BOOL(&v))
                                      : "vt" + std::to_string(V_VT(&v));
      }
      const bool put = params->cNamedArgs == 1 && *params->rgdispidNamedArgs == DISPID_PROPERTYPUT;
      Log(Utf8(member.name.c_str()), "-", args + " " + std::to_string(flags) + (put ? " put" : ""));
    }
    if (FAILED(member.result)) return member.result;
    return result ? VariantCopy(result, &member.value) : S_OK;
  }
  static HRESULT STDMETHODCALLTYPE GetDocument(IWebBrowser2* face, IDispatch** out) {
    Fake& self = Of(face);
    const HRESULT hr = self.plan.Result("document");
    *out = nullptr;
    if (SUCCEEDED(hr) && self.document) self.document->Query(IID_IDispatch, (void**)out);
    Log("call", self.name, "document " + Outcome(hr));
    return hr;
  }
  static HRESULT STDMETHODCALLTYPE GetMenuBar(IWebBrowser2* face, VARIANT_BOOL* out) {
    Fake& self = Of(face);
    const HRESULT hr = self.plan.Result("menubar");
    if (SUCCEEDED(hr)) *out = self.plan.Get("menubar", "1") == "1" ? VARIANT_TRUE : VARIANT_FALSE;
    Log("call", self.name, "menubar " + Outcome(hr));
    return hr;
  }
  static HRESULT STDMETHODCALLTYPE Quit(IWebBrowser2* face) {
    Fake& self = Of(face);
    const HRESULT hr = self.plan.Result("quit");
    Log("quit", self.name, Outcome(hr));
    self.gone |= SUCCEEDED(hr);
    return hr;
  }
  static constexpr IWebBrowser2Vtbl kTable = {ORVO_UNKNOWN,     .GetIDsOfNames = GetIDsOfNames,
                                              .Invoke = Invoke, .get_Document = GetDocument,
                                              .Quit = Quit,     .get_MenuBar = GetMenuBar};

  std::vector<Member> members_;
};

// A value of KIND. An object kind takes over the reference to `object`, a
// fresh object if none is given; any other kind lets go of it.
VARIANT ValueOf(const std::string& kind, Fake* object = nullptr) {
  // Referred to by every by-reference value: lives as long as the stand-in.
  static IDispatch* slot = (new Fake(Plan(""), false))->as<IDispatch>();
  const bool takes = kind == "object" || kind == "unknown";
  if (takes && !object) object = new Fake(Plan(""), false);
  if (!takes && object) object->Unref();
  VARIANT v{};
  V_I4(&v) = 1;  // what a number holds
  if (kind == "object" || kind == "empty") V_VT(&v) = VT_DISPATCH;
  if (kind == "unknown" || kind == "emptyunknown") V_VT(&v) = VT_UNKNOWN;
  if (V_VT(&v) != VT_EMPTY) V_DISPATCH(&v) = takes ? object->as<IDispatch>() : nullptr;
  if (kind == "null") V_VT(&v) = VT_NULL;
  if (kind == "number") V_VT(&v) = VT_I4;
  if (kind == "string") V_VT(&v) = VT_BSTR, V_BSTR(&v) = SysAllocString(L"about:blank");
  if (kind == "byref") V_VT(&v) = VT_BYREF | VT_DISPATCH, V_DISPATCHREF(&v) = &slot;
  return v;
}

// A browser window, with its page unless it has none.
Fake* Window(const Plan& plan) {
  auto* window = new Fake(plan, true);
  if (plan.Get("doc", "1") != "1") return window;
  auto* script = new Fake(plan, false);
  script->Answer(L"opener", ValueOf(plan.Get("opener", "object")), "opener");
  script->Answer(L"Parent", ValueOf(plan.Get("parent", "object")), "Parent");
  window->document.reset(new Fake(plan, false));
  Fake& page = *window->document;
  const HRESULT html = plan.Get("html", "1") == "1" ? S_OK : E_NOINTERFACE;
  page.html = FAILED(plan.Result("html")) ? plan.Result("html") : html;
  page.Answer(L"parentWindow", ValueOf(plan.Get("window", "object"), script), "parentWindow");
  return window;
}

// What the collection lists for a window: the browser, or for item=other its page.
IDispatch* ItemOf(Fake& window) {
  Fake& item = window.plan.Get("item") == "other" ? *window.document : window;
  ++item.refs;
  return item.as<IDispatch>();
}

// Hands out the windows up to one with next=fail, where the call that
// reaches it fails, with the windows before it filled in.
class Enumerator : public Object<IEnumVARIANT> {
 public:
  explicit Enumerator(const std::vector<Fake*>& windows) : Object(kTable, {IID_IEnumVARIANT}) {
    for (Fake* window : windows) {
      if ((breaks_ = window->plan.Get("next") == "fail")) break;
      items_.push_back({});
      V_VT(&items_.back()) = VT_DISPATCH;
      V_DISPATCH(&items_.back()) = ItemOf(*window);
    }
  }
  ~Enumerator() override {
    for (VARIANT& item : items_) VariantClear(&item);
  }

 private:
  static HRESULT STDMETHODCALLTYPE Next(IEnumVARIANT* face, ULONG count, VARIANT* out,
                                        ULONG* fetched) {
    auto& self = *static_cast<Enumerator*>(face);
    ULONG given = 0;
    for (; given < count && self.next_ < self.items_.size(); ++given) {
      VariantInit(&out[given]);
      VariantCopy(&out[given], &self.items_[self.next_++]);
    }
    const HRESULT hr = given == count ? S_OK : self.breaks_ ? E_FAIL : S_FALSE;
    if (fetched) *fetched = given;
    Log("next", "-", std::to_string(count) + " " + std::to_string(given) + " " + Outcome(hr));
    return hr;
  }
  static constexpr IEnumVARIANTVtbl kTable = {ORVO_UNKNOWN, .Next = Next};

  std::vector<VARIANT> items_;  // owned
  size_t next_ = 0;
  bool breaks_ = false;
};

// The collection: the scenario's windows that have not quit, in file order.
class Collection : public Object<IShellWindows> {
 public:
  Collection() : Object(kTable, {IID_IDispatch, IID_IShellWindows}) {}

  // The program creates the collection (again); false when that fails.
  bool Connect() {
    Refresh();
    if (refused_) return false;
    connected_shell_ = shell_;
    Log("create", "-", std::to_string(shell_));
    return true;
  }

 private:
  static Collection& Of(IShellWindows* face) { return *static_cast<Collection*>(face); }
  static HRESULT STDMETHODCALLTYPE NewEnum(IShellWindows* face, IUnknown** out) {
    Collection& self = Of(face);
    *out = nullptr;
    if (!self.Refresh("enum")) return RPC_E_DISCONNECTED;
    // References to the windows beyond the collection's own: what earlier
    // walks did not let go of.
    ULONG held = 0;
    for (auto& [name, window] : self.windows_) held += window->refs - 1;
    Log("enum", "-", std::to_string(self.listed_.size()) + " " + std::to_string(held));
    if (self.no_enum_) return E_NOTIMPL;
    if (self.bad_enum_) {
      *out = (new Fake(Plan(""), false))->as<IUnknown>();
    } else {
      *out = (new Enumerator(self.listed_))->as<IUnknown>();
    }
    for (auto& [name, window] : self.windows_) window->gone |= window->plan.Get("vanish") == "1";
    return S_OK;
  }
  static HRESULT STDMETHODCALLTYPE GetCount(IShellWindows* face, LONG* count) {
    Collection& self = Of(face);
    if (!self.Refresh("count")) return RPC_E_DISCONNECTED;
    Log("count", "-", std::to_string(self.listed_.size()));
    *count = static_cast<LONG>(self.listed_.size());
    return S_OK;
  }
  static HRESULT STDMETHODCALLTYPE Item(IShellWindows* face, VARIANT index, IDispatch** out) {
    Collection& self = Of(face);
    *out = nullptr;
    if (self.connected_shell_ != self.shell_) return RPC_E_DISCONNECTED;
    // A negative index is out of range too.
    const size_t at = static_cast<size_t>(V_I4(&index));
    if (V_VT(&index) != VT_I4 || at >= self.listed_.size()) return S_FALSE;
    Fake& window = *self.listed_[V_I4(&index)];
    if (FAILED(window.plan.Result("item"))) return window.plan.Result("item");
    *out = ItemOf(window);
    return S_OK;
  }
  static constexpr IShellWindowsVtbl kTable = {ORVO_UNKNOWN, .get_Count = GetCount, .Item = Item,
                                               ._NewEnum = NewEnum};

  // Reads the scenario again (a line that has not changed keeps its window,
  // quit or not); false, logged for `call`, when the shell has restarted
  // since the program created the collection.
  bool Refresh(const std::string& call = "") {
    shell_ = 1;
    no_enum_ = bad_enum_ = refused_ = false;
    std::map<std::string, Owned<Fake>> kept;
    listed_.clear();
    for (const std::string& line : ScenarioLines()) {
      if (line.rfind("!shell ", 0) == 0) shell_ = std::atoi(line.c_str() + 7);
      no_enum_ = no_enum_ || line == "!noenum";
      bad_enum_ = bad_enum_ || line == "!badenum";
      refused_ = refused_ || line == "!refuse";
      if (line[0] == '!') continue;
      const Plan plan(line);
      Owned<Fake>& window = kept[plan.Get("name")];
      auto old = windows_.find(plan.Get("name"));
      if (old != windows_.end() && old->second->plan.options == plan.options) {
        window = std::move(old->second);
      } else {
        window.reset(Window(plan));
      }
      if (!window->gone) listed_.push_back(window.get());
    }
    windows_ = std::move(kept);
    const bool connected = connected_shell_ == shell_;
    if (!connected && !call.empty()) Log(call, "-", "disconnected");
    return connected;
  }

  int shell_ = 1;
  int connected_shell_ = 1;
  bool no_enum_ = false;
  bool bad_enum_ = false;
  bool refused_ = false;
  std::map<std::string, Owned<Fake>> windows_;
  std::vector<Fake*> listed_;
};

// Makes the one collection (connected anew each time), or the browser
// application as the scenario's "!ie" line scripts it.
class Factory : public Object<IClassFactory> {
 public:
  explicit Factory(bool shell) : Object(kTable, {IID_IClassFactory}), shell_(shell) {}

 private:
  static HRESULT STDMETHODCALLTYPE CreateInstance(IClassFactory* face, IUnknown*, REFIID iid,
                                                  void** out) {
    static Collection* const collection = new Collection;
    *out = nullptr;
    if (static_cast<Factory*>(face)->shell_) {
      return collection->Connect() ? collection->Query(iid, out) : CO_E_SERVER_EXEC_FAILURE;
    }
    Plan ie("!ie");
    for (const std::string& line : ScenarioLines()) {
      if (line.rfind("!ie", 0) == 0) ie = Plan(line);
    }
    if (FAILED(ie.Result("create"))) return CO_E_SERVER_EXEC_FAILURE;
    Owned<Fake> app(new Fake(ie, false));
    app->Answer(L"navigate", ValueOf("none"), "navigate");
    app->Answer(L"visible", ValueOf("none"), "visible");
    return app->Query(iid, out);
  }
  static constexpr IClassFactoryVtbl kTable = {ORVO_UNKNOWN, .CreateInstance = CreateInstance};

  bool shell_;
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  *out = nullptr;
  const bool shell = clsid == CLSID_ShellWindows;
  if (!shell && clsid != kInternetExplorer) return CLASS_E_CLASSNOTAVAILABLE;
  if (shell) Log("load", "-", std::to_string(GetCurrentProcessId()));
  Owned<Factory> factory(new Factory(shell));
  return factory->Query(iid, out);
}

// Stays loaded: the collection lives as long as the program.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
