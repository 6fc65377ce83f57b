#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/platform.h"
#include "app/program.h"
#include "doubles/fake_tray.h"
#include "res/layout/focus.h"
#include "res/layout/layouts.h"
#include "res/resource_names.h"

// Every port of the program in memory: a desktop of browser windows, timers
// on a virtual clock, windows made from the layout tables, the program's
// folder, the tray.
namespace orvo::fake {

// A window's operations, in the order a scan can make them.
enum Op : int { kDocument, kTestHtml, kParentWindow, kOpener, kParent, kMenuBar, kQuit, kOps };

enum class Content { kHtml, kOtherDocument, kNoDocument, kNotABrowser };

struct WindowSpec {
  Content content = Content::kHtml;
  ValueKind opener = ValueKind::kNull;  // what a page that no page opened has
  ValueKind parent = ValueKind::kObject;
  bool menu_bar = true;
};
// An ordinary page, a pop-up (opened by another page), a shell folder.
inline WindowSpec Page() { return {}; }
inline WindowSpec Popup(bool menu_bar = false) {
  return {Content::kHtml, ValueKind::kObject, ValueKind::kObject, menu_bar};
}
inline WindowSpec FolderView() { return {Content::kOtherDocument}; }

// The window, its document and its script window in one object: one count
// of the references handed out over all three. A call to a window that is
// gone fails, as a call to a disconnected object does.
struct FakeWindow final : BrowserWindow, Document, ScriptWindow {
  FakeWindow(std::function<void(FakeWindow&)>& on_quit, int id, const WindowSpec& spec)
      : id(id), spec(spec), on_quit(on_quit) {}

  void AddRef() noexcept override { ++refs; }
  void Release() noexcept override { --refs; }
  HResult ReadDocument(Ref<Document>& document) override {
    return Answer(kDocument, document,
                  spec.content == Content::kNoDocument ? nullptr : Ref<Document>(this));
  }
  HResult ReadMenuBar(bool& shown) override { return Answer(kMenuBar, shown, spec.menu_bar); }
  HResult TestHtml(bool& html) override {
    return Answer(kTestHtml, html, spec.content == Content::kHtml);
  }
  // Late binding on another document fails: only an HTML page has a script window.
  HResult ReadParentWindow(Ref<ScriptWindow>& window) override {
    return Answer(kParentWindow, window, Ref<ScriptWindow>(this), spec.content != Content::kHtml);
  }
  HResult ReadOpener(ValueKind& opener) override { return Answer(kOpener, opener, spec.opener); }
  HResult ReadParent(ValueKind& parent) override { return Answer(kParent, parent, spec.parent); }
  HResult Quit() override {
    bool quit = false;
    const HResult hr = Answer(kQuit, quit, true);
    if (quit && on_quit) on_quit(*this);
    closed = closed || quit;
    return hr;
  }
  template <class T, class V>
  HResult Answer(Op op, T& out, V value, bool fail = false) {
    ++calls[op];
    if (fail || closed || failing == op) return kFail;
    out = std::move(value);
    return kOk;
  }

  const int id;
  WindowSpec spec;
  bool closed = false;  // quit, or closed by someone else
  int refs = 0;
  int failing = kOps;  // the operation that fails
  std::array<int, kOps> calls{};
  std::function<void(FakeWindow&)>& on_quit;
};

// The shell's collection and its one enumerator (the program never runs two
// walks at once), with one count of the references to both.
class FakeDesktop final : public BrowserAutomation, public ShellWindows, public WindowEnumerator {
 public:
  FakeWindow& Open(const WindowSpec& spec) {
    return windows.emplace_back(on_quit, static_cast<int>(windows.size()), spec);
  }
  long OpenCount() const { return std::ranges::count(windows, false, &FakeWindow::closed); }
  bool AllLetGo() const {
    return std::ranges::all_of(windows, [](auto& w) { return !w.refs; });
  }

