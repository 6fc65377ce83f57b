#include "win32/com_browser.h"

#include <gtest/gtest.h>

#include "fake_com.h"

namespace orvo::win32 {
namespace {

using testing::ComPtr;
using testing::FakeBrowser;
using testing::FakeClassFactory;
using testing::FakeDispatch;
using testing::FakeShellWindows;
using testing::FakeThing;
using testing::MakeFake;
using testing::OwnedVariant;
using NewEnum = FakeShellWindows::NewEnum;

constexpr HRESULT kGone = RPC_E_DISCONNECTED;

// A COM apartment per test, fakes served under real class ids in this process,
// and the check that nothing the adapter took is still held at the end.
class ComBrowserTest : public ::testing::Test {
 protected:
  struct Served {
    CLSID clsid;
    ComPtr<FakeClassFactory> factory;
    DWORD cookie;
  };

  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }
  void TearDown() override {
    while (!served_.empty()) Unserve(served_.begin());
    shell_.Reset();
    CoUninitialize();
    EXPECT_EQ(testing::g_live_fakes, 0);
  }

  // What creating `clsid` gives until the next Serve: `object`, or the
  // failure `refusal`.
  void Serve(REFCLSID clsid, ComPtr<IUnknown> object, HRESULT refusal = S_OK) {
    for (auto it = served_.begin(); it != served_.end(); ++it) {
      if (it->clsid == clsid) {
        Unserve(it);
        break;
      }
    }
    Served served{clsid, MakeFake<FakeClassFactory>(std::move(object), refusal), 0};
    ASSERT_HRESULT_SUCCEEDED(CoRegisterClassObject(
        clsid, served.factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &served.cookie));
    served_.push_back(std::move(served));
  }

  void Unserve(std::vector<Served>::iterator served) {
    EXPECT_HRESULT_SUCCEEDED(CoRevokeClassObject(served->cookie));
    served_.erase(served);
  }

  FakeShellWindows& Shell(NewEnum mode = NewEnum::kEnumerator) {
    shell_ = MakeFake<FakeShellWindows>();
    shell_->new_enum = mode;
    Serve(CLSID_ShellWindows, shell_);
    return *shell_.Get();
  }

  // Walks the collection as the scan does; `end` gets what stopped the walk.
  std::vector<Ref<BrowserWindow>> Walk(HResult& end) {
    std::vector<Ref<BrowserWindow>> windows;
    Ref<ShellWindows> collection;
    end = automation_.CreateShellWindows(collection);
    if (Failed(end)) return windows;
    Ref<WindowEnumerator> items;
    end = collection->Enumerate(items);
    if (Failed(end)) return windows;
    Ref<BrowserWindow> window;
    while ((end = items->Next(window)) == kOk) windows.push_back(window);
    return windows;
  }

  // The one window of a collection that holds only `browser`.
  Ref<BrowserWindow> WindowOf(const ComPtr<FakeBrowser>& browser) {
    Shell().items.push_back(OwnedVariant::Dispatch(browser.Get()));
    HResult end = kOk;
    auto windows = Walk(end);
    EXPECT_EQ(end, kFalse);
    return windows.size() == 1 ? windows[0] : nullptr;
  }

  // A browser whose current document is `document`.
  static ComPtr<FakeBrowser> BrowserShowing(const ComPtr<FakeDispatch>& document) {
    auto browser = MakeFake<FakeBrowser>();
    browser->document = document;
    return browser;
  }

