#include "res/layout/focus.h"
#include "win32/win_window.h"

namespace orvo::win32 {

using layout::Kind;

// The events may destroy this object (a dialog closed by its own button):
// nothing of it is touched after one is raised.
LRESULT WinWindow::HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_PAINT: {
      const PaintScope paint(hwnd);
      Paint(paint.dc());
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      return ColourStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item->CtlType == ODT_BUTTON) {
        DrawButton(*item);
      } else if (item->CtlType == ODT_STATIC) {
        DrawLabel(*item);
      } else {
        break;
      }
      return TRUE;
    }
    // Owner-drawn buttons do not tell the dialog manager which is the
    // default; the layout's rule does.
    case DM_GETDEFID: {
      const ControlIndex index = CurrentDefault();
      return index < 0 ? 0 : MAKELRESULT(kFirstControlId + index, DC_HASDEFID);
    }
    case WM_COMMAND:
      return Command(wparam);
    case WM_SETCURSOR: {
      const ControlIndex index = IndexOf(reinterpret_cast<HWND>(wparam));
      if (index >= 0 && parts_[index].cursor != nullptr && LOWORD(lparam) == HTCLIENT) {
        SetCursor(parts_[index].cursor);
        return TRUE;
      }
      break;
    }
    case WM_CLOSE:
      events_.CloseRequested();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wparam != FALSE) events_.SessionEnding();
      return 0;
    default:
      break;
  }
  // The dialog manager: Tab's next control, the focus kept while another
  // window is active.
  return DefDlgProcW(hwnd, msg, wparam, lparam);
}

LRESULT WinWindow::Command(WPARAM wparam) {
  if (LOWORD(wparam) == IDCANCEL) {
    const ControlIndex cancel = layout::EscapeButton(layout_);
    if (control(cancel) != nullptr) events_.Click(cancel);
    return 0;
  }
  const int code = HIWORD(wparam);
  const ControlIndex index = static_cast<int>(LOWORD(wparam)) - kFirstControlId;
  if (control(index) == nullptr) return 0;
  switch (layout_.controls[index].kind) {
    case Kind::kButton:
      if (code == BN_SETFOCUS || code == BN_KILLFOCUS) {
        RepaintButtons();
      } else if (code == BN_CLICKED || code == BN_DOUBLECLICKED) {
        // An owner-drawn button reports a quick second click as a double click.
        events_.Click(index);
      }
      return 0;
    case Kind::kCheckBox:
    case Kind::kLabel:
      if (code == BN_CLICKED) events_.Click(index);
      return 0;
    default:
      return 0;
  }
}

bool PreTranslateWindowMessage(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root != nullptr && IsDialogMessageW(root, &msg) != FALSE;
}

}  // namespace orvo::win32
