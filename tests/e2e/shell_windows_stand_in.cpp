// A scripted stand-in for the shell's collection of browser windows and for
// the browser, ShellWindows and InternetExplorer.Application. The end-to-end
// run serves both from a process of their own (orvo_e2e_stand_in.exe, a local
// server, as Explorer and Internet Explorer are on a desktop), to every
// program at once.
//
// Each program has a scenario file, read again whenever its text changes, and
// a log, beside the program's folder: DIR\orvo_autoclose.exe has
// DIR.windows.txt and DIR.calls.log. One window a line, '#' starts a comment:
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
//
// A line "!noenum" makes the collection refuse an enumerator, as Wine's own
// does, so that windows are reached by count and index; "!badenum" makes it
// hand out an object that is no enumerator, which comes to the same. A line
// "!ie [fail=OP,...]" scripts InternetExplorer.Application (OP: navigate,
// visible), which logs "navigate - URL" and "visible - VALUE".
//
// A window that quits leaves the collection, as a browser window would; it
// comes back only when its line changes. A vanishing window closes right after
// the first enumeration that lists it: every call on it then answers as a
// disconnected object does. The enumerator's call that reaches a window with
// next=fail fails, with the windows before it filled in.
//
// Every call and every Quit is appended to the log as "UNIX_MS WHAT NAME
// DETAIL". Each activation logs "load shell|browser PROGRAM STAND_IN": the
// process ids of the program and of the process that serves it. An
// enumeration logs the number of windows listed and the references the
// program holds on windows, documents and script windows (every reference
// but the collection's own); each call of its enumerator, the number of
// windows asked for and given. "held - N" is logged whenever that number of
// references leaves 0 or comes back to it.

// The interfaces as C tables: each object here fills in only the members
// the program calls. The others stay null, so that a call of one faults at
// once instead of going on with a stack that does not fit.
#define CINTERFACE
#include <windows.h>
// After windows.h, which they need.
#include <exdisp.h>
#include <oleauto.h>
#include <rpcdcep.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

constexpr GUID kDispHtmlDocument = {
    0x3050F55F, 0x98B5, 0x11CF, {0xBB, 0x82, 0x00, 0xAA, 0x00, 0xBD, 0xCE, 0x0B}};

// One program's scenario and log, and its process id.
struct Site {
  std::filesystem::path scenario, log;
  DWORD program = 0;
  mutable long held = 0;  // references the program holds, see above
};

void Log(const Site& site, const std::string& what, const std::string& name,
         const std::string& detail) {
  // Wall-clock milliseconds since 1970, comparable with the test's own clock.
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  // Opened per line: a test may read the file while the program runs or after
  // it was killed.
  std::ofstream(site.log, std::ios::app | std::ios::binary)
      << std::chrono::duration_cast<std::chrono::milliseconds>(now).count() << ' ' << what << ' '
      << name << ' ' << detail << '\n';
}

// COM calls the server's objects on threads of its own, for several programs
// at once: one call at a time (a thread may enter again, as a call makes
// calls of its own).
struct CallLock {
  CallLock() { InitializeCriticalSection(&section); }
  CRITICAL_SECTION section;
} calls;
struct OneAtATime {
  OneAtATime() { EnterCriticalSection(&calls.section); }
  ~OneAtATime() { LeaveCriticalSection(&calls.section); }
};

// The table entry that calls `method` of the object behind interface I.
template <class I, auto method>
struct Thunk;
template <class I, class Self, class R, class... Args, R (Self::*method)(Args...)>
struct Thunk<I, method> {
  static R STDMETHODCALLTYPE Call(I* face, Args... args) {
    const OneAtATime one_at_a_time;
    return (static_cast<Self*>(face)->*method)(args...);
  }
};

// An object behind interface I, with its table; it answers IUnknown and `iids`.
template <class I>
class Object : public I {
 public:
  Object(decltype(I::lpVtbl) table, std::vector<IID> iids) : iids(std::move(iids)) {
    this->lpVtbl = table;
  }
  virtual ~Object() = default;

