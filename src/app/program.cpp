#include "app/program.h"

#include <algorithm>
#include <charconv>

#include "res/layout/layouts.h"
#include "res/resource_names.h"

namespace orvo {

namespace {
constexpr std::string_view kCountPrefix = "ブロック数：";
constexpr std::string_view kBlockingOffTip = "広告ブロック機能が無効です";
}  // namespace

std::string_view CountTip(std::uint64_t count, std::array<char, 64>& buffer) {
  char* out = std::copy(kCountPrefix.begin(), kCountPrefix.end(), buffer.data());
  out = std::to_chars(out, buffer.data() + buffer.size(), count).ptr;
  return {buffer.data(), static_cast<std::size_t>(out - buffer.data())};
}

Program::Program(const Platform& platform)
    : platform_(platform),
      settings_(platform.files, platform.ansi),
      scan_(platform.browser, platform.timers, platform.sound, options_,
            [this] { OnPopupBlocked(); }),
      animation_(platform.timers, platform.tray, blocking_off_),
      options_window_(platform.windows, options_, settings_, scan_, [this] { End(); }),
      exit_confirmation_(platform.windows, [this] { End(); }),
      about_box_(platform.windows, platform.browser) {
  platform_.tray.Listen(this);
}

Program::~Program() { platform_.tray.Listen(nullptr); }

void Program::Reset() {
  blocked_count_ = 0;
  blocking_off_ = false;
  // Picture and tip first, so that the icon enters the tray with both.
  platform_.tray.SetPicture(res::kIconNotFlag);
  platform_.tray.SetTip("ブロック：0");
  scan_.SetRunning(true);
  platform_.tray.SetShown(true);
  options_window_.Hide();
  if (const auto ticks = settings_.Load(options_)) options_window_.Tick(*ticks);
}

// Within a closing: the beep (the scan's), the animation, the count, then
// the window quits.
void Program::OnPopupBlocked() {
  animation_.Start();
  ++blocked_count_;
}

void Program::OnButtonDown(Button button) {
  if (button != Button::kLeft) {
    RunMenuCommand();
    return;
  }
  blocking_off_ = !blocking_off_;
  if (!blocking_off_) {
    platform_.tray.SetTip(CountTip(blocked_count_, tip_buffer_));
    scan_.SetRunning(true);
    platform_.tray.SetPicture(res::kIconNotFlag);
  } else {
    platform_.tray.SetTip(kBlockingOffTip);
    scan_.SetRunning(false);
    platform_.tray.SetPicture(res::kIconOnFlag);
  }
}

void Program::OnMouseMove() {
  if (blocking_off_) return;
  platform_.tray.SetTip(CountTip(blocked_count_, tip_buffer_));
}

void Program::RunMenuCommand() {
  using namespace layout::tray_menu;
  switch (platform_.tray.PopupMenu(layout::kTrayMenu)) {
    case kOptionsItem:
      Reset();
      options_window_.Show();
      break;
    case kExitItem:
      exit_confirmation_.Show();
      break;
    case kWebSiteItem:
      OpenHomePage(platform_.browser);
      break;
    case kVersionItem:
      about_box_.Show();
      break;
    default:  // no item chosen
      break;
  }
}

// Also at the end of the session: never stand in the way of log-off or
// shutdown.
void Program::End() {
  settings_.Save(options_);
  platform_.tray.SetShown(false);
  platform_.process.End();
}

}  // namespace orvo
