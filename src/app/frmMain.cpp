#include "app/frmMain.h"

#include "res/layout/layouts.h"

namespace orvo {

frmMain::frmMain(Platform& platform, OptionFlags& flags)
    : Timer2(platform.timers.CreateTimer(kScanIntervalMs, true, [this] { Timer2_Timer(); })),
      tmrAnimate(
          platform.timers.CreateTimer(kAnimateIntervalMs, false, [this] { tmrAnimate_Timer(); })),
      SysTray(platform.tray),
      platform_(platform),
      flags_(flags),
      window_(platform.windows.Create(layout::kfrmMain, *this)) {
  SysTray.MouseMove = [this](std::int32_t Id) { SysTray_MouseMove(Id); };
  SysTray.MouseDown = [this](std::int16_t Button, std::int32_t Id) {
    SysTray_MouseDown(Button, Id);
  };
}

frmMain::~frmMain() {
  SysTray.MouseMove = nullptr;
  SysTray.MouseDown = nullptr;
}

HResult frmMain::StartBlockAnimation() {
  AnimFrame = 1;
  return tmrAnimate->SetEnabled(true);
}

void frmMain::ShowTrayIcon(std::string_view name) {
  Picture icon;
  if (Succeeded(platform_.icons.LoadNamedIcon(name, icon))) SysTray.TrayIcon(icon);
}

void frmMain::WalkShellWindows(void (frmMain::*visit)()) {
  // Every call would be refused; the next tick scans.
  if (!platform_.browser.CanCallOut()) return;
  // Without a collection the next walk tries again to create one.
  if (!ShellWins && Failed(platform_.browser.CreateShellWindows(ShellWins))) return;
  Ref<WindowEnumerator> items;
  if (!ShellWins) return;
  const HResult listed = ShellWins->Enumerate(items);
  // The collection of a shell that has gone (Explorer restarted) answers
  // nothing ever again: the next walk makes a new one.
  if (ServerGone(listed)) ShellWins.reset();
  if (Failed(listed) || !items) return;
  while (items->Next(BrowserWin) == kOk) {
    if (BrowserWin) (this->*visit)();
  }
  // Hold on to no window between walks: it may be gone by the next one.
  BrowserWin.reset();
}

}  // namespace orvo