  // This object as its interface, which also serves as any that it extends.
  IUnknown* face() { return reinterpret_cast<IUnknown*>(static_cast<I*>(this)); }
  virtual HRESULT Answers(REFIID iid) {
    const bool ours = std::find(iids.begin(), iids.end(), iid) != iids.end();
    return ours || iid == IID_IUnknown ? S_OK : E_NOINTERFACE;
  }
  HRESULT QueryInterface(REFIID iid, void** out) {
    const HRESULT hr = Answers(iid);
    if (hr == S_OK) AddRef();
    *out = hr == S_OK ? face() : nullptr;
    return hr;
  }
  ULONG AddRef() { return Hold(1), ++refs; }
  ULONG Release() {
    if (Hold(-1), --refs > 0) return refs;
    delete this;
    return 0;
  }
  // Counts `change` references for the program whose object this is; logs
  // when its count leaves 0 or comes back to it.
  void Hold(long change) {
    if (holder && ((holder->held += change) == 0 || holder->held == change))
      Log(*holder, "held", "-", std::to_string(holder->held));
  }

  ULONG refs = 1;
  std::vector<IID> iids;
  const Site* holder = nullptr;

 protected:
  template <auto method>
  static constexpr auto Call = Thunk<I, method>::Call;
};
// A table's entry for the member function of the same name.
#define ORVO_CALL(Class, member) .member = Call<&Class::member>
#define ORVO_UNKNOWN \
  ORVO_CALL(Object, QueryInterface), ORVO_CALL(Object, AddRef), ORVO_CALL(Object, Release)
// A table with IUnknown's members and `...`.
#define ORVO_TABLE(...) \
  { ORVO_UNKNOWN, __VA_ARGS__ }

// The program that makes the current call, whose files lie beside its folder.
const Site& Caller() {
  static std::map<DWORD, Site> sites;
  ULONG caller = 0;
  I_RpcBindingInqLocalClientPID(nullptr, &caller);
  const auto [at, fresh] = sites.try_emplace(caller, Site{{}, {}, caller});
  std::wstring exe(MAX_PATH * 2, L'\0');
  DWORD size = MAX_PATH * 2;
  const HANDLE process =
      fresh ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, caller) : nullptr;
  if (process && QueryFullProcessImageNameW(process, 0, exe.data(), &size)) {
    const std::wstring folder = std::filesystem::path(exe.substr(0, size)).parent_path().native();
    at->second.scenario = folder + L".windows.txt", at->second.log = folder + L".calls.log";
  }
  if (process) CloseHandle(process);
  return at->second;
}

std::string Utf8(const wchar_t* text) {
  const std::u8string utf8 = std::filesystem::path(text).u8string();
  return {utf8.begin(), utf8.end()};
}

std::string Outcome(HRESULT hr) { return SUCCEEDED(hr) ? "ok" : "fail"; }

// The scenario's lines that are no comment.
std::vector<std::string> ScenarioLines(const Site& site) {
  std::ifstream in(site.scenario, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (line.find_first_not_of(" \t") != std::string::npos && line[0] != '#') lines.push_back(line);
  }
  return lines;
}

// One line of a program's scenario: a name, then options KEY=VALUE.
struct Plan {
  std::string line;
  const Site* site;

  std::string Get(const std::string& key, const std::string& otherwise = "") const {
    if (key == "name") return line.substr(0, line.find(' '));
    const size_t at = line.find(" " + key + "=");
    const size_t from = at + key.size() + 2;
    return at == std::string::npos ? otherwise : line.substr(from, line.find(' ', from) - from);
  }
  HRESULT Result(const std::string& op) const {
    if (Get("vanish") == "1") return RPC_E_DISCONNECTED;
    const std::string fails = "," + Get("fail") + ",";
    const bool all = fails.find(",all,") != std::string::npos;
    return all || fails.find("," + op + ",") != std::string::npos ? E_FAIL : S_OK;
  }
};

