#include "systray/cSysTray.h"

#include <variant>

#include "systray/notify_icon_record.h"

namespace orvo {

namespace {

NotifyIconFields Addressed(WindowHandle hwnd, std::int32_t id) {
  NotifyIconFields fields;
  fields.hwnd = hwnd;
  fields.id = static_cast<std::uint32_t>(id);
  return fields;
}

}  // namespace

cSysTray::cSysTray(const SysTrayPorts& ports) : ports_(ports), ControlHwnd(ports.host.Hwnd()) {}

cSysTray::~cSysTray() {
  if (InTray()) InTray(false);
}

void cSysTray::TrayIcon(const std::optional<Picture>& Icon) {
  if (!Icon || Icon->type != Picture::Type::kIcon) return;
  if (IconAdded) {
    NotifyIconFields fields = Addressed(ControlHwnd, IconID);
    fields.flags = kNifIcon;
    fields.icon = Icon->handle;
    fields.tip = TipText;
    Notify(kNimModify, fields);
  }
  IconPicture = Icon;
  ports_.host.SetFacePicture(Icon);
  ports_.host.PropertyChanged("TrayIcon");
}

void cSysTray::TrayTip(std::string_view Tip) {
  if (IconAdded) {
    NotifyIconFields fields = Addressed(ControlHwnd, IconID);
    fields.flags = kNifTip;
    fields.tip = Tip;
    Notify(kNimModify, fields);
  }
  TipText = Tip;
}

void cSysTray::InTray(bool Show) {
  if (Show == InTrayValue) return;
  if (Show) {
    // A form designer only records the value.
    if (ports_.host.UserMode()) {
      mSysTray::InstallHook(ports_.window_procs, ControlHwnd, this);
      AddToTray(ControlHwnd, IconID, TrayTip(), TrayIcon());
      IconAdded = true;
    }
  } else if (IconAdded) {
    RemoveFromTray(ControlHwnd, IconID);
    // Only now: the delete may still bring messages through the hook.
    mSysTray::RemoveHook(ports_.window_procs, ControlHwnd);
    IconAdded = false;
  }
  InTrayValue = Show;
  ports_.host.PropertyChanged("InTray");
}

void cSysTray::InitProperties() {
  InTray(false);
  TrayIcon(ports_.host.FacePicture());
}

void cSysTray::ReadProperties(PropertyBag& PropBag) {
  // In this order: a stored True adds the icon before its picture is known.
  InTray(PropBag.ReadBool("InTray", false));
  TrayIcon(PropBag.ReadPicture("TrayIcon", ports_.host.FacePicture()));
}

HResult cSysTray::WriteProperties(PropertyBag& PropBag) {
  if (const HResult hr = PropBag.WriteBool("InTray", InTrayValue); Failed(hr)) return hr;
  return PropBag.WritePicture("TrayIcon", IconPicture);
}

HResult cSysTray::Resize() { return ports_.host.SetSizeTwips(kSizeTwips, kSizeTwips); }

HResult cSysTray::Paint(PaintSurface& surface) {
  return surface.DrawEdge(0, 0, ports_.host.ScaleWidth(), ports_.host.ScaleHeight(),
                          kBdrRaisedOuter, kBfRectSoft);
}

void cSysTray::TrayMouseMessage(std::int32_t& Msg, std::int32_t& Id) {
  switch (Msg) {
    case 0x200:  // WM_MOUSEMOVE
      if (MouseMove) MouseMove(Id);
      break;
    case 0x201:  // WM_LBUTTONDOWN
      if (MouseDown) MouseDown(1, Id);
      break;
    case 0x202:  // WM_LBUTTONUP
      if (MouseUp) MouseUp(1, Id);
      break;
    case 0x203:  // WM_LBUTTONDBLCLK
      if (MouseDblClick) MouseDblClick(1, Id);
      break;
    case 0x204:  // WM_RBUTTONDOWN
      if (MouseDown) MouseDown(2, Id);
      break;
    case 0x205:  // WM_RBUTTONUP
      if (MouseUp) MouseUp(2, Id);
      break;
    case 0x206:  // WM_RBUTTONDBLCLK
      if (MouseDblClick) MouseDblClick(2, Id);
      break;
    default:
      break;
  }
}

void cSysTray::ShellRestarted() {
  if (IconAdded) AddToTray(ControlHwnd, IconID, TrayTip(), TrayIcon());
}

void cSysTray::AddToTray(WindowHandle hWnd, std::int32_t ID, std::string_view Tip,
                         const std::optional<Picture>& Icon) {
  NotifyIconFields fields = Addressed(hWnd, ID);
  if (Icon) {
    fields.icon = Icon->handle;
    fields.flags |= kNifIcon;
  }
  fields.tip = Tip;
  if (!Tip.empty()) fields.flags |= kNifTip;
  fields.callback_message = mSysTray::TrayCallbackMessage;
  fields.flags |= kNifMessage;
  Notify(kNimAdd, fields);
}

void cSysTray::RemoveFromTray(WindowHandle hWnd, std::int32_t ID) {
  NotifyIconFields fields = Addressed(hWnd, ID);
  fields.tip = TipText;
  Notify(kNimDelete, fields);
}

void cSysTray::Notify(std::uint32_t message, const NotifyIconFields& fields) {
  const NotifyIconCall call = BuildNotifyIconRecord(ports_.ansi, fields);
  // The shell's answer changes nothing: the icon's state is what was asked.
  if (const auto* ansi = std::get_if<NotifyIconRecord>(&call)) {
    (void)ports_.shell.NotifyIcon(message, *ansi);
  } else if (const auto* wide = std::get_if<NotifyIconRecordW>(&call)) {
    (void)ports_.shell.NotifyIcon(message, *wide);
  }
}

}  // namespace orvo
