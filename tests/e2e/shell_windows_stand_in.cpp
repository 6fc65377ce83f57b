// A scripted stand-in for the shell's collection of browser windows, loaded
// in-process by the program under test as the class object of ShellWindows.
//
// The windows come from a scenario file (path in ORVO_E2E_SCENARIO), read
// again whenever its text changes. One window a line, '#' starts a comment:
//
//   NAME [html=1|0] [doc=1|0] [opener=KIND] [parent=KIND] [menubar=1|0]
//        [fail=OP[,OP...]] [vanish=1] [next=fail]
//
//   KIND: object (default), empty (an empty object reference), null, none
//         (an empty value), number.
//   OP:   document, html, parentWindow, opener, Parent, menubar, quit, all.
//
// A line "!shell N" restarts the shell N-1 times: a collection handed out
// before the last restart answers RPC_E_DISCONNECTED, as a proxy to a shell
// that has gone does, until the program creates the collection again.
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

#include "../win32/browser/fake_com.h"

namespace {

using orvo::win32::testing::ComPtr;
using orvo::win32::testing::FakeBrowser;
using orvo::win32::testing::FakeClassFactory;
using orvo::win32::testing::FakeDispatch;
using orvo::win32::testing::FakeEnumVariant;
using orvo::win32::testing::FakeShellWindows;
using orvo::win32::testing::MakeFake;
using orvo::win32::testing::OwnedVariant;

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

std::string Outcome(HRESULT hr) { return SUCCEEDED(hr) ? "ok" : "fail"; }

struct WindowPlan {
  std::string name;
  bool html = true;
  bool has_document = true;
  std::string opener = "object";
  std::string parent = "object";
  bool menu_bar = true;
  bool vanishes = false;
  bool breaks_enumeration = false;
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
    if (key == "menubar") plan.menu_bar = value == "1";
    if (key == "vanish") plan.vanishes = value == "1";
    if (key == "next") plan.breaks_enumeration = value == "fail";
    if (key == "fail") {
      std::istringstream ops(value);
      std::string op;
      while (std::getline(ops, op, ',')) plan.fails.insert(op);
    }
  }
  return plan;
}