// The late-bound members, the kind of object each belongs to (see Fake::role),
// and the scenario option that gives its value.
const wchar_t* const kMembers[] = {L"parentWindow", L"opener", L"Parent", L"navigate", L"visible"};
const char kOwners[] = "dssaa";
const char* const kOptions[] = {"window", "opener", "parent"};

// An object of a scenario line: the browser window ('b'), its page's
// document ('d') or script window ('s'), the browser application of the "!ie"
// line ('a'), or any other object ('-'). Documents and script windows log the
// members read from them, the application its calls with their arguments.
class Fake : public Object<IWebBrowser2> {
 public:
  // Made for the program, or else `kept` by the collection, whose own
  // reference is none of the program's. The browser application is no
  // window of the desktop.
  Fake(const Plan& plan, char role, bool kept = false)
      : Object(&kTable, {IID_IDispatch}), plan(plan), role(role) {
    if (role == 'b') iids.push_back(IID_IWebBrowser2);
    holder = role == 'a' ? nullptr : plan.site;
    if (!kept) Hold(1);
  }

  const Plan plan;
  const char role;
  bool gone = false;

  // A value of KIND. Its object is `object`, whose reference it takes over, or
  // else a new one of `role` for the scenario line `plan`.
  static VARIANT ValueOf(std::string kind, const Plan& plan, char role, Fake* object = nullptr) {
    // Referred to by every by-reference value: lives as long as the stand-in.
    static const Site nowhere;
    static IUnknown* slot = (new Fake(Plan{"", &nowhere}, '-'))->face();
    VARIANT v{};
    if (kind == "object" || kind == "empty") V_VT(&v) = VT_DISPATCH;
    if (kind == "unknown" || kind == "emptyunknown") V_VT(&v) = VT_UNKNOWN;
    if (kind == "object" || kind == "unknown")
      V_UNKNOWN(&v) = (object ? object : new Fake(plan, role))->face();
    if (kind == "null") V_VT(&v) = VT_NULL;
    if (kind == "number") V_VT(&v) = VT_I4, V_I4(&v) = 1;
    if (kind == "string") V_VT(&v) = VT_BSTR, V_BSTR(&v) = SysAllocString(L"about:blank");
    if (kind == "byref") V_VT(&v) = VT_BYREF | VT_DISPATCH, V_BYREF(&v) = &slot;
    return v;
  }

  HRESULT Answers(REFIID iid) override {
    if (iid != kDispHtmlDocument || role != 'd') return Object::Answers(iid);
    const HRESULT failed = plan.Result("html");
    const bool html = plan.Get("html", "1") == "1";
    Log(*plan.site, "call", plan.Get("name"),
        FAILED(failed) ? "html fail"
        : html         ? "html yes"
                       : "html no");
    return FAILED(failed) ? failed : html ? S_OK : E_NOINTERFACE;
  }

