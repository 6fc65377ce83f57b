#include "win32/com_browser.h"

#include <exdisp.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <tuple>

// The adapter against the end-to-end run's stand-in for the shell's window
// collection and the browser, served in this process: what the run cannot
// localise, how each value Windows hands back is read.

namespace orvo::win32 {
namespace {

const char* const kScenario = "com_browser_test.windows.txt";
const char* const kLog = "com_browser_test.calls.log";

class StandIn : public ::testing::Environment {
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    SetEnvironmentVariableA("ORVO_E2E_SCENARIO", kScenario);
    SetEnvironmentVariableA("ORVO_E2E_LOG", kLog);
    const auto get = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA(ORVO_STAND_IN), "DllGetClassObject")));
    ASSERT_TRUE(get);
    // The browser's class, as Windows (and Wine's prefix) names it.
    CLSID browser;
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"InternetExplorer.Application", &browser));
    for (const CLSID& served : {CLSID_ShellWindows, browser}) {
      IUnknown* factory = nullptr;
      DWORD cookie;
      ASSERT_HRESULT_SUCCEEDED(get(served, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
      ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(served, factory, CLSCTX_INPROC_SERVER,
                                                     REGCLS_MULTIPLEUSE, &cookie));
      factory->Release();
    }
  }
};
auto* const stand_in = ::testing::AddGlobalTestEnvironment(new StandIn);

void Scenario(const std::string& lines) { std::ofstream(kScenario, std::ios::binary) << lines; }

// The stand-in's log since the last call, without the times and the
// activations: "WHAT NAME DETAIL|...".
std::string Calls() {
  std::ifstream log(kLog);
  std::string calls;
  for (std::string line; std::getline(log, line);)
    if (line.find(" load ") == std::string::npos) calls += line.substr(line.find(' ') + 1) + "|";
  std::ofstream{kLog};
  return calls;
}

// `kind` is read once `hr`, the call that fills it in, has been made.
std::string Kind(HResult hr, const ValueKind& kind) {
  const char* names[] = {"object", "emptyobject", "null", "empty", "scalar"};
  return Failed(hr) ? "fail" : names[static_cast<int>(kind)];
}

// How the scan sees one window: its menu bar, Quit, the HTML test (or no
// document, or a failed read of it), then opener and Parent of the script
// window (or no script window).
std::string Describe(BrowserWindow& window) {
  bool menu_bar = false, html = false;
  std::string seen = Failed(window.ReadMenuBar(menu_bar)) ? "fail" : menu_bar ? "1" : "0";
  seen += Failed(window.Quit()) ? " fail" : " ok";
  Ref<Document> document;
  if (Failed(window.ReadDocument(document))) return seen + " docfail";
  if (!document) return seen + " nodoc";
  seen += Failed(document->TestHtml(html)) ? " fail" : html ? " 1" : " 0";
  Ref<ScriptWindow> script;
  if (Failed(document->ReadParentWindow(script)) || !script) return seen + " nowindow";
  ValueKind opener = ValueKind::kScalar, parent = ValueKind::kScalar;
  seen += " " + Kind(script->ReadOpener(opener), opener);
  return seen + " " + Kind(script->ReadParent(parent), parent);
}

// Walks the collection as a scan does: what each window looked like, then how
// the walk ended. That every walk lets go of every window it took, the
// end-to-end run checks.
std::string Walk(const std::string& windows) {
  Scenario(windows);
  Ref<ShellWindows> collection;
  if (Failed(ComBrowserAutomation().CreateShellWindows(collection))) return "no collection";
  Ref<WindowEnumerator> items;
  if (Failed(collection->Enumerate(items))) return "fail";
  std::string seen;
  Ref<BrowserWindow> window;
  HResult end;
  while ((end = items->Next(window)) == kOk) seen += (window ? Describe(*window) : "none") + "; ";
  return seen + (end == kFalse ? "end" : "fail");
}

TEST(ComBrowser, ReadsEachWindowAsTheShellAndThePageAnswer) {
  const std::tuple<const char*, const char*> cases[] = {
      {"A\nB window=unknown", "1 ok 1 object object; 1 ok 1 object object; end"},
      {"C opener=empty parent=null menubar=0", "0 ok 1 emptyobject null; end"},
      {"D opener=none parent=number", "1 ok 1 empty scalar; end"},
      {"E opener=string parent=unknown", "1 ok 1 scalar object; end"},
      {"F opener=emptyunknown parent=byref", "1 ok 1 emptyobject object; end"},
      {"G html=0\nH fail=html", "1 ok 0 object object; 1 ok fail object object; end"},
      {"I doc=0\nJ fail=document", "1 ok nodoc; 1 ok docfail; end"},
      {"K fail=parentWindow\nL window=empty\nM window=number",
       "1 ok 1 nowindow; 1 ok 1 nowindow; 1 ok 1 nowindow; end"},
      {"N fail=opener,Parent", "1 ok 1 fail fail; end"},
      {"O fail=menubar,quit", "fail fail 1 object object; end"},
      // A page listed where a browser belongs is no window of the walk.
      {"P item=other\nQ", "none; 1 ok 1 object object; end"},
      // Wine's own collection has no enumerator: by count and index instead.
      {"!noenum\nR\nS html=0", "1 ok 1 object object; 1 ok 0 object object; end"},
      {"!noenum\nT fail=item\nU", "fail"},
      {"!badenum\nV", "1 ok 1 object object; end"},
      // A batch that fails gives none of its windows.
      {"W\nX next=fail\nY", "fail"},
      {"!refuse\nZ", "no collection"},
  };
  for (const auto& [windows, seen] : cases) {
    SCOPED_TRACE(windows);
    EXPECT_EQ(Walk(windows), seen);
  }
}

TEST(ComBrowser, OpensThePageThenShowsTheBrowserAndStopsAtTheFirstFailure) {
  const std::tuple<const char*, HResult, const char*> cases[] = {
      {"", kOk, "navigate - http://例え.jp/?q=ページ 1|visible - -1 4 put|"},
      {"!ie fail=create", CO_E_SERVER_EXEC_FAILURE, ""},
      {"!ie fail=navigate", E_FAIL, "navigate - http://例え.jp/?q=ページ 1|"},
      {"!ie fail=visible", E_FAIL, "navigate - http://例え.jp/?q=ページ 1|visible - -1 4 put|"},
  };
  for (const auto& [browser, result, calls] : cases) {
    SCOPED_TRACE(browser);
    Scenario(browser);
    Calls();
    EXPECT_EQ(ComBrowserAutomation().OpenPage("http://例え.jp/?q=ページ"), result);
    EXPECT_EQ(Calls(), calls);
  }
}

}  // namespace
}  // namespace orvo::win32
