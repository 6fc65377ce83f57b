#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
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
const char* OpName(Op op);

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

// An ordinary page, a pop-up (opened by another page, inside no frame set of
// its own making: its parent is an object as on every page), a shell folder.
WindowSpec Page();
WindowSpec Popup(bool menu_bar = false);
WindowSpec FolderView();

class FakeDesktop;

class FakeWindow final : public BrowserWindow {
 public:
  FakeWindow(FakeDesktop& desktop, int id, const WindowSpec& spec);

  int id() const { return id_; }
  WindowSpec& spec() { return spec_; }
  // The window is gone (quit by the program or closed by someone else).
  bool closed() const { return closed_; }
  int quits() const { return quits_; }  // successful Quit calls
  int calls(Op op) const { return calls_[static_cast<std::size_t>(op)]; }
  int total_calls() const;
  // References handed out and not yet released, over the window, its
  // document and its script window.
  int outstanding_refs() const { return refs_; }

  void Fail(Op op, bool fail = true) { failing_[static_cast<std::size_t>(op)] = fail; }
  // Closed by the user or by the page itself: every later call fails.
  void Vanish() { closed_ = true; }
  // Open again, as a page that opens the same pop-up over and over.
  void Reopen() { closed_ = false; }

  void AddRef() noexcept override { ++refs_; }
  void Release() noexcept override { --refs_; }
  HResult ReadDocument(Ref<Document>& document) override;
  HResult ReadMenuBar(bool& shown) override;
  HResult Quit() override;

 private:
  class FakeDocument;
  class FakeScriptWindow;
  HResult Call(Op op);

  FakeDesktop& desktop_;
  int id_;
  WindowSpec spec_;
  bool closed_ = false;
  int quits_ = 0;
  int refs_ = 0;
  std::array<int, kOpCount> calls_{};
  std::array<bool, kOpCount> failing_{};

  class FakeDocument final : public Document {
   public:
    explicit FakeDocument(FakeWindow& w) : w_(w) {}
    void AddRef() noexcept override { ++w_.refs_; }
    void Release() noexcept override { --w_.refs_; }
    HResult TestHtml(bool& html) override;
    HResult ReadParentWindow(Ref<ScriptWindow>& window) override;

   private:
    FakeWindow& w_;
  };
  class FakeScriptWindow final : public ScriptWindow {
   public:
    explicit FakeScriptWindow(FakeWindow& w) : w_(w) {}
    void AddRef() noexcept override { ++w_.refs_; }
    void Release() noexcept override { --w_.refs_; }
    HResult ReadOpener(ValueKind& opener) override;
    HResult ReadParent(ValueKind& parent) override;

   private:
    FakeWindow& w_;
  };
  FakeDocument document_{*this};
  FakeScriptWindow script_window_{*this};
};

class FakeDesktop final : public BrowserAutomation {
 public:
  FakeDesktop();
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  // Opens a window at the end of the shell's list.
  FakeWindow& Open(const WindowSpec& spec);
  std::size_t size() const { return windows_.size(); }
  FakeWindow& window(std::size_t index) { return windows_[index]; }
  // Windows still open.
  std::size_t open_count() const;

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
  int enumerator_refs() const { return enumerator_refs_; }
  const std::vector<std::string>& opened_pages() const { return opened_pages_; }

  // Called at every successful Quit, before the window closes: lets a test
  // look at the program's state at that moment.
  std::function<void(FakeWindow&)> on_quit;

  bool CanCallOut() override { return can_call_out; }
  HResult CreateShellWindows(Ref<ShellWindows>& collection) override;
  HResult OpenPage(std::string_view address) override;

 private:
  class Collection final : public ShellWindows {
   public:
    explicit Collection(FakeDesktop& d) : d_(d) {}
    void AddRef() noexcept override { ++d_.collection_refs_; }
    void Release() noexcept override { --d_.collection_refs_; }
    HResult Enumerate(Ref<WindowEnumerator>& items) override;

   private:
    FakeDesktop& d_;
  };
  // One enumeration at a time is all the program ever runs; reusing one
  // object keeps the fake free of allocations per walk.
  class Enumerator final : public WindowEnumerator {
   public:
    explicit Enumerator(FakeDesktop& d) : d_(d) {}
    void AddRef() noexcept override { ++d_.enumerator_refs_; }
    void Release() noexcept override { --d_.enumerator_refs_; }
    HResult Next(Ref<BrowserWindow>& window) override;
    std::size_t position = 0;
    int nexts = 0;

   private:
    FakeDesktop& d_;
  };
  friend class FakeWindow;

  std::deque<FakeWindow> windows_;  // stable addresses
  Collection collection_{*this};
  Enumerator enumerator_{*this};
  int creates_ = 0;
  int enumerations_ = 0;
  int collection_refs_ = 0;
  int enumerator_refs_ = 0;
  std::vector<std::string> opened_pages_;
};

}  // namespace orvo::fake