 private:
  HRESULT GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) {
    // Script names do not care about case.
    for (ids[0] = 1; ids[0] <= 5; ++ids[0])
      if (kOwners[ids[0] - 1] == role && _wcsicmp(kMembers[ids[0] - 1], names[0]) == 0) return S_OK;
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                 EXCEPINFO*, UINT*) {
    if (id < 1 || id > 5 || kOwners[id - 1] != role) return DISP_E_MEMBERNOTFOUND;
    const std::string member = Utf8(kMembers[id - 1]);
    if (role != 'a') {
      const HRESULT hr = Called(member);
      if (SUCCEEDED(hr) && result)
        *result = ValueOf(plan.Get(kOptions[id - 1], "object"), plan, id == 1 ? 's' : '-');
      return hr;
    }
    std::string args;
    for (UINT i = 0; i < params->cArgs; ++i) {
      const VARIANT& v = params->rgvarg[i];
      args += V_VT(&v) == VT_BSTR   ? Utf8(V_BSTR(&v))
              : V_VT(&v) == VT_BOOL ? std::to_string(V_BOOL(&v))
                                    : "vt" + std::to_string(V_VT(&v));
    }
    const bool put = params->cNamedArgs == 1 && *params->rgdispidNamedArgs == DISPID_PROPERTYPUT;
    Log(*plan.site, member, "-", args + " " + std::to_string(flags) + (put ? " put" : ""));
    return plan.Result(member);
  }
  // What the call `op` answers, logged.
  HRESULT Called(const std::string& op) {
    const bool quit = op == "quit";
    Log(*plan.site, quit ? "quit" : "call", plan.Get("name"),
        (quit ? "" : op + " ") + Outcome(plan.Result(op)));
    return plan.Result(op);
  }
  HRESULT get_Document(IDispatch** out) {
    const bool has = SUCCEEDED(plan.Result("document")) && plan.Get("doc", "1") == "1";
    *out = has ? reinterpret_cast<IDispatch*>((new Fake(plan, 'd'))->face()) : nullptr;
    return Called("document");
  }
  HRESULT get_MenuBar(VARIANT_BOOL* out) {
    *out = plan.Get("menubar", "1") == "1" ? VARIANT_TRUE : VARIANT_FALSE;
    return Called("menubar");
  }
  HRESULT Quit() {
    gone |= SUCCEEDED(plan.Result("quit"));
    return Called("quit");
  }
  static inline IWebBrowser2Vtbl kTable = ORVO_TABLE(
      ORVO_CALL(Fake, GetIDsOfNames), ORVO_CALL(Fake, Invoke), ORVO_CALL(Fake, get_Document),
      ORVO_CALL(Fake, Quit), ORVO_CALL(Fake, get_MenuBar));
};

// What the collection lists for a window: the browser, or for item=other its page.
VARIANT ItemOf(Fake& window) {
  if (window.plan.Get("item") == "other") return Fake::ValueOf("object", window.plan, 'd');
  window.AddRef();
  return Fake::ValueOf("object", window.plan, 'b', &window);
}

// Hands out the windows up to one with next=fail, where the call that
// reaches it fails, with the windows before it filled in.
class Enumerator : public Object<IEnumVARIANT> {
 public:
  Enumerator(const Site& site, const std::vector<Fake*>& windows)
      : Object(&kTable, {IID_IEnumVARIANT}), site_(site) {
    for (Fake* window : windows) {
      if ((breaks_ = window->plan.Get("next") == "fail")) break;
      items_.push_back(ItemOf(*window));
    }
  }
  ~Enumerator() override {
    for (VARIANT& item : items_) VariantClear(&item);
  }

 private:
  HRESULT Next(ULONG count, VARIANT* out, ULONG* fetched) {
    ULONG given = 0;
    for (; given < count && next_ < items_.size(); ++given)
      VariantCopy(&(out[given] = VARIANT{}), &items_[next_++]);
    const HRESULT hr = given == count ? S_OK : breaks_ ? E_FAIL : S_FALSE;
    if (fetched) *fetched = given;
    Log(site_, "next", "-",
        std::to_string(count) + " " + std::to_string(given) + " " + Outcome(hr));
    return hr;
  }
  static inline IEnumVARIANTVtbl kTable = ORVO_TABLE(ORVO_CALL(Enumerator, Next));

  const Site& site_;
  std::vector<VARIANT> items_;  // owned
  size_t next_ = 0;
  bool breaks_ = false;
};

// The collection: the scenario's windows that have not quit, in file order.
class Collection : public Object<IShellWindows> {
 public:
  explicit Collection(const Site& site)
      : Object(&kTable, {IID_IDispatch, IID_IShellWindows}), site_(site) {}

