// The scan's own cost per window, on the fake desktop: what the program adds
// to the browser calls themselves.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/frmMain.h"
#include "doubles/fake_platform.h"

namespace orvo {
namespace {

// Mostly ordinary pages, some folder views, one pop-up in fifty; `rule`
// picks the options: 0 opener rule, 1 no-menu-bar rule, 2 new-window rule.
void BM_ScanTick(benchmark::State& state) {
  const auto windows = static_cast<int>(state.range(0));
  fake::FakePlatform fakes;
  fake::FakeDesktop& desktop = fakes.desktop;
  OptionFlags flags{"0", state.range(1) == 1 ? "1" : "0", state.range(1) == 2 ? "1" : "0"};
  frmMain main(fakes.platform, flags);

  std::vector<fake::FakeWindow*> popups;
  for (int i = 0; i < windows; ++i) {
    if (i % 50 == 49) {
      popups.push_back(&desktop.Open(fake::Popup(false)));
    } else if (i % 10 == 9) {
      desktop.Open(fake::FolderView());
    } else {
      desktop.Open(fake::Page());
    }
  }
  main.Timer2_Timer();  // creates the collection

  for (auto _ : state) {
    state.PauseTiming();
    for (fake::FakeWindow* popup : popups) popup->Reopen();
    state.ResumeTiming();
    main.Timer2_Timer();
  }
  state.counters["per_window"] = benchmark::Counter(
      static_cast<double>(windows),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["closed_per_tick"] = static_cast<double>(popups.size());
}
BENCHMARK(BM_ScanTick)
    ->ArgsProduct({{10, 1000, 10000}, {0, 1, 2}})
    ->ArgNames({"windows", "rule"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvo

BENCHMARK_MAIN();
