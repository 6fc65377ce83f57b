#pragma once

#include "platform/ansi.h"
#include "platform/browser.h"
#include "platform/files.h"
#include "platform/icons.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "platform/version_info.h"
#include "platform/window.h"
#include "systray/cSysTray.h"

namespace orvo {

// Everything the behaviour code reaches outside itself. WinMain fills it with
// the Win32 adapters, the tests with their doubles.
struct Platform {
  BrowserAutomation& browser;
  TimerPort& timers;
  Sound& sound;
  Icons& icons;
  Files& files;
  AnsiCodePage& ansi;
  WindowFactory& windows;
  Process& process;
  VersionInfo& version;
  // The tray icon control, placed on the main window by the platform that
  // hosts it.
  cSysTray& tray;
};

}  // namespace orvo