  // Reads the scenario again (a line that has not changed keeps its window,
  // quit or not); false, logged for `call`, when the shell has restarted
  // since the program created the collection.
  bool Refresh(const std::string& call) {
    std::map<std::string, Fake*> kept;
    listed_.clear();
    commands_ = "\n";
    shell_ = 1;
    for (const std::string& line : ScenarioLines(site_)) {
      if (line.rfind("!shell ", 0) == 0) shell_ = std::stoi(line.substr(7));
      if (line[0] == '!') {
        commands_ += line + "\n";
        continue;
      }
      const Plan plan{line, &site_};
      Fake*& window = kept[plan.Get("name")];
      const auto old = windows_.find(plan.Get("name"));
      if (old != windows_.end() && old->second->plan.line == line) std::swap(window, old->second);
      if (!window) window = new Fake(plan, 'b', true);
      if (!window->gone) listed_.push_back(window);
    }
    for (auto& entry : windows_)
      if (entry.second && --entry.second->refs == 0) delete entry.second;
    windows_ = std::move(kept);
    if (call == "create") connected_shell_ = shell_;
    if (connected_shell_ != shell_) Log(site_, call, "-", "disconnected");
    if (call == "create") Log(site_, call, "-", std::to_string(shell_));
    return connected_shell_ == shell_;
  }

  bool Says(const std::string& line) {
    return commands_.find("\n" + line + "\n") != std::string::npos;
  }

 private:
  HRESULT _NewEnum(IUnknown** out) {
    *out = nullptr;
    if (!Refresh("enum")) return RPC_E_DISCONNECTED;
    // What earlier walks did not let go of.
    Log(site_, "enum", "-", std::to_string(listed_.size()) + " " + std::to_string(site_.held));
    if (Says("!noenum")) return E_NOTIMPL;
    *out = Says("!badenum") ? (new Fake(Plan{"", &site_}, '-'))->face()
                            : (new Enumerator(site_, listed_))->face();
    for (auto& [name, window] : windows_) window->gone |= window->plan.Get("vanish") == "1";
    return S_OK;
  }
  HRESULT get_Count(LONG* count) {
    if (!Refresh("count")) return RPC_E_DISCONNECTED;
    Log(site_, "count", "-", std::to_string(listed_.size()));
    *count = static_cast<LONG>(listed_.size());
    return S_OK;
  }
  HRESULT Item(VARIANT index, IDispatch** out) {
    *out = nullptr;
    if (connected_shell_ != shell_) return RPC_E_DISCONNECTED;
    // A negative index is out of range too.
    const size_t at = static_cast<size_t>(V_I4(&index));
    if (V_VT(&index) != VT_I4 || at >= listed_.size()) return S_FALSE;
    if (const HRESULT hr = listed_[at]->plan.Result("item"); FAILED(hr)) return hr;
    VARIANT item = ItemOf(*listed_[at]);
    *out = V_DISPATCH(&item);
    return S_OK;
  }
  static inline IShellWindowsVtbl kTable =
      ORVO_TABLE(ORVO_CALL(Collection, get_Count), ORVO_CALL(Collection, Item),
                 ORVO_CALL(Collection, _NewEnum));

  const Site& site_;
  int shell_ = 1, connected_shell_ = 1;
  std::string commands_;  // the lines that begin with '!', each after a line break
  std::map<std::string, Fake*> windows_;
  std::vector<Fake*> listed_;
};

// Makes each program's one collection (connected anew each time), or the
// browser application as the program's "!ie" line scripts it.
class Factory : public Object<IClassFactory> {
 public:
  explicit Factory(bool shell) : Object(&kTable, {IID_IClassFactory}), shell_(shell) {}

  // The factory of ShellWindows or else of the browser; each lives as long as
  // the process.
  static Factory& Of(bool shell) {
    static Factory* const factories[] = {new Factory(false), new Factory(true)};
    return *factories[shell];
  }

