// What one tick costs: the browser calls each kind of window takes, and no
// heap allocation once the scan is running.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/watcher_fixture.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

// Counts every allocation of the test program; the scan must make none.
void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace orvo {
namespace {

using fake::FakeWindow;
using fake::Op;
using fake::WindowSpec;

struct CostCase {
  const char* path;
  const char* beep;
  const char* no_toolbar;
  const char* new_window;
  WindowSpec window;
  // Document, TestHtml, parentWindow, opener, Parent, MenuBar, Quit
  std::array<int, fake::kOpCount> calls;
};

WindowSpec NoParent(WindowSpec spec) {
  spec.parent = ValueKind::kNull;
  return spec;
}

TEST(ScanCost, EachPathMakesExactlyTheCallsItsStepsName) {
  const CostCase cases[] = {
      {"shell folder window", "1", "0", "0", fake::FolderView(), {1, 1, 0, 0, 0, 0, 0}},
      {"page no page opened", "1", "0", "0", fake::Page(), {1, 1, 1, 1, 0, 0, 0}},
      {"pop-up, new-window rule", "1", "1", "1", fake::Popup(true), {1, 1, 1, 1, 0, 0, 1}},
      {"pop-up, no-menu-bar rule", "1", "1", "0", fake::Popup(false), {1, 1, 1, 1, 0, 1, 1}},
      {"pop-up left open by the menu bar", "1", "1", "0", fake::Popup(true), {1, 1, 1, 1, 0, 1, 0}},
      {"pop-up, opener rule", "1", "0", "0", fake::Popup(true), {1, 1, 4, 3, 1, 0, 1}},
      {"pop-up left open by the opener rule",
       "1",
       "0",
       "0",
       NoParent(fake::Popup(true)),
       {1, 1, 4, 3, 1, 0, 0}},
  };
  for (const CostCase& c : cases) {
    Watcher w;
    w.SetFlags(c.beep, c.no_toolbar, c.new_window);
    FakeWindow& win = w.desktop.Open(c.window);
    w.main.Timer2_Timer();
    for (std::size_t op = 0; op < fake::kOpCount; ++op) {
      EXPECT_EQ(win.calls(static_cast<Op>(op)), c.calls[op])
          << c.path << ": " << fake::OpName(static_cast<Op>(op));
    }
  }
}

TEST(ScanCost, ASteadyTickAllocatesNothing) {
  for (const char* new_window : {"0", "1"}) {
    Watcher w;
    w.SetFlags("1", "1", new_window);
    for (int i = 0; i < 50; ++i) {
      w.desktop.Open(fake::Page());
      w.desktop.Open(fake::FolderView());
      w.desktop.Open(fake::Popup(true));
      w.desktop.Open(fake::Popup(false));
    }
    w.main.Timer2_Timer();  // the first tick creates the collection
    for (int tick = 0; tick < 10; ++tick) {
      w.desktop.Open(fake::Popup(false));  // outside the count: the desktop's own doing
      const long start = g_allocations;
      w.main.Timer2_Timer();
      EXPECT_EQ(g_allocations - start, 0) << "tick " << tick;
    }
    EXPECT_GT(w.main.BlockCount, 10);
  }
}

// The animation's ticks load and set icons; none of that may allocate once
// every frame has been shown once.
TEST(ScanCost, AnAnimationTickAllocatesNothing) {
  Watcher w;
  w.SetFlags("0", "0", "1");
  w.tray.InTray(true);
  w.desktop.Open(fake::Popup());
  w.main.Timer2_Timer();
  w.clock.Advance(32 * 9);
  // The fakes' own records of the calls they get.
  w.shell.calls.reserve(w.shell.calls.size() + 100);
  w.tray_host.notices.reserve(w.tray_host.notices.size() + 100);

  w.desktop.window(0).Reopen();
  w.main.Timer2_Timer();
  for (int tick = 0; tick < 9; ++tick) {
    const long start = g_allocations;
    w.clock.Advance(32);
    EXPECT_EQ(g_allocations - start, 0) << "tick " << tick;
  }
  EXPECT_EQ(w.ShownIcon(), "02");
}

}  // namespace
}  // namespace orvo
