// The scan's own cost per window on the fake desktop (scripts/bench): what
// the program adds to the browser calls themselves.
#include <benchmark/benchmark.h>

#include "doubles/fake_platform.h"

namespace orvo {
namespace {

// Mostly ordinary pages, a folder view in ten, a pop-up in fifty; `rule`
// picks the options: 0 opener rule, 1 no-menu-bar rule, 2 new-window rule.
void BM_ScanTick(benchmark::State& state) {
  const auto windows = static_cast<int>(state.range(0));
  Watcher fakes("0", state.range(1) == 1 ? "1" : "0", state.range(1) == 2 ? "1" : "0");
  for (int i = 0; i < windows; ++i) {
    fakes.desktop.Open(i % 50 == 49  ? fake::Popup()
                       : i % 10 == 9 ? fake::FolderView()
                                     : fake::Page());
  }
  fakes.main.Timer2_Timer();  // creates the collection
  for (auto _ : state) {
    state.PauseTiming();
    for (fake::FakeWindow& window : fakes.desktop.windows) window.closed = false;
    state.ResumeTiming();
    fakes.main.Timer2_Timer();
  }
  state.counters["per_window"] = benchmark::Counter(
      windows, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ScanTick)
    ->ArgsProduct({{10, 1000, 10000}, {0, 1, 2}})
    ->ArgNames({"windows", "rule"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvo

BENCHMARK_MAIN();