  ComBrowserAutomation automation_;
  std::vector<Served> served_;
  ComPtr<FakeShellWindows> shell_;
};

// Every way the collection hands out its items gives the same walk.
class Enumeration : public ComBrowserTest, public ::testing::WithParamInterface<NewEnum> {};

TEST_P(Enumeration, GivesEveryBrowserAndAnEmptyReferenceForAnythingElse) {
  auto first = MakeFake<FakeBrowser>();
  auto second = MakeFake<FakeBrowser>();
  auto folder = MakeFake<FakeDispatch>();
  auto& shell = Shell(GetParam());
  shell.items.push_back(OwnedVariant::Dispatch(first.Get()));
  shell.items.push_back(OwnedVariant::Dispatch(folder.Get()));
  shell.items.push_back(OwnedVariant{});
  shell.items.push_back(OwnedVariant::Of(second.Get()));

  HResult end = kOk;
  auto windows = Walk(end);
  EXPECT_EQ(end, kFalse);
  ASSERT_EQ(windows.size(), 4u);
  EXPECT_FALSE(windows[1]);
  EXPECT_FALSE(windows[2]);
  ASSERT_TRUE(windows[0] && windows[3]);
  EXPECT_EQ(windows[3]->Quit(), kOk);
  EXPECT_EQ(first->quits, 0);
  EXPECT_EQ(second->quits, 1);
}

std::string RouteName(const ::testing::TestParamInfo<NewEnum>& info) {
  switch (info.param) {
    case NewEnum::kEnumerator:
      return "NewEnum";
    case NewEnum::kFails:
      return "CountAndItem";
    case NewEnum::kNotAnEnumerator:
      return "NewEnumNotAnEnumerator";
  }
  return "?";
}

INSTANTIATE_TEST_SUITE_P(ByEachRoute, Enumeration,
                         ::testing::Values(NewEnum::kEnumerator, NewEnum::kFails,
                                           NewEnum::kNotAnEnumerator),
                         RouteName);

TEST_F(ComBrowserTest, EveryFailureOfTheWalkComesBack) {
  struct Case {
    const char* what;
    NewEnum route;
    HRESULT count, item, next;
    HResult at_enumerate, at_next;
  };
  const Case cases[] = {
      // Wine's own collection answers E_NOTIMPL to all of these.
      {"no enumerator, no count", NewEnum::kFails, E_NOTIMPL, S_OK, S_OK, E_NOTIMPL, 0},
      {"an item", NewEnum::kFails, S_OK, kGone, S_OK, kOk, kGone},
      {"the enumerator", NewEnum::kEnumerator, S_OK, S_OK, kGone, kOk, kGone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto browser = MakeFake<FakeBrowser>();
    auto& shell = Shell(c.route);
    shell.items.push_back(OwnedVariant::Dispatch(browser.Get()));
    shell.count_result = c.count;
    shell.item_result = c.item;
    shell.next_result = c.next;

    Ref<ShellWindows> collection;
    ASSERT_EQ(automation_.CreateShellWindows(collection), kOk);
    Ref<WindowEnumerator> items;
    ASSERT_EQ(collection->Enumerate(items), c.at_enumerate);
    if (Failed(c.at_enumerate)) continue;
    Ref<BrowserWindow> window;
    EXPECT_EQ(items->Next(window), c.at_next);
    EXPECT_FALSE(window);
  }
}

TEST_F(ComBrowserTest, CollectionThatCannotBeCreatedIsTheFailure) {
  Serve(CLSID_ShellWindows, MakeFake<FakeShellWindows>(), E_ACCESSDENIED);
  Ref<ShellWindows> collection;
  EXPECT_EQ(automation_.CreateShellWindows(collection), E_ACCESSDENIED);
  EXPECT_FALSE(collection);
}

TEST_F(ComBrowserTest, DocumentIsReadAsItIs) {
  auto document = MakeFake<FakeDispatch>();
  auto with = BrowserShowing(document);
  auto without = MakeFake<FakeBrowser>();
  auto failing = BrowserShowing(document);
  failing->document_result = kGone;
  const struct {
    ComPtr<FakeBrowser> browser;
    HResult result;
    bool present;
  } cases[] = {{with, kOk, true}, {without, kOk, false}, {failing, kGone, false}};
  for (const auto& c : cases) {
    Ref<BrowserWindow> window = WindowOf(c.browser);
    ASSERT_TRUE(window);
    Ref<Document> read;
    EXPECT_EQ(window->ReadDocument(read), c.result);
    EXPECT_EQ(static_cast<bool>(read), c.present);
  }
}

TEST_F(ComBrowserTest, HtmlTestAsksForTheHtmlDocument) {
  const struct {
    HRESULT answer;
    HResult result;
    bool html;
  } cases[] = {
      {S_OK, kOk, true}, {E_NOINTERFACE, kOk, false}, {E_ACCESSDENIED, E_ACCESSDENIED, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    auto document = MakeFake<FakeDispatch>();
    document->html = c.answer;
    Ref<Document> read;
    ASSERT_EQ(WindowOf(BrowserShowing(document))->ReadDocument(read), kOk);
    bool html = !c.html;
    EXPECT_EQ(read->TestHtml(html), c.result);
    if (Succeeded(c.result)) {
      EXPECT_EQ(html, c.html);
    }
  }
}

TEST_F(ComBrowserTest, MenuBarAndQuitReachTheBrowser) {
  auto browser = MakeFake<FakeBrowser>();
  Ref<BrowserWindow> window = WindowOf(browser);
  bool shown = false;
  EXPECT_EQ(window->ReadMenuBar(shown), kOk);
  EXPECT_TRUE(shown);
  browser->menu_bar = VARIANT_FALSE;
  EXPECT_EQ(window->ReadMenuBar(shown), kOk);
  EXPECT_FALSE(shown);
  browser->menu_bar_result = kGone;
  EXPECT_EQ(window->ReadMenuBar(shown), kGone);

  EXPECT_EQ(window->Quit(), kOk);
  browser->quit_result = kGone;
  EXPECT_EQ(window->Quit(), kGone);
  EXPECT_EQ(browser->quits, 2);
}

// The page's script window: only an object will do.
TEST_F(ComBrowserTest, ParentWindowMustBeAnObject) {
  auto script_window = MakeFake<FakeDispatch>();
  auto plain = MakeFake<FakeThing>();
  const struct {
    const char* what;
    OwnedVariant value;
    HRESULT lookup, call;
    bool ok;
  } cases[] = {
      {"dispatch", OwnedVariant::Dispatch(script_window.Get()), S_OK, S_OK, true},
      {"unknown", OwnedVariant::Of(script_window.Get()), S_OK, S_OK, true},
      {"unknown, not scriptable", OwnedVariant::Of(plain.Get()), S_OK, S_OK, false},
      {"nothing", OwnedVariant::Dispatch(nullptr), S_OK, S_OK, false},
      {"null", OwnedVariant::Null(), S_OK, S_OK, false},
      {"empty", OwnedVariant{}, S_OK, S_OK, false},
      {"number", OwnedVariant::Int(7), S_OK, S_OK, false},
      {"unknown name", OwnedVariant::Dispatch(script_window.Get()), DISP_E_UNKNOWNNAME, S_OK,
       false},
      {"refused", OwnedVariant::Dispatch(script_window.Get()), S_OK, E_ACCESSDENIED, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto document = MakeFake<FakeDispatch>();
    document->Answer(L"parentWindow", c.value, c.lookup, c.call);
    Ref<Document> read;
    ASSERT_EQ(WindowOf(BrowserShowing(document))->ReadDocument(read), kOk);
    Ref<ScriptWindow> window;
    const HResult result = read->ReadParentWindow(window);
    EXPECT_EQ(Succeeded(result), c.ok) << std::hex << result;
    EXPECT_EQ(static_cast<bool>(window), c.ok);
    if (FAILED(c.lookup)) {
      EXPECT_EQ(result, c.lookup);
    }
    if (FAILED(c.call)) {
      EXPECT_EQ(result, c.call);
    }
    ASSERT_EQ(document->calls.size(), FAILED(c.lookup) ? 0u : 1u);
    if (!document->calls.empty()) {
      EXPECT_EQ(document->calls[0].flags, DISPATCH_PROPERTYGET);
    }
  }
}

// The whole road from the window to its opener and parent, for each kind of
// value a page can give.
TEST_F(ComBrowserTest, OpenerAndParentAreClassifiedByVariantType) {
  auto opener_window = MakeFake<FakeDispatch>();
  IDispatch* slot = opener_window.Get();
  auto plain = MakeFake<FakeThing>();
  const struct {
    const char* what;
    OwnedVariant value;
    ValueKind kind;
  } cases[] = {
      {"opened by a page", OwnedVariant::Dispatch(opener_window.Get()), ValueKind::kObject},
      {"as unknown", OwnedVariant::Of(plain.Get()), ValueKind::kObject},
      {"empty object", OwnedVariant::Dispatch(nullptr), ValueKind::kEmptyObject},
      {"empty unknown", OwnedVariant::Of(nullptr), ValueKind::kEmptyObject},
      {"not opened", OwnedVariant::Null(), ValueKind::kNull},
      {"never set", OwnedVariant{}, ValueKind::kEmpty},
      {"number", OwnedVariant::Int(0), ValueKind::kScalar},
      {"string", OwnedVariant::String(L"about:blank"), ValueKind::kScalar},
      {"by reference", OwnedVariant::DispatchRef(&slot), ValueKind::kObject},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto script_window = MakeFake<FakeDispatch>();
    script_window->Answer(L"opener", c.value);
    script_window->Answer(L"Parent", c.value);
    auto document = MakeFake<FakeDispatch>();
    document->html = S_OK;
    document->Answer(L"parentWindow", OwnedVariant::Dispatch(script_window.Get()));

    Ref<Document> read;
    ASSERT_EQ(WindowOf(BrowserShowing(document))->ReadDocument(read), kOk);
    Ref<ScriptWindow> window;
    ASSERT_EQ(read->ReadParentWindow(window), kOk);
    ValueKind opener = ValueKind::kScalar;
    ValueKind parent = ValueKind::kScalar;
    EXPECT_EQ(window->ReadOpener(opener), kOk);
    EXPECT_EQ(window->ReadParent(parent), kOk);
    EXPECT_EQ(opener, c.kind);
    EXPECT_EQ(parent, c.kind);
  }
}

TEST_F(ComBrowserTest, OpenerAndParentAreReadByTheirOwnNamesAndFailAsTheyFail) {
  auto other = MakeFake<FakeDispatch>();
  const struct {
    HRESULT opener_lookup, opener_call, parent_lookup, parent_call;
  } cases[] = {
      {S_OK, S_OK, S_OK, S_OK},
      {DISP_E_UNKNOWNNAME, S_OK, S_OK, kGone},
      {S_OK, E_ACCESSDENIED, DISP_E_UNKNOWNNAME, S_OK},
  };
  for (const auto& c : cases) {
    auto script_window = MakeFake<FakeDispatch>();
    script_window->Answer(L"opener", OwnedVariant::Dispatch(other.Get()), c.opener_lookup,
                          c.opener_call);
    script_window->Answer(L"Parent", OwnedVariant::Null(), c.parent_lookup, c.parent_call);
    auto document = MakeFake<FakeDispatch>();
    document->Answer(L"parentWindow", OwnedVariant::Dispatch(script_window.Get()));
    Ref<Document> read;
    ASSERT_EQ(WindowOf(BrowserShowing(document))->ReadDocument(read), kOk);
    Ref<ScriptWindow> window;
    ASSERT_EQ(read->ReadParentWindow(window), kOk);

    ValueKind opener = ValueKind::kScalar;
    ValueKind parent = ValueKind::kScalar;
    const HResult opener_result = window->ReadOpener(opener);
    const HResult parent_result = window->ReadParent(parent);
    EXPECT_EQ(opener_result, FAILED(c.opener_lookup) ? c.opener_lookup : c.opener_call);
    EXPECT_EQ(parent_result, FAILED(c.parent_lookup) ? c.parent_lookup : c.parent_call);
    if (Succeeded(opener_result)) {
      EXPECT_EQ(opener, ValueKind::kObject);
    }
    if (Succeeded(parent_result)) {
      EXPECT_EQ(parent, ValueKind::kNull);
    }
  }
}

// The browser the tray menu starts is served in-process under the class that
// the ProgID names, so no real browser starts.
class OpenPageTest : public ComBrowserTest {
 protected:
  void SetUp() override {
    ComBrowserTest::SetUp();
    registered_ = CLSIDFromProgID(L"InternetExplorer.Application", &clsid_);
  }
  HRESULT registered_ = E_FAIL;
  CLSID clsid_{};
};

TEST_F(OpenPageTest, NavigatesThenShowsTheWindow) {
  if (FAILED(registered_)) {
    EXPECT_EQ(automation_.OpenPage("http://example.jp/"), registered_);
    GTEST_SKIP() << "InternetExplorer.Application is not registered here";
  }
  auto browser = MakeFake<FakeDispatch>();
  browser->Answer(L"Navigate", OwnedVariant{});
  browser->Answer(L"Visible", OwnedVariant{});
  Serve(clsid_, browser);

  ASSERT_EQ(automation_.OpenPage("http://例え.jp/?q=ページ"), kOk);
  ASSERT_EQ(browser->calls.size(), 2u);
  const auto& navigate = browser->calls[0];
  EXPECT_EQ(navigate.flags, DISPATCH_METHOD);
  ASSERT_EQ(navigate.args.size(), 1u);
  ASSERT_EQ(V_VT(&*navigate.args[0]), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&*navigate.args[0]), L"http://例え.jp/?q=ページ");
  EXPECT_TRUE(navigate.named.empty());

  const auto& visible = browser->calls[1];
  EXPECT_EQ(visible.name, L"Visible");
  EXPECT_EQ(visible.flags, DISPATCH_PROPERTYPUT);
  ASSERT_EQ(visible.args.size(), 1u);
  EXPECT_EQ(V_VT(&*visible.args[0]), VT_BOOL);
  EXPECT_EQ(V_BOOL(&*visible.args[0]), VARIANT_TRUE);
  EXPECT_EQ(visible.named, std::vector<DISPID>{DISPID_PROPERTYPUT});
}

TEST_F(OpenPageTest, StopsAtTheFirstFailure) {
  if (FAILED(registered_)) GTEST_SKIP() << "InternetExplorer.Application is not registered here";
  const struct {
    const char* what;
    HRESULT refusal, navigate_lookup, navigate_call, visible_call;
    HResult result;
    size_t calls;
  } cases[] = {
      {"cannot be created", CO_E_SERVER_EXEC_FAILURE, S_OK, S_OK, S_OK, CO_E_SERVER_EXEC_FAILURE,
       0},
      {"no navigate", S_OK, DISP_E_UNKNOWNNAME, S_OK, S_OK, DISP_E_UNKNOWNNAME, 0},
      {"navigate fails", S_OK, S_OK, E_ABORT, S_OK, E_ABORT, 1},
      {"cannot show", S_OK, S_OK, S_OK, E_ACCESSDENIED, E_ACCESSDENIED, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto browser = MakeFake<FakeDispatch>();
    browser->Answer(L"navigate", OwnedVariant{}, c.navigate_lookup, c.navigate_call);
    browser->Answer(L"Visible", OwnedVariant{}, S_OK, c.visible_call);
    Serve(clsid_, browser, c.refusal);
    EXPECT_EQ(automation_.OpenPage("http://example.jp/"), c.result);
    EXPECT_EQ(browser->calls.size(), c.calls);
  }
}

}  // namespace
}  // namespace orvo::win32
