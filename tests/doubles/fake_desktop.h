#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "platform/browser.h"

// A scriptable desktop of browser windows behind the browser port. Every
// operation can be made to fail for one window, every call is counted, and
// every reference handed out is counted back in, so that a test can tell what
// the program asked, what it closed and whether it let go of everything.
namespace orvo::fake {

enum class Op : std::size_t {
  kDocument,
  kTestHtml,
  kParentWindow,
  kOpener,
  kParent,
  kMenuBar,
  kQuit,
  kCount
};
inline constexpr std::size_t kOpCount = static_cast<std::size_t>(Op::kCount);
inline const char* OpName(Op op) {
  static const char* const kNames[] = {"Document", "TestHtml", "parentWindow", "opener",
                                       "Parent",   "MenuBar",  "Quit",         "?"};
  return kNames[static_cast<std::size_t>(op)];
}

enum class Content {
  kHtml,           // a web page
  kOtherDocument,  // a folder view, a PDF ...
  kNoDocument,     // get_Document succeeds with nothing
  kNotABrowser,    // an item of the collection that is no browser window
};

struct WindowSpec {
  Content content = Content::kHtml;
  ValueKind opener = ValueKind::kNull;  // what a page that no page opened has
  ValueKind parent = ValueKind::kObject;
  bool menu_bar = true;
};

// An ordinary page, a pop-up (opened by another page; its parent is an object
// as on every page), a shell folder.
inline WindowSpec Page() { return {}; }
inline WindowSpec Popup(bool menu_bar = false) {
  return {Content::kHtml, ValueKind::kObject, ValueKind::kObject, menu_bar};
}
inline WindowSpec FolderView() { return {Content::kOtherDocument}; }

// The window, its document and its script window in one object: one count
// of the references handed out over all three.
class FakeWindow final : public BrowserWindow, public Document, public ScriptWindow {
 public:
  FakeWindow(std::function<void(FakeWindow&)>& on_quit, int id, const WindowSpec& spec)
      : on_quit_(on_quit), id_(id), spec_(spec) {}

  int id() const { return id_; }
  const WindowSpec& spec() const { return spec_; }
  // The window is gone (quit by the program or closed by someone else).
  bool closed() const { return closed_; }
  int quits() const { return quits_; }  // successful Quit calls
  int calls(Op op) const { return calls_[static_cast<std::size_t>(op)]; }
  int total_calls() const { return std::accumulate(calls_.begin(), calls_.end(), 0); }
  int outstanding_refs() const { return refs_; }

  void Fail(Op op) { failing_[static_cast<std::size_t>(op)] = true; }
  // Closed by the user or by the page itself: every later call fails.
  void Vanish() { closed_ = true; }
  // Open again, as a page that opens the same pop-up over and over.
  void Reopen() { closed_ = false; }

  void AddRef() noexcept override { ++refs_; }
  void Release() noexcept override { --refs_; }
  HResult ReadDocument(Ref<Document>& document) override {
    return Answer(Op::kDocument, [&] {
      document = spec_.content == Content::kNoDocument ? nullptr : Ref<Document>(this);
    });
  }
  HResult ReadMenuBar(bool& shown) override {
    return Answer(Op::kMenuBar, [&] { shown = spec_.menu_bar; });
  }
  HResult Quit() override {
    return Answer(Op::kQuit, [&] {
      if (on_quit_) on_quit_(*this);
      ++quits_;
      closed_ = true;
    });
  }
  HResult TestHtml(bool& html) override {
    return Answer(Op::kTestHtml, [&] { html = spec_.content == Content::kHtml; });
  }
  HResult ReadParentWindow(Ref<ScriptWindow>& window) override {
    // Only an HTML page has a script window: asking another document fails
    // as late binding on a name it does not know does.
    if (spec_.content != Content::kHtml)
      return Answer(
          Op::kParentWindow, [] {}, true);
    return Answer(Op::kParentWindow, [&] { window = Ref<ScriptWindow>(this); });
  }
  HResult ReadOpener(ValueKind& opener) override {
    return Answer(Op::kOpener, [&] { opener = spec_.opener; });
  }
  HResult ReadParent(ValueKind& parent) override {
    return Answer(Op::kParent, [&] { parent = spec_.parent; });
  }