 private:
  HRESULT CreateInstance(IUnknown*, REFIID iid, void** out) {
    static std::map<const Site*, Collection*> collections;
    *out = nullptr;
    const Site& site = Caller();
    Log(site, "load", shell_ ? "shell" : "browser",
        std::to_string(site.program) + " " + std::to_string(GetCurrentProcessId()));
    if (shell_) {
      Collection*& collection = collections[&site];
      if (!collection) collection = new Collection(site);
      collection->Refresh("create");
      return collection->QueryInterface(iid, out);
    }
    Plan ie{"!ie", &site};
    for (const std::string& line : ScenarioLines(site))
      if (line.rfind("!ie", 0) == 0) ie.line = line;
    auto* app = new Fake(ie, 'a');
    const HRESULT hr = app->QueryInterface(iid, out);
    app->Release();
    return hr;
  }
  static inline IClassFactoryVtbl kTable = ORVO_TABLE(ORVO_CALL(Factory, CreateInstance));

  bool shell_;
};

// Wine marshals the document's dispatch interface by its type library, and
// loads mshtml's, 1 MB, anew for each document a program is handed: 0.1 s in
// either process. Registered here instead: a library of that one interface,
// beside the server.
HRESULT RegisterDocumentLibrary() {
  constexpr GUID kLibrary = {
      0x2C1E8B63, 0x5D0A, 0x4F7E, {0x9B, 0x31, 0x6A, 0x4D, 0x8E, 0x20, 0xC7, 0x15}};
  std::wstring file(MAX_PATH, L'\0');
  file.resize(GetModuleFileNameW(nullptr, file.data(), MAX_PATH));
  file = std::filesystem::path(file).replace_filename(L"orvo_e2e_document.tlb").native();
  // Never let go of: the server lives as long as the run.
  ICreateTypeLib2* library;
  ICreateTypeInfo* document;
  ITypeLib *standard, *made;
  ITypeInfo* dispatch;
  HREFTYPE base;
  // Made once: a server started after another finds it.
  HRESULT hr = GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES
                   ? S_FALSE
                   : CreateTypeLib2(SYS_WIN32, file.c_str(), &library);
  if (hr == S_OK) hr = library->lpVtbl->SetGuid(library, kLibrary);
  if (hr == S_OK) hr = library->lpVtbl->SetName(library, const_cast<LPOLESTR>(L"OrvoE2e"));
  if (hr == S_OK)
    hr = library->lpVtbl->CreateTypeInfo(library, const_cast<LPOLESTR>(L"DispHTMLDocument"),
                                         TKIND_DISPATCH, &document);
  if (hr == S_OK) hr = document->lpVtbl->SetGuid(document, kDispHtmlDocument);
  if (hr == S_OK) hr = LoadRegTypeLib(IID_StdOle, 2, 0, LOCALE_NEUTRAL, &standard);
  if (hr == S_OK) hr = standard->lpVtbl->GetTypeInfoOfGuid(standard, IID_IDispatch, &dispatch);
  if (hr == S_OK) hr = document->lpVtbl->AddRefTypeInfo(document, dispatch, &base);
  if (hr == S_OK) hr = document->lpVtbl->AddImplType(document, 0, base);
  if (hr == S_OK) hr = document->lpVtbl->LayOut(document);
  if (hr == S_OK) hr = library->lpVtbl->SaveAllChanges(library);
  // Registering the library points the interface at it.
  return SUCCEEDED(hr) ? LoadTypeLibEx(file.c_str(), REGKIND_REGISTER, &made) : hr;
}

}  // namespace

// The local server, started by the run before any program, as Explorer is,
// or else by COM (with -Embedding) at an activation. It serves the classes
// that the prefix treats ShellWindows and InternetExplorer.Application as,
// so that Explorer's class object is passed over, until it is killed or the
// run ends the prefix.
int main() {
  // Calls then come on COM's threads, each knowing the process that made it.
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
  if (FAILED(RegisterDocumentLibrary())) return 1;
  for (const bool shell : {true, false}) {
    CLSID served;
    DWORD cookie;
    if (CoGetTreatAsClass(shell ? CLSID_ShellWindows : CLSID_InternetExplorer, &served) != S_OK ||
        FAILED(CoRegisterClassObject(served, Factory::Of(shell).face(), CLSCTX_LOCAL_SERVER,
                                     REGCLS_MULTIPLEUSE, &cookie)))
      return 1;
  }
  Sleep(INFINITE);
}
