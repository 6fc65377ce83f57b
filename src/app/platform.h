#pragma once

#include "platform/ansi.h"
#include "platform/browser.h"
#include "platform/files.h"
#include "platform/icons.h"
#include "platform/process.h"
#include "platform/sound.h"
#include "platform/timer.h"
#include "platform/window.h"
#include "systray/tray_icon.h"

namespace orvo {

// Everything the program reaches outside itself. WinMain fills it with the
// Win32 adapters, the tests with their doubles.
struct Platform {
  BrowserAutomation& browser;
  TimerPort& timers;
  Sound& sound;
  Icons& icons;
  Files& files;
  AnsiCodePage& ansi;
  WindowFactory& windows;
  Process& process;
  // The icon in the notification area, on the program's hidden window.
  TrayIcon& tray;
};

}  // namespace orvo
