#include "win32/com_browser.h"

#include <exdisp.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The adapter against the end-to-end run's stand-in for the shell's window
// collection and the browser, served in this process: what the run cannot
// localise, how each value Windows hands back is read.

namespace orvo::win32 {
namespace {

const char* const kScenario = "com_browser_test.windows.txt";
const char* const kLog = "com_browser_test.calls.log";

using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

class StandIn : public ::testing::Environment {
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    SetEnvironmentVariableA("ORVO_E2E_SCENARIO", kScenario);
    SetEnvironmentVariableA("ORVO_E2E_LOG", kLog);
    std::remove(kLog);
    HMODULE dll = LoadLibraryA(ORVO_STAND_IN);
    ASSERT_TRUE(dll);
    auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
    ASSERT_TRUE(get);
    // The browser's class, named as Windows names it, whatever this prefix holds.
    const wchar_t clsid[] = L"{0002DF01-0000-0000-C000-000000000046}";
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER,
                              L"Software\\Classes\\InternetExplorer.Application\\CLSID", 0, nullptr,
                              0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsid), sizeof clsid);
    RegCloseKey(key);
    CLSID browser;
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromString(clsid, &browser));
    const CLSID* const served_classes[] = {&CLSID_ShellWindows, &browser};
    for (const CLSID* served : served_classes) {
      IUnknown* factory = nullptr;
      ASSERT_HRESULT_SUCCEEDED(get(*served, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
      DWORD cookie;
      ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(*served, factory, CLSCTX_INPROC_SERVER,
                                                     REGCLS_MULTIPLEUSE, &cookie));
      factory->Release();
    }
  }
};
auto* const stand_in = ::testing::AddGlobalTestEnvironment(new StandIn);

void Scenario(const std::string& lines) { std::ofstream(kScenario, std::ios::binary) << lines; }

// The log's lines from `from` on, without their times.
std::vector<std::string> LogFrom(size_t from) {
  std::ifstream log(kLog);
  std::vector<std::string> lines;
  for (std::string line; std::getline(log, line);) lines.push_back(line.substr(line.find(' ') + 1));
  return {lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())), lines.end()};
}

std::string Kind(HResult hr, ValueKind kind) {
  if (Failed(hr)) return "fail";
  const char* names[] = {"object", "emptyobject", "null", "empty", "scalar"};
  return names[static_cast<int>(kind)];
}

// How the scan sees one window.
std::string Describe(BrowserWindow& window) {
  bool menu_bar = false;
  std::string seen = Failed(window.ReadMenuBar(menu_bar)) ? "menubar=fail"
                     : menu_bar                           ? "menubar=1"
                                                          : "menubar=0";
  seen += Failed(window.Quit()) ? " quit=fail" : " quit=ok";
  Ref<Document> document;
  if (Failed(window.ReadDocument(document))) return seen + " doc=fail";
  if (!document) return seen + " doc=0";
  bool html = false;
  const HResult tested = document->TestHtml(html);
  seen += Failed(tested) ? " html=fail" : html ? " html=1" : " html=0";
  Ref<ScriptWindow> script;
  if (Failed(document->ReadParentWindow(script)) || !script) return seen + " parentWindow=fail";
  ValueKind opener = ValueKind::kScalar, parent = ValueKind::kScalar;
  const HResult opener_read = script->ReadOpener(opener);
  const HResult parent_read = script->ReadParent(parent);
  seen += " opener=" + Kind(opener_read, opener) + " parent=" + Kind(parent_read, parent);
  return seen;
}

// Walks the collection as a scan does: what each window looked like, then how
// the walk ended, then the references a later enumeration finds still held.
std::string Walk(const std::string& lines, bool restart_after_create = false) {
  ComBrowserAutomation automation;
  Scenario(lines);
  std::string seen;
  {
    Ref<ShellWindows> collection;
    if (Failed(automation.CreateShellWindows(collection))) return "no collection";
    if (restart_after_create) Scenario("!shell 9\n" + lines);
    Ref<WindowEnumerator> items;
    const HResult enumerated = collection->Enumerate(items);
    if (Failed(enumerated))
      return enumerated == RPC_E_DISCONNECTED ? "disconnected" : "no enumerator";
    Ref<BrowserWindow> window;
    HResult end;
    while ((end = items->Next(window)) == kOk) seen += (window ? Describe(*window) : "none") + "; ";
    seen += end == kFalse ? "end" : "fail";
  }
  const size_t from = LogFrom(0).size();
  Ref<ShellWindows> collection;
  Ref<WindowEnumerator> items;
  if (Succeeded(automation.CreateShellWindows(collection))) (void)collection->Enumerate(items);
  for (const std::string& line : LogFrom(from)) {
    if (line.rfind("enum - ", 0) == 0 && line.substr(line.rfind(' ')) != " 0") seen += " held";
  }
  return seen;
}

