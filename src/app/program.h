#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "app/platform.h"
#include "scan/popup_scan.h"
#include "settings/options.h"
#include "settings/settings_store.h"
#include "ui/about_box.h"
#include "ui/block_animation.h"
#include "ui/exit_confirmation.h"
#include "ui/options_window.h"

namespace orvo {

// "ブロック数：" and the count in digits only (1234, not 1,234), built in
// `buffer`: the tray asks for it on every mouse move.
std::string_view CountTip(std::uint64_t count, std::array<char, 64>& buffer);

// The program: whether blocking is on, how many pop-ups it closed, and the
// parts that do the work, wired together. One instance lives for the whole
// run.
class Program final : private TrayIconEvents {
 public:
  explicit Program(const Platform& platform);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Start-up: the icon into the tray, the scan running, set.ini read.
  void Start() { Reset(); }

  // What tests drive besides the user's hands, and read.
  PopupScan& scan() { return scan_; }
  const Options& options() const { return options_; }

 private:
  // Start-up, and what the options command runs before it shows the window:
  // the count starts again and blocking is on, whatever it was.
  void Reset();
  void OnPopupBlocked();
  // The left button switches blocking off and on again; any other opens the
  // menu.
  void OnButtonDown(Button button) override;
  void OnMouseMove() override;
  // Pops up the tray menu and runs the command chosen.
  void RunMenuCommand();
  // Saves the settings, takes the icon out of the tray and ends the process.
  void End();

  const Platform platform_;
  bool blocking_off_ = false;
  std::uint64_t blocked_count_ = 0;
  Options options_;
  SettingsStore settings_;
  PopupScan scan_;
  BlockAnimation animation_;
  OptionsWindow options_window_;
  ExitConfirmation exit_confirmation_;
  AboutBox about_box_;
  std::array<char, 64> tip_buffer_{};
};

}  // namespace orvo
