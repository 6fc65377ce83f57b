#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ansi.h"
#include "platform/icons.h"
#include "platform/tray_shell.h"
#include "systray/notify_icon_record.h"

namespace orvo {

// What the user does to the icon, as its owner hears it.
class TrayIconEvents {
 public:
  enum class Button : std::uint8_t { kLeft, kRight };
  virtual void OnButtonDown(Button button) = 0;
  virtual void OnMouseMove() = 0;

 protected:
  ~TrayIconEvents() = default;
};

// The program's one icon in the notification area: its picture, its tooltip
// and whether it is shown. The tray window's procedure hands it the shell's
// messages.
class TrayIcon {
 public:
  // WM_USER + 101, registered with the shell by every add.
  static constexpr std::uint32_t kCallbackMessage = 1125;

  // Hidden, no picture, no tip, for the icon of `window` (identifier 0).
  // `taskbar_created` is the shell's registered "TaskbarCreated" message.
  TrayIcon(TrayShell& shell, AnsiCodePage& ansi, Icons& icons, WindowHandle window,
           std::uint32_t taskbar_created);
  // Takes the icon out of the tray when shown.
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The icon group `name`; a name that cannot be loaded leaves the picture as
  // it is.
  void SetPicture(std::string_view name);
  // UTF-8.
  void SetTip(std::string_view tip);
  void SetShown(bool shown);
  bool shown() const { return shown_; }

  // Who hears the mouse; nullptr for nobody.
  void Listen(TrayIconEvents* events) { events_ = events; }

  // Every message of the tray window: the icon's callback raises the mouse
  // events, "TaskbarCreated" puts the icon back into a shell that lost it.
  // Heard only while the icon is shown.
  void OnWindowMessage(std::uint32_t message, std::uintptr_t wparam, std::intptr_t lparam);

 private:
  void Add();
  // The record's form follows the tip the icon has as of the call, also when
  // the call does not set it: so the icon keeps to one form for as long as
  // its tip does.
  void Notify(std::uint32_t message, std::uint32_t flags);

  TrayShell& shell_;
  AnsiCodePage& ansi_;
  Icons& icons_;
  const WindowHandle window_;
  const std::uint32_t taskbar_created_;
  TrayIconEvents* events_ = nullptr;
  bool shown_ = false;
  std::string tip_;
  IconHandle picture_ = 0;
};

}  // namespace orvo
