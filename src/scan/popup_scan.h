#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/browser.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "settings/options.h"

namespace orvo {

// Once a second, walks the shell's collection of browser windows and closes
// the advertisement pop-ups the options describe; also closes every page at
// the user's word. It owns the collection (made on first use, kept while it
// works) and the timer of the scan.
class PopupScan {
 public:
  static constexpr std::uint32_t kIntervalMs = 1000;

  // Runs from the start. `blocked` hears of each pop-up about to be closed.
  PopupScan(BrowserAutomation& browser, TimerPort& timers, Sound& sound, const Options& options,
            std::function<void()> blocked);

  // Switches the scan on or off; on, the next tick is a full interval away.
  void SetRunning(bool running) { timer_->SetEnabled(running); }
  bool running() const { return timer_->Enabled(); }

  // One tick: judges every window and closes the pop-ups.
  void ScanOnce();
  // Quits every browser window that shows an HTML page, pop-up or not.
  void CloseAll();

 private:
  // Runs `visit` for every browser window of the collection. A walk never
  // starts inside another (a call into the browser may let a tick in), nor
  // where no call can go out.
  template <class Visit>
  void Walk(Visit visit);
  template <class Visit>
  void WalkCollection(Visit& visit);

  void Judge(BrowserWindow& window);
  void Block(BrowserWindow& window, bool beep_rule);

  BrowserAutomation& browser_;
  Sound& sound_;
  const Options& options_;
  std::function<void()> blocked_;
  Ref<ShellWindows> collection_;
  bool walking_ = false;
  std::unique_ptr<Timer> timer_;
};

}  // namespace orvo
