// No heap allocation once the scan and the animation are running: a program
// of its own, since replacing operator new takes ASan's checks of it away.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "doubles/fake_platform.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace orvo {
namespace {

// Once running, neither a scan tick (under either kind of rule) nor an
// animation tick allocates: the first tick made the collection, the first
// animation loaded every frame.
TEST(ScanCost, SteadyTicksAllocateNothing) {
  for (const char* new_window : {"0", "1"}) {
    Watcher w;
    w.StartWith("1", "1", new_window);
    for (int i = 0; i < 50; ++i) {
      for (const fake::WindowSpec& s :
           {fake::Page(), fake::FolderView(), fake::Popup(true), fake::Popup(false)})
        w.desktop.Open(s);
    }
    w.program.scan().ScanOnce();
    w.clock.Advance(32 * 9);
    w.shell.calls.reserve(w.shell.calls.size() + 100);  // the fakes' own records
    for (int tick = 0; tick < 10; ++tick) {
      w.desktop.Open(fake::Popup(false));  // outside the count: the desktop's own doing
      const long start = g_allocations;
      w.program.scan().ScanOnce();
      w.clock.Advance(32);
      EXPECT_EQ(g_allocations - start, 0) << "tick " << tick;
    }
    w.tray.OnMouseMove();  // the tip: "ブロック数：" and the count
    EXPECT_GT(std::stoi(w.shell.tip.substr(18)), 10);
  }
}

}  // namespace
}  // namespace orvo