TEST(ComBrowser, ReadsEachWindowAsTheShellAndThePageAnswer) {
  const struct {
    const char* windows;
    const char* seen;
  } cases[] = {
      {"A\n", "menubar=1 quit=ok html=1 opener=object parent=object; end"},
      {"B opener=empty parent=null menubar=0\n",
       "menubar=0 quit=ok html=1 opener=emptyobject parent=null; end"},
      {"C opener=none parent=number\n", "menubar=1 quit=ok html=1 opener=empty parent=scalar; end"},
      {"D opener=string parent=unknown\n",
       "menubar=1 quit=ok html=1 opener=scalar parent=object; end"},
      {"E opener=emptyunknown parent=byref\n",
       "menubar=1 quit=ok html=1 opener=emptyobject parent=object; end"},
      {"F html=0\n", "menubar=1 quit=ok html=0 opener=object parent=object; end"},
      {"G doc=0\n", "menubar=1 quit=ok doc=0; end"},
      {"H fail=document\n", "menubar=1 quit=ok doc=fail; end"},
      {"I fail=html\n", "menubar=1 quit=ok html=fail opener=object parent=object; end"},
      {"J fail=parentWindow\n", "menubar=1 quit=ok html=1 parentWindow=fail; end"},
      {"J2 window=unknown\n", "menubar=1 quit=ok html=1 opener=object parent=object; end"},
      {"J3 window=empty\n", "menubar=1 quit=ok html=1 parentWindow=fail; end"},
      {"J4 window=number\n", "menubar=1 quit=ok html=1 parentWindow=fail; end"},
      {"K fail=opener,Parent\n", "menubar=1 quit=ok html=1 opener=fail parent=fail; end"},
      {"L fail=menubar,quit\n", "menubar=fail quit=fail html=1 opener=object parent=object; end"},
      {"M vanish=1\n", "menubar=fail quit=fail doc=fail; end"},
      // A page listed where a browser belongs is no window of the walk.
      {"T item=other\nU\n", "none; menubar=1 quit=ok html=1 opener=object parent=object; end"},
      // Wine's own collection has no enumerator: by count and index instead.
      {"!noenum\nN\nO html=0\n",
       "menubar=1 quit=ok html=1 opener=object parent=object; "
       "menubar=1 quit=ok html=0 opener=object parent=object; end"},
      {"!badenum\nV\n", "menubar=1 quit=ok html=1 opener=object parent=object; end"},
      // A batch that fails gives none of its windows.
      {"P\nQ next=fail\nR\n", "fail"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.windows);
    EXPECT_EQ(Walk(c.windows), c.seen);
  }
  EXPECT_EQ(Walk("S\n", true), "disconnected");
}

TEST(ComBrowser, OpensThePageThenShowsTheBrowserAndStopsAtTheFirstFailure) {
  const struct {
    const char* browser;
    HResult result;
    const char* calls;
  } cases[] = {
      {"", kOk, "navigate - http://例え.jp/?q=ページ 1|visible - -1 4 put|"},
      {"!ie fail=create", CO_E_SERVER_EXEC_FAILURE, ""},
      {"!ie fail=navigate", E_FAIL, "navigate - http://例え.jp/?q=ページ 1|"},
      {"!ie fail=visible", E_FAIL, "navigate - http://例え.jp/?q=ページ 1|visible - -1 4 put|"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.browser);
    Scenario(c.browser);
    const size_t from = LogFrom(0).size();
    ComBrowserAutomation automation;
    EXPECT_EQ(automation.OpenPage("http://例え.jp/?q=ページ"), c.result);
    std::string calls;
    for (const std::string& line : LogFrom(from)) calls += line + "|";
    EXPECT_EQ(calls, c.calls);
  }
}

}  // namespace
}  // namespace orvo::win32