  bool CanCallOut() override { return can_call_out; }
  HResult CreateShellWindows(Ref<ShellWindows>& collection) override {
    ++creates;
    if (fail_create) return kFail;
    collection = Ref<ShellWindows>(this);
    return kOk;
  }
  HResult OpenPage(std::string_view) override { return kOk; }
  void AddRef() noexcept override { ++refs; }
  void Release() noexcept override { --refs; }
  HResult Enumerate(Ref<WindowEnumerator>& items) override {
    if (Failed(enumerate_result)) return enumerate_result;
    position_ = nexts_ = 0;
    items = Ref<WindowEnumerator>(this);
    return kOk;
  }
  // Closed windows have left the shell's list.
  HResult Next(Ref<BrowserWindow>& window) override {
    if (nexts_++ == fail_next_at) return kFail;
    while (position_ < windows.size() && windows[position_].closed) ++position_;
    window = nullptr;
    if (position_ == windows.size()) return kFalse;
    FakeWindow& w = windows[position_++];
    if (w.spec.content != Content::kNotABrowser) window = Ref<BrowserWindow>(&w);
    return kOk;
  }

  std::deque<FakeWindow> windows;  // stable addresses
  bool fail_create = false;
  HResult enumerate_result = kOk;  // a failure makes Enumerate answer it
  int fail_next_at = -1;           // the Next call of a walk, from 0, that fails
  bool can_call_out = true;        // false inside a message sent from another thread
  int creates = 0, refs = 0;
  // At every successful Quit, before the window closes.
  std::function<void(FakeWindow&)> on_quit;

 private:
  std::size_t position_ = 0;
  int nexts_ = 0;
};

// The windows made from the layout tables: the live ones, oldest first, and
// how many of each layout were ever made.
struct Screens {
  std::vector<struct FakeLayoutWindow*> live;
  std::map<std::string_view, int> made;
};

// A window with the program's own focus and key rules, and a user's actions
// on it: false, and nothing done, where a user could not act (the window is
// hidden, no button answers). A handler may destroy the window.
struct FakeLayoutWindow final : Window {
  FakeLayoutWindow(Screens& screens, const layout::Window& layout, WindowEvents& events)
      : screens(screens), layout(layout), events(events) {
    screens.live.push_back(this);
    ++screens.made[layout.name];
  }
  ~FakeLayoutWindow() override { std::erase(screens.live, this); }
  void Show() override {
    if (const ControlIndex first = layout::FocusOnShow(layout, visible); first >= 0) focus = first;
    visible = true;
  }
  void Hide() override { visible = false; }
  bool Visible() override { return visible; }
  int CheckState(ControlIndex control) override { return checks[control]; }
  void SetCheckState(ControlIndex control, int state) override {
    if (layout.controls[control].kind == layout::Kind::kCheckBox) checks[control] = state == 1;
  }
  void SetCaption(ControlIndex control, std::string_view text) override {
    captions[control] = text;
  }

  bool Click(ControlIndex control) {
    if (!visible || control < 0) return false;
    const layout::Kind kind = layout.controls[control].kind;
    if (kind == layout::Kind::kCheckBox) checks[control] = 1 - checks[control];
    if (kind == layout::Kind::kCheckBox || kind == layout::Kind::kButton) focus = control;
    events.Click(control);
    return true;
  }
  bool PressEnter() { return Click(layout::EnterButton(layout, focus)); }
  bool PressEscape() { return Click(layout::EscapeButton(layout)); }
  bool PressCloseBox() {
    if (!visible) return false;
    events.CloseRequested();
    return true;
  }

