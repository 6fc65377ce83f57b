#pragma once

#include <array>
#include <optional>
#include <string>

#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/options.h"

namespace orvo {

// set.ini beside the program: read into the options, or created, and the
// options written back. Nothing here fails loudly: a file that cannot be
// read or written leaves the settings as they are, and the program goes on.
class SettingsStore {
 public:
  // Which of the boxes beep, no-menu-bar and new-window show ticked.
  using Ticks = std::array<bool, 3>;

  SettingsStore(Files& files, AnsiCodePage& ansi)
      : files_(files), ansi_(ansi), path_(files.AppDirectory() + "\\set.ini") {}

  // Reads set.ini into `options`, or, where there is none, turns every option
  // off and creates it. Gives what the boxes are to show: only an item that
  // is exactly "1" ticks its box. Nothing, and `options` untouched, where
  // the file is there but cannot be read.
  std::optional<Ticks> Load(Options& options);
  // Writes the options as they are, in one step, so that set.ini always holds
  // either the old settings or the new ones.
  void Save(const Options& options);

 private:
  Files& files_;
  AnsiCodePage& ansi_;
  const std::string path_;
};

}  // namespace orvo
