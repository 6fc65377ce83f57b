#include <algorithm>
#include <string>

#include "res/layout/geometry.h"
#include "res/layout/label_text.h"
#include "win32/win_window.h"

namespace orvo::win32 {

namespace {

using layout::Kind;
using layout::Pixels;

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

HGDIOBJ FontOf(HWND control) {
  return reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
}

COLORREF FaceOf(HBRUSH brush) {
  LOGBRUSH face{};
  GetObjectW(brush, sizeof face, &face);
  return face.lbColor;
}

}  // namespace

void WinWindow::EraseBackground(HDC dc) {
  RECT r{};
  GetClientRect(hwnd(), &r);
  FillRect(dc, &r, background_.get());
  // Frames are opaque panels; the group box itself paints only its edge.
  for (size_t i = 0; i < parts_.size(); ++i) {
    if (layout_.controls[i].kind == Kind::kFrame && parts_[i].brush) {
      const RECT frame = PixelRect(static_cast<ControlIndex>(i));
      FillRect(dc, &frame, parts_[i].brush.get());
    }
  }
}

void WinWindow::Paint(HDC dc) {
  for (const layout::Control& c : layout_.controls) {
    if (c.kind != Kind::kLine) continue;
    const UniquePen pen(CreatePen(PS_SOLID, c.line_width, Resolve(c.face, COLOR_WINDOWTEXT)));
    const Selection selected(dc, pen.get());
    MoveToEx(dc, Pixels(c.left), Pixels(c.top), nullptr);
    LineTo(dc, Pixels(c.width), Pixels(c.height));
  }
  if (picture_) {
    const RECT r = PixelRect(picture_index_);
    const UniqueDc source(CreateCompatibleDC(dc));
    const Selection selected(source.get(), picture_.get());
    BitBlt(dc, r.left, r.top, std::min<int>(picture_size_.cx, r.right - r.left),
           std::min<int>(picture_size_.cy, r.bottom - r.top), source.get(), 0, 0, SRCCOPY);
  }
}

void WinWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  const ControlIndex index = IndexOf(item.hwndItem);
  if (index < 0) return;
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (CurrentDefault() == index) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  FillRect(dc, &r, parts_[index].brush.get());
  if (pressed) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  }

  const std::wstring text = TextOf(item.hwndItem);
  {
    const Selection font(dc, FontOf(item.hwndItem));
    SetBkMode(dc, TRANSPARENT);
    const bool light = layout::WantsLightText(FaceOf(parts_[index].brush.get()));
    SetTextColor(dc, (item.itemState & ODS_DISABLED) != 0 ? GetSysColor(COLOR_GRAYTEXT)
                     : light                              ? RGB(255, 255, 255)
                                                          : GetSysColor(COLOR_BTNTEXT));
    RECT text_rect = r;
    if (pressed) OffsetRect(&text_rect, 1, 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE |
                  ((item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0));
  }

  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(dc, &r);
  }
}

void WinWindow::DrawLabel(const DRAWITEMSTRUCT& item) {
  const ControlIndex index = IndexOf(item.hwndItem);
  if (index < 0) return;
  const layout::Control& c = layout_.controls[index];
  const HDC dc = item.hDC;
  const RECT r = item.rcItem;
  if (!c.transparent) FillRect(dc, &r, parts_[index].brush.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Resolve(c.text, COLOR_BTNTEXT));
  const Selection font(dc, FontOf(item.hwndItem));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const std::wstring text = TextOf(item.hwndItem);
  const auto fit = [dc](std::wstring_view part, int width) {
    INT fits = 0;
    SIZE size{};
    GetTextExtentExPointW(dc, part.data(), static_cast<int>(part.size()), width, &fits, nullptr,
                          &size);
    return static_cast<std::size_t>(std::max(fits, 0));
  };
  int y = r.top;
  for (const std::wstring_view line : layout::BreakLines(text, r.right - r.left, fit)) {
    if (y >= r.bottom) break;
    ExtTextOutW(dc, r.left, y, ETO_CLIPPED, &r, line.data(), static_cast<UINT>(line.size()),
                nullptr);
    y += metrics.tmHeight;
  }
}

LRESULT WinWindow::ColourStatic(HDC dc, HWND child) {
  const ControlIndex index = IndexOf(child);
  if (index < 0) return reinterpret_cast<LRESULT>(background_.get());
  const layout::Control& c = layout_.controls[index];
  SetTextColor(dc, Resolve(c.text, c.kind == Kind::kLabel ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  if (c.transparent) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
  SetBkColor(dc, FaceOf(parts_[index].brush.get()));
  return reinterpret_cast<LRESULT>(parts_[index].brush.get());
}

}  // namespace orvo::win32
