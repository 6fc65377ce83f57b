#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/icons.h"
#include "platform/tray_shell.h"

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
// and whether it is shown, and its menu.
class TrayIcon {
 public:
  // Hidden, no picture, no tip.
  TrayIcon(TrayShell& shell, Icons& icons) : shell_(shell), icons_(icons) {}
  // Takes the icon out of the tray when shown.
  ~TrayIcon() { SetShown(false); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The icon group `name`; a name that cannot be loaded leaves the picture as
  // it is.
  void SetPicture(std::string_view name);
  // UTF-8.
  void SetTip(std::string_view tip);
  void SetShown(bool shown);
  bool shown() const { return shown_; }
  int PopupMenu(std::span<const std::string_view> items) { return shell_.PopupMenu(items); }

  // Who hears the mouse; nullptr for nobody.
  void Listen(TrayIconEvents* events) { events_ = events; }

  // What the icon's window hears, acted on only while the icon is shown: the
  // mouse over the icon, and a shell that started again without it.
  void OnButtonDown(TrayIconEvents::Button button);
  void OnMouseMove();
  void OnTaskbarCreated();

 private:
  void Add();

  TrayShell& shell_;
  Icons& icons_;
  TrayIconEvents* events_ = nullptr;
  bool shown_ = false;
  std::string tip_;
  IconHandle picture_ = 0;
};

}  // namespace orvo
