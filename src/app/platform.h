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
  VersionInfo& version;
  // The icon in the notification area, on the tray window the platform
  // made for it.
  TrayIcon& tray;
};

}  // namespace orvo