OwnedVariant ValueOf(const std::string& kind) {
  if (kind == "object") return OwnedVariant::Dispatch(MakeFake<FakeDispatch>().Get());
  if (kind == "empty") return OwnedVariant::Dispatch(nullptr);
  if (kind == "null") return OwnedVariant::Null();
  if (kind == "number") return OwnedVariant::Int(1);
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
    if (iid == orvo::win32::testing::kDispHtmlDocument) {
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
    menu_bar = plan.menu_bar ? VARIANT_TRUE : VARIANT_FALSE;
    menu_bar_result = fail("menubar");
    document_result = fail("document");
    quit_result = fail("quit");
    if (!plan.has_document) return;
    auto script_window = MakeFake<LoggedDispatch>(plan.name);
    script_window->Answer(L"opener", ValueOf(plan.opener), S_OK, fail("opener"));
    script_window->Answer(L"Parent", ValueOf(plan.parent), S_OK, fail("Parent"));
    auto page = MakeFake<LoggedDispatch>(plan.name);
    page->html = FAILED(fail("html")) ? fail("html") : plan.html ? S_OK : E_NOINTERFACE;
    page->Answer(L"parentWindow", OwnedVariant::Dispatch(script_window.Get()), S_OK,
                 fail("parentWindow"));
    document = page;
  }

  bool gone = false;
  const WindowPlan& plan() const { return plan_; }

  // Called when an enumeration lists this window.
  void Listed() {
    if (plan_.vanishes) gone = true;
  }

  HRESULT STDMETHODCALLTYPE get_Document(IDispatch** out) override {
    const HRESULT hr = FakeBrowser::get_Document(out);
    Log("call", plan_.name, "document " + Outcome(hr));
    return hr;
  }
  HRESULT STDMETHODCALLTYPE get_MenuBar(VARIANT_BOOL* out) override {
    const HRESULT hr = FakeBrowser::get_MenuBar(out);
    Log("call", plan_.name, "menubar " + Outcome(hr));
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Quit() override {
    const HRESULT hr = FakeBrowser::Quit();
    Log("quit", plan_.name, Outcome(hr));
    if (SUCCEEDED(hr)) gone = true;
    return hr;
  }

 private:
  WindowPlan plan_;
};

// Lists the windows up to one that breaks the enumeration, where the call
// that reaches it fails.
class LoggedEnum : public FakeEnumVariant {
 public:
  LoggedEnum(std::vector<OwnedVariant> items, bool breaks)
      : FakeEnumVariant(std::move(items), S_OK), breaks_(breaks) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    ULONG given = 0;
    HRESULT hr = FakeEnumVariant::Next(count, out, &given);
    if (hr == S_FALSE && breaks_) hr = E_FAIL;
    if (fetched) *fetched = given;
    Log("next", "-", std::to_string(count) + " " + std::to_string(given) + " " + Outcome(hr));
    return hr;
  }

 private:
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
    return FakeShellWindows::get_Count(count);
  }
  HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** out) override {
    if (connected_shell_ != shell_) {
      *out = nullptr;
      return RPC_E_DISCONNECTED;
    }
    return FakeShellWindows::Item(index, out);
  }

 private:
  struct Entry {
    std::string line;
    ComPtr<LoggedBrowser> browser;
  };

  void Refresh() {
    std::string text;
    if (FILE* f = _wfopen(Env(L"ORVO_E2E_SCENARIO").c_str(), L"rb")) {
      char buffer[4096];
      size_t n;
      while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
      std::fclose(f);
    }
    if (text != text_) Reload(text);
    items.clear();
    breaks_at_ = SIZE_MAX;
    for (const std::string& name : order_) {
      const Entry& entry = windows_[name];
      if (entry.browser->gone) continue;
      if (entry.browser->plan().breaks_enumeration) breaks_at_ = std::min(breaks_at_, items.size());
      items.push_back(OwnedVariant::Dispatch(entry.browser.Get()));
    }
    breaks_at_ = std::min(breaks_at_, items.size());
  }

  // References to the windows beyond the collection's own (its entry, and its
  // list while the window is open): what earlier walks did not let go of.
  long Held() {
    long held = 0;
    for (auto& [name, entry] : windows_) {
      entry.browser->AddRef();
      held += static_cast<long>(entry.browser->Release()) - (entry.browser->gone ? 1 : 2);
    }
    return held;
  }

  void Reload(const std::string& text) {
    text_ = text;
    shell_ = 1;
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
  int connected_shell_ = 1;
  size_t breaks_at_ = 0;  // in items
  std::map<std::string, Entry> windows_;
  std::vector<std::string> order_;
};

// One collection, connected anew each time the program creates it.
class ConnectingFactory : public FakeClassFactory {
 public:
  explicit ConnectingFactory(ComPtr<ScriptedShellWindows> collection)
      : FakeClassFactory(collection, S_OK), collection_(std::move(collection)) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    const HRESULT hr = FakeClassFactory::CreateInstance(outer, iid, out);
    if (SUCCEEDED(hr)) collection_->Connect();
    return hr;
  }

 private:
  ComPtr<ScriptedShellWindows> collection_;
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  *out = nullptr;
  if (clsid != CLSID_ShellWindows) return CLASS_E_CLASSNOTAVAILABLE;
  Log("load", "-", std::to_string(GetCurrentProcessId()));
  auto factory = MakeFake<ConnectingFactory>(MakeFake<ScriptedShellWindows>());
  return factory->QueryInterface(iid, out);
}

// Stays loaded: the collection lives as long as the program.
extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() { return S_FALSE; }
