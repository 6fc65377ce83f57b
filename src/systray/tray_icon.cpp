#include "systray/tray_icon.h"

#include <variant>

namespace orvo {

TrayIcon::TrayIcon(TrayShell& shell, AnsiCodePage& ansi, Icons& icons, WindowHandle window,
                   std::uint32_t taskbar_created)
    : shell_(shell),
      ansi_(ansi),
      icons_(icons),
      window_(window),
      taskbar_created_(taskbar_created) {}

TrayIcon::~TrayIcon() { SetShown(false); }

void TrayIcon::SetPicture(std::string_view name) {
  IconHandle icon = 0;
  if (Failed(icons_.LoadNamedIcon(name, icon))) return;
  picture_ = icon;
  if (shown_) Notify(kNimModify, kNifIcon);
}

void TrayIcon::SetTip(std::string_view tip) {
  tip_ = tip;
  if (shown_) Notify(kNimModify, kNifTip);
}

void TrayIcon::SetShown(bool shown) {
  if (shown == shown_) return;
  if (shown) {
    shown_ = true;
    Add();
  } else {
    // Messages that the delete brings are still heard.
    Notify(kNimDelete, 0);
    shown_ = false;
  }
}

void TrayIcon::OnWindowMessage(std::uint32_t message, std::uintptr_t /*wparam*/,
                               std::intptr_t lparam) {
  if (!shown_) return;
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    Add();
    return;
  }
  if (message != kCallbackMessage || events_ == nullptr) return;
  switch (lparam) {
    case 0x200:  // WM_MOUSEMOVE
      events_->OnMouseMove();
      break;
    case 0x201:  // WM_LBUTTONDOWN
      events_->OnButtonDown(TrayIconEvents::Button::kLeft);
      break;
    case 0x204:  // WM_RBUTTONDOWN
      events_->OnButtonDown(TrayIconEvents::Button::kRight);
      break;
    default:
      break;
  }
}

// Picture and tip go in with the add itself, each only when there is one.
void TrayIcon::Add() {
  std::uint32_t flags = kNifMessage;
  if (picture_ != 0) flags |= kNifIcon;
  if (!tip_.empty()) flags |= kNifTip;
  Notify(kNimAdd, flags);
}

void TrayIcon::Notify(std::uint32_t message, std::uint32_t flags) {
  const NotifyIconFields fields{
      .hwnd = window_,
      .flags = flags,
      .callback_message = message == kNimAdd ? kCallbackMessage : 0,
      .icon = (flags & kNifIcon) != 0 ? picture_ : 0,
      .tip = tip_,
  };
  const NotifyIconCall call = BuildNotifyIconRecord(ansi_, fields);
  if (const auto* ansi = std::get_if<NotifyIconRecord>(&call)) {
    shell_.NotifyIcon(message, *ansi);
  } else {
    shell_.NotifyIcon(message, std::get<NotifyIconRecordW>(call));
  }
}

}  // namespace orvo