 private:
  // A call to a window that is gone fails the way a disconnected object does.
  template <class Then>
  HResult Answer(Op op, Then then, bool fail = false) {
    ++calls_[static_cast<std::size_t>(op)];
    if (fail || closed_ || failing_[static_cast<std::size_t>(op)]) return kFail;
    then();
    return kOk;
  }

  std::function<void(FakeWindow&)>& on_quit_;
  int id_;
  WindowSpec spec_;
  bool closed_ = false;
  int quits_ = 0;
  int refs_ = 0;
  std::array<int, kOpCount> calls_{};
  std::array<bool, kOpCount> failing_{};
};

class FakeDesktop final : public BrowserAutomation, public ShellWindows {
 public:
  // Opens a window at the end of the shell's list.
  FakeWindow& Open(const WindowSpec& spec) {
    return windows_.emplace_back(on_quit, static_cast<int>(windows_.size()), spec);
  }
  std::size_t size() const { return windows_.size(); }
  FakeWindow& window(std::size_t index) { return windows_[index]; }
  std::size_t open_count() const {
    return static_cast<std::size_t>(std::count_if(windows_.begin(), windows_.end(),
                                                  [](const FakeWindow& w) { return !w.closed(); }));
  }

  // Collection-level failures.
  bool fail_create = false;
  HResult enumerate_result = kOk;  // a failure makes Enumerate answer it
  int fail_next_at = -1;           // the Next call with this 0-based number fails
  bool fail_open_page = false;
  // False while a message sent from another thread is being handled.
  bool can_call_out = true;

  int creates() const { return creates_; }
  int enumerations() const { return enumerations_; }
  int collection_refs() const { return collection_refs_; }
  int enumerator_refs() const { return enumerator_.refs; }
  const std::vector<std::string>& opened_pages() const { return opened_pages_; }

  // Called at every successful Quit, before the window closes: lets a test
  // look at the program's state at that moment.
  std::function<void(FakeWindow&)> on_quit;

  bool CanCallOut() override { return can_call_out; }
  HResult CreateShellWindows(Ref<ShellWindows>& collection) override {
    ++creates_;
    if (fail_create) return kFail;
    collection = Ref<ShellWindows>(this);
    return kOk;
  }
  HResult OpenPage(std::string_view address) override {
    if (fail_open_page) return kFail;
    opened_pages_.emplace_back(address);
    return kOk;
  }
  void AddRef() noexcept override { ++collection_refs_; }
  void Release() noexcept override { --collection_refs_; }
  HResult Enumerate(Ref<WindowEnumerator>& items) override {
    ++enumerations_;
    if (Failed(enumerate_result)) return enumerate_result;
    enumerator_.position = 0;
    enumerator_.nexts = 0;
    items = Ref<WindowEnumerator>(&enumerator_);
    return kOk;
  }

 private:
  // One enumeration at a time is all the program ever runs; reusing one
  // object keeps the fake free of allocations per walk.
  struct Enumerator final : WindowEnumerator {
    explicit Enumerator(FakeDesktop& d) : d(d) {}
    void AddRef() noexcept override { ++refs; }
    void Release() noexcept override { --refs; }
    // Closed windows have left the shell's list.
    HResult Next(Ref<BrowserWindow>& window) override {
      if (nexts++ == d.fail_next_at) return kFail;
      while (position < d.windows_.size() && d.windows_[position].closed()) ++position;
      if (position == d.windows_.size()) {
        window = nullptr;
        return kFalse;
      }
      FakeWindow& w = d.windows_[position++];
      window = w.spec().content == Content::kNotABrowser ? nullptr : Ref<BrowserWindow>(&w);
      return kOk;
    }
    FakeDesktop& d;
    std::size_t position = 0;
    int nexts = 0;
    int refs = 0;
  };

  std::deque<FakeWindow> windows_;  // stable addresses
  Enumerator enumerator_{*this};
  int creates_ = 0;
  int enumerations_ = 0;
  int collection_refs_ = 0;
  std::vector<std::string> opened_pages_;
};

}  // namespace orvo::fake
