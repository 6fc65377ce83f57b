#include "ui/options_window.h"

#include <algorithm>
#include <array>

#include "res/layout/layouts.h"

namespace orvo {

using namespace layout::options;

namespace {
// Each option's box, in the options' order.
constexpr std::array<ControlIndex, 3> kBoxes = {kBeepBox, kNoMenuBarBox, kNewWindowBox};
}  // namespace

OptionsWindow::OptionsWindow(WindowFactory& windows, Options& options, SettingsStore& settings,
                             PopupScan& scan, std::function<void()> session_ending)
    : options_(options),
      settings_(settings),
      scan_(scan),
      session_ending_(std::move(session_ending)),
      window_(windows.Create(layout::kOptions, *this)) {}

void OptionsWindow::Tick(const SettingsStore::Ticks& ticks) {
  for (std::size_t i = 0; i < kBoxes.size(); ++i) {
    const int state = ticks[i] ? 1 : 0;
    if (window_->CheckState(kBoxes[i]) == state) continue;
    window_->SetCheckState(kBoxes[i], state);
    Store(i);
  }
}

// The next scan already uses the new value.
void OptionsWindow::Store(std::size_t option) {
  options_.*kOptionOrder[option] = window_->CheckState(kBoxes[option]) == 1 ? "1" : "0";
}

void OptionsWindow::Click(ControlIndex control) {
  switch (control) {
    case kBeepBox:
    case kNoMenuBarBox:
    case kNewWindowBox:
      Store(std::find(kBoxes.begin(), kBoxes.end(), control) - kBoxes.begin());
      break;
    case kCloseAllButton:
      scan_.CloseAll();
      break;
    case kOkButton:
      settings_.Save(options_);
      Hide();
      break;
    case kCancelButton:
      Hide();
      break;
    default:
      break;
  }
}

}  // namespace orvo
