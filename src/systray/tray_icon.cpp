#include "systray/tray_icon.h"

namespace orvo {

void TrayIcon::SetPicture(std::string_view name) {
  IconHandle icon = 0;
  if (Failed(icons_.LoadNamedIcon(name, icon))) return;
  picture_ = icon;
  if (shown_) shell_.Notify(kNimModify, kNifIcon, picture_);
}

void TrayIcon::SetTip(std::string_view tip) {
  // The mouse asks for the same tip again and again; the shell converts a
  // new one only.
  if (tip != tip_) shell_.SetTip(tip_ = tip);
  if (shown_) shell_.Notify(kNimModify, kNifTip, 0);
}

void TrayIcon::SetShown(bool shown) {
  if (shown == shown_) return;
  if (shown) {
    shown_ = true;
    Add();
  } else {
    // Messages that the delete brings are still heard.
    shell_.Notify(kNimDelete, 0, 0);
    shown_ = false;
  }
}

void TrayIcon::OnButtonDown(TrayIconEvents::Button button) {
  if (shown_ && events_ != nullptr) events_->OnButtonDown(button);
}

void TrayIcon::OnMouseMove() {
  if (shown_ && events_ != nullptr) events_->OnMouseMove();
}

void TrayIcon::OnTaskbarCreated() {
  if (shown_) Add();
}

// Picture and tip go in with the add itself, each only when there is one.
void TrayIcon::Add() {
  shell_.Notify(kNimAdd,
                kNifMessage | (picture_ != 0 ? kNifIcon : 0) | (tip_.empty() ? 0 : kNifTip),
                picture_);
}

}  // namespace orvo