  Screens& screens;
  const layout::Window& layout;
  WindowEvents& events;
  bool visible = false;
  ControlIndex focus = -1;
  std::map<ControlIndex, int> checks;
  std::map<ControlIndex, std::string> captions;
};

struct FakeWindowFactory final : WindowFactory, Screens {
  std::unique_ptr<Window> Create(const layout::Window& layout, WindowEvents& events) override {
    return std::make_unique<FakeLayoutWindow>(*this, layout, events);
  }
};

// Timers on a clock that moves only when a test advances it, a millisecond
// at a time; a timer ticks each time its interval has passed since it was
// switched on or last ticked.
struct VirtualClock final : TimerPort {
  struct FakeTimer final : Timer {
    void SetEnabled(bool on) override {
      if (on != enabled) elapsed = 0;
      enabled = on;
    }
    bool Enabled() const override { return enabled; }
    std::uint32_t interval = 0, elapsed = 0;
    std::function<void()> tick;
    bool enabled = false;
  };
  std::unique_ptr<Timer> CreateTimer(std::uint32_t interval, bool enabled,
                                     std::function<void()> tick) override {
    auto timer = std::make_unique<FakeTimer>();
    timer->interval = interval;
    timer->tick = std::move(tick);
    timer->enabled = enabled;
    timers.push_back(timer.get());
    return timer;
  }
  void Advance(int ms) {
    for (; ms > 0; --ms) {
      for (FakeTimer* t : timers)
        if (t->enabled && ++t->elapsed == t->interval) t->elapsed = 0, t->tick();
    }
  }
  std::vector<FakeTimer*> timers;  // the program's, which outlive every Advance
};

// The program's folder in memory, holding set.ini or not.
struct FakeFiles final : Files {
  static constexpr std::string_view kIni = "C:\\Program Files\\オルボ\\set.ini";
  std::string AppDirectory() override { return "C:\\Program Files\\オルボ"; }
  bool IsOrdinaryFile(std::string_view path) override { return path == kIni && ini; }
  HResult Read(std::string_view path, std::string& bytes) override {
    if (path != kIni || !ini || fail_read) return kFail;
    bytes = *ini;
    return kOk;
  }
  HResult Replace(std::string_view path, std::string_view bytes) override {
    if (path != kIni) return kFail;
    ini = bytes;
    if (on_replace) on_replace();
    return kOk;
  }
  std::optional<std::string> ini;  // none: no set.ini
  bool fail_read = false;
  std::function<void()> on_replace;
};

// Every double, wired into one Platform, with the small ports its own: a
// speaker that counts, an end that is only recorded, and the tray icons by
// name (handle 0x1C00 + their place in the table; other names, and the one
// made to fail, fail as a missing resource).
// The tray icon sits in a fake notification area.
struct FakePlatform : Sound, Process, Icons {
  void Beep() override {
    ++beeps;
    if (on_beep) on_beep();
  }
  void End() override {
    ++ends;
    if (on_end) on_end();
  }
  HResult LoadNamedIcon(std::string_view name, IconHandle& icon) override {
    for (std::size_t i = 0; i < res::kTrayIcons.size(); ++i) {
      if (res::kTrayIcons[i].group != name || name == failing_icon) continue;
      icon = 0x1C00 + i;
      return kOk;
    }
    return static_cast<HResult>(0x80070716u);
  }
  int beeps = 0, ends = 0;
  std::function<void()> on_beep, on_end;
  std::string failing_icon;

  FakeDesktop desktop;
  VirtualClock clock;
  FakeFiles files;
  CodePage ansi;
  FakeTrayShell shell;
  TrayIcon tray{shell, *this};
  FakeWindowFactory screens;
  Platform platform{desktop, clock, *this, *this, files, ansi, screens, *this, tray};
};

}  // namespace orvo::fake

namespace orvo {

// The program on the fake platform, and what a user does and sees.
struct Watcher : fake::FakePlatform {
  using FakeTimer = fake::VirtualClock::FakeTimer;
  Program program{platform};

  // Starts with set.ini holding the options beep, no-menu-bar and new-window
  // as they are, quoted so that their spaces stay.
  void StartWith(std::string_view beep, std::string_view no_menu_bar, std::string_view new_window) {
    files.ini = "\"" + std::string(beep) + "\"\r\n\"" + std::string(no_menu_bar) + "\"\r\n\"" +
                std::string(new_window) + "\"\r\n";
    program.Start();
  }
  FakeTimer& animate() { return *clock.timers.at(1); }
  // A tray menu item (layout::tray_menu), chosen after a right click.
  void Menu(int item) {
    shell.menu_choice = item;
    tray.OnButtonDown(TrayIconEvents::Button::kRight);
  }
  fake::FakeLayoutWindow* Find(const layout::Window& window) {  // the newest live one
    for (auto it = screens.live.rbegin(); it != screens.live.rend(); ++it)
      if (&(*it)->layout == &window) return *it;
    return nullptr;
  }
  fake::FakeLayoutWindow& Options() { return *Find(layout::kOptions); }
  std::string Ini() const { return files.ini.value_or("<missing>"); }
  // The options window's boxes, ticked or not, and the options: "100 1|0|0".
  std::string Settings() {
    using namespace layout::options;
    std::string boxes;
    for (ControlIndex box : {kBeepBox, kNoMenuBarBox, kNewWindowBox})
      boxes += std::to_string(Options().CheckState(box));
    const orvo::Options& options = program.options();
    return boxes + " " + options.beep + "|" + options.no_menu_bar + "|" + options.new_window;
  }
};

}  // namespace orvo
