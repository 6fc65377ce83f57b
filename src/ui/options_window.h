#pragma once

#include <functional>
#include <memory>

#include "platform/window.h"
#include "scan/popup_scan.h"
#include "settings/options.h"
#include "settings/settings_store.h"

namespace orvo {

// The options window: three boxes that act at once, close-all, OK (also
// Enter and Esc) that saves, キャンセル and the close box that only hide it.
// Made hidden with the program and never destroyed before it.
class OptionsWindow final : private WindowEvents {
 public:
  // `session_ending` runs when Windows ends the session.
  OptionsWindow(WindowFactory& windows, Options& options, SettingsStore& settings, PopupScan& scan,
                std::function<void()> session_ending);

  void Show() { window_->Show(); }
  void Hide() { window_->Hide(); }

  // Ticks the boxes as set.ini says. Setting a box to another state stores it
  // in its option as a click does ("1" or "0").
  void Tick(const SettingsStore::Ticks& ticks);

 private:
  void Click(ControlIndex control) override;
  void CloseRequested() override { Hide(); }
  void SessionEnding() override { session_ending_(); }

  // The box's state into its option.
  void Store(std::size_t option);

  Options& options_;
  SettingsStore& settings_;
  PopupScan& scan_;
  std::function<void()> session_ending_;
  std::unique_ptr<Window> window_;
};

}  // namespace orvo
