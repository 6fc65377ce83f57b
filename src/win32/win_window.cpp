#include "win32/win_window.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <numeric>
#include <tuple>

namespace orvo::win32 {

namespace {

using layout::Kind;
using Microsoft::WRL::ComPtr;

constexpr wchar_t kClassName[] = L"OrvoLayoutWindow";

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

struct GlobalDeleter {
  void operator()(void* memory) const { GlobalFree(memory); }
};

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

int Pixels(int twips) {
  const int half = layout::kTwipsPerPixel / 2;
  return twips >= 0 ? (twips + half) / layout::kTwipsPerPixel
                    : -((half - twips) / layout::kTwipsPerPixel);
}

COLORREF Resolve(layout::Colour colour, int fallback_system_index) {
  switch (colour.type) {
    case layout::Colour::Type::kSystem:
      return GetSysColor(static_cast<int>(colour.value));
    case layout::Colour::Type::kRgb:
      return colour.value;
    case layout::Colour::Type::kDefault:
      break;
  }
  return GetSysColor(fallback_system_index);
}

// Owns the windows that must have no taskbar button: an owned window never
// gets one, and a hidden owner shows nothing of its own.
HWND g_owner = nullptr;
int g_owner_users = 0;

HWND AcquireOwner() {
  if (g_owner_users++ == 0) {
    g_owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Instance(),
                              nullptr);
  }
  return g_owner;
}

void ReleaseOwner() {
  if (--g_owner_users == 0 && g_owner != nullptr) {
    DestroyWindow(g_owner);
    g_owner = nullptr;
  }
}

bool RegisterWindowClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

bool IsLayoutWindow(HWND hwnd) {
  wchar_t name[std::size(kClassName) + 1] = {};
  return GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) > 0 &&
         std::wcscmp(name, kClassName) == 0;
}

std::wstring TextOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The ideographic space pads lines as the ASCII one does.
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\u3000'; }

// Lines may break at spaces and on either side of any character outside
// ASCII, as Japanese Windows breaks them; a line never starts with closing
// punctuation.
bool CanBreakBefore(std::wstring_view text, size_t at) {
  if (at == 0 || at >= text.size()) return false;
  if (std::wstring_view(L"、。，．）」』！？").find(text[at]) != std::wstring_view::npos) {
    return false;
  }
  const wchar_t before = text[at - 1], here = text[at];
  return IsSpace(here) || IsSpace(before) || before >= 0x80 || here >= 0x80;
}

// The text cut into lines of at most `width` pixels in the font selected
// into `dc`. The spaces where a line breaks are dropped; a word with no break
// in it overruns its line and is clipped.
std::vector<std::wstring_view> WrapLines(HDC dc, std::wstring_view text, int width) {
  std::vector<std::wstring_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t newline = text.find(L'\n', pos);
    const size_t end = newline == std::wstring_view::npos ? text.size() : newline;
    INT fit = 0;
    SIZE size{};
    GetTextExtentExPointW(dc, text.data() + pos, static_cast<int>(end - pos), width, &fit, nullptr,
                          &size);
    size_t stop = end;
    if (pos + static_cast<size_t>(fit) < end) {
      stop = pos;
      for (size_t at = pos + static_cast<size_t>(fit); at > pos; --at) {
        if (CanBreakBefore(text, at)) {
          stop = at;
          break;
        }
      }
      if (stop == pos) {
        stop = pos + 1;
        while (stop < end && !CanBreakBefore(text, stop)) ++stop;
      }
    }
    std::wstring_view line = text.substr(pos, stop - pos);
    while (!line.empty() && (IsSpace(line.back()) || line.back() == L'\r')) line.remove_suffix(1);
    lines.push_back(line);
    pos = stop;
    if (pos == newline) ++pos;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
  }
  return lines;
}

// Text that stays readable on a face of any colour.
COLORREF TextOn(COLORREF face) {
  const int luma = GetRValue(face) * 299 + GetGValue(face) * 587 + GetBValue(face) * 114;
  return luma < 128 * 1000 ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNTEXT);
}

}  // namespace

WinWindow::WinWindow(const layout::Window& layout, WindowEvents& events)
    : layout_(layout), events_(events), parts_(layout.controls.size()) {}

std::unique_ptr<WinWindow> WinWindow::Make(const layout::Window& layout, WindowEvents& events) {
  std::unique_ptr<WinWindow> window(new WinWindow(layout, events));
  if (!window->Build()) return nullptr;
  return window;
}

WinWindow::~WinWindow() {
  if (hwnd_ != nullptr) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (owned_) ReleaseOwner();
}

bool WinWindow::Build() {
  if (!RegisterWindowClass(&WinWindow::WindowProc)) return false;
  constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
  const DWORD ex_style =
      WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (layout_.taskbar_button ? WS_EX_APPWINDOW : 0);
  const int client_width = Pixels(layout_.client_width);
  const int client_height = Pixels(layout_.client_height);
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, ex_style);

  HWND owner = nullptr;
  if (!layout_.taskbar_button) {
    owned_ = true;
    owner = AcquireOwner();
  }
  background_.reset(CreateSolidBrush(Resolve(layout_.background, COLOR_BTNFACE)));
  const HWND hwnd = CreateWindowExW(ex_style, kClassName, Widen(layout_.title).c_str(), kStyle,
                                    CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                    frame.bottom - frame.top, owner, nullptr, Instance(), nullptr);
  if (hwnd == nullptr) return false;
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  // The frame metrics of a theme or of Wine may differ from what
  // AdjustWindowRectEx assumed; the client size is what the layout fixes.
  RECT client{}, outer{};
  GetClientRect(hwnd_, &client);
  GetWindowRect(hwnd_, &outer);
  const int width = outer.right - outer.left + client_width - client.right;
  const int height = outer.bottom - outer.top + client_height - client.bottom;
  if (layout_.centred) {
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  if (!layout_.icon.empty()) {
    const std::wstring name = Widen(layout_.icon);
    for (const auto& [which, cx, cy] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                        std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
      // Shared: the system frees it with the module.
      HANDLE icon = LoadImageW(Instance(), name.c_str(), IMAGE_ICON, GetSystemMetrics(cx),
                               GetSystemMetrics(cy), LR_SHARED);
      if (icon != nullptr) SendMessageW(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
  }

  // Creation order is the order of Tab (and of the z-order it follows), so
  // the controls are made by tab number, those without one last.
  std::vector<ControlIndex> order(layout_.controls.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](ControlIndex a, ControlIndex b) {
    const int ta = layout_.controls[a].tab, tb = layout_.controls[b].tab;
    return (ta < 0 ? INT_MAX : ta) < (tb < 0 ? INT_MAX : tb);
  });
  for (ControlIndex index : order) CreateControl(index);
  return true;
}

RECT WinWindow::PixelRect(ControlIndex index) const {
  const layout::Control& c = layout_.controls[index];
  int left = c.left, top = c.top;
  // Frames are containers: their children count from the frame's corner.
  for (int holder = c.container; holder >= 0; holder = layout_.controls[holder].container) {
    left += layout_.controls[holder].left;
    top += layout_.controls[holder].top;
  }
  const int x = Pixels(left), y = Pixels(top);
  return {x, y, x + Pixels(c.width), y + Pixels(c.height)};
}

HFONT WinWindow::FontFor(const layout::Font* font) {
  for (const FontEntry& entry : fonts_) {
    if (entry.font == font) return entry.handle.get();
  }
  LOGFONTW logfont{};
  if (font == nullptr) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    logfont = metrics.lfMessageFont;
  } else {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    logfont.lfHeight = -MulDiv(font->size_hundredths, dpi, 7200);
    logfont.lfWeight = font->bold ? FW_BOLD : FW_NORMAL;
    logfont.lfCharSet = static_cast<BYTE>(font->charset);
    const std::wstring face = Widen(font->face);
    std::wcsncpy(logfont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  }
  fonts_.push_back({font, UniqueFont(CreateFontIndirectW(&logfont))});
  return fonts_.back().handle.get();
}

void WinWindow::CreateControl(ControlIndex index) {
  const layout::Control& c = layout_.controls[index];
  Part& part = parts_[index];
  const wchar_t* window_class = L"BUTTON";
  DWORD style = WS_CHILD | WS_VISIBLE;
  COLORREF face = Resolve(c.face, COLOR_BTNFACE);
  switch (c.kind) {
    case Kind::kFrame:
      style |= BS_GROUPBOX;
      break;
    case Kind::kCheckBox:
      style |= BS_AUTOCHECKBOX | WS_TABSTOP;
      break;
    case Kind::kButton:
      // Owner-drawn, as a standard button cannot take a face colour; BS_NOTIFY
      // reports focus changes, which move the default frame.
      style |= BS_OWNERDRAW | BS_NOTIFY | WS_TABSTOP;
      break;
    case Kind::kLabel:
      // Drawn here: the static control's word wrap breaks only at spaces
      // under Wine, and Japanese text has none.
      window_class = L"STATIC";
      style |= SS_OWNERDRAW | SS_NOTIFY;
      if (c.face.type == layout::Colour::Type::kDefault)
        face = Resolve(layout_.background, COLOR_BTNFACE);
      break;
    case Kind::kPicture:
      LoadPicture(index);
      return;
    case Kind::kLine:
      return;
  }
  if ((style & WS_TABSTOP) != 0 && GetNextDlgTabItem(hwnd_, nullptr, FALSE) == nullptr) {
    style |= WS_GROUP;
  }
  const RECT r = PixelRect(index);
  part.hwnd = CreateWindowExW(
      0, window_class, Widen(c.caption).c_str(), style, r.left, r.top, r.right - r.left,
      r.bottom - r.top, hwnd_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)), Instance(), nullptr);
  if (part.hwnd == nullptr) return;
  part.brush.reset(CreateSolidBrush(face));
  SendMessageW(part.hwnd, WM_SETFONT,
               reinterpret_cast<WPARAM>(FontFor(c.font != nullptr ? c.font : layout_.font)), FALSE);
  if (c.kind == Kind::kLabel && !c.resource.empty()) {
    part.cursor = LoadCursorW(Instance(), Widen(c.resource).c_str());
    if (part.cursor == nullptr) part.cursor = LoadCursorW(nullptr, IDC_HAND);
  }
}

void WinWindow::LoadPicture(ControlIndex index) {
  const std::wstring name = Widen(layout_.controls[index].resource);
  const HRSRC found = FindResourceW(Instance(), name.c_str(), RT_RCDATA);
  if (found == nullptr) return;
  const DWORD size = SizeofResource(Instance(), found);
  const void* bytes = LockResource(LoadResource(Instance(), found));
  if (bytes == nullptr || size == 0) return;
  std::unique_ptr<void, GlobalDeleter> memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) return;
  void* copy = GlobalLock(memory.get());
  if (copy == nullptr) return;
  std::memcpy(copy, bytes, size);
  GlobalUnlock(memory.get());

  // The decoders behind OleLoadPicture are COM objects; the picture is
  // turned into a plain bitmap here so that painting needs no apartment.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    ComPtr<IStream> stream;
    ComPtr<IPicture> picture;
    if (SUCCEEDED(CreateStreamOnHGlobal(memory.get(), FALSE, &stream)) &&
        SUCCEEDED(OleLoadPicture(stream.Get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                 reinterpret_cast<void**>(picture.GetAddressOf())))) {
      OLE_XSIZE_HIMETRIC hm_width = 0;
      OLE_YSIZE_HIMETRIC hm_height = 0;
      picture->get_Width(&hm_width);
      picture->get_Height(&hm_height);
      const HDC screen = GetDC(nullptr);
      const int width = MulDiv(hm_width, GetDeviceCaps(screen, LOGPIXELSX), 2540);
      const int height = MulDiv(hm_height, GetDeviceCaps(screen, LOGPIXELSY), 2540);
      UniqueBitmap bitmap(CreateCompatibleBitmap(screen, width, height));
      const HDC dc = CreateCompatibleDC(screen);
      ReleaseDC(nullptr, screen);
      if (bitmap && dc != nullptr) {
        const HGDIOBJ old = SelectObject(dc, bitmap.get());
        RECT all{0, 0, width, height};
        FillRect(dc, &all, background_.get());
        if (SUCCEEDED(picture->Render(dc, 0, 0, width, height, 0, hm_height, hm_width, -hm_height,
                                      nullptr))) {
          picture_ = std::move(bitmap);
          picture_index_ = index;
          picture_size_ = {width, height};
        }
        SelectObject(dc, old);
      }
      if (dc != nullptr) DeleteDC(dc);
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
}

HWND WinWindow::control(ControlIndex control) const {
  if (control < 0 || static_cast<size_t>(control) >= parts_.size()) return nullptr;
  return parts_[control].hwnd;
}

ControlIndex WinWindow::IndexOf(HWND child) const {
  if (child == nullptr) return -1;
  const int index = GetDlgCtrlID(child) - kFirstControlId;
  return control(index) == child ? index : -1;
}

ControlIndex WinWindow::CurrentDefault() const {
  const ControlIndex focused = IndexOf(GetFocus());
  if (focused >= 0 && layout_.controls[focused].kind == Kind::kButton) return focused;
  for (size_t i = 0; i < layout_.controls.size(); ++i) {
    if (layout_.controls[i].is_default && parts_[i].hwnd != nullptr) {
      return static_cast<ControlIndex>(i);
    }
  }
  return -1;
}

void WinWindow::RepaintButtons() {
  for (size_t i = 0; i < parts_.size(); ++i) {
    if (layout_.controls[i].kind == Kind::kButton && parts_[i].hwnd != nullptr) {
      InvalidateRect(parts_[i].hwnd, nullptr, FALSE);
    }
  }
}

void WinWindow::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  ControlIndex first = -1;
  for (size_t i = 0; i < layout_.controls.size(); ++i) {
    const layout::Control& c = layout_.controls[i];
    const bool focusable = c.kind == Kind::kButton || c.kind == Kind::kCheckBox;
    if (focusable && parts_[i].hwnd != nullptr && c.tab >= 0 &&
        (first < 0 || c.tab < layout_.controls[first].tab)) {
      first = static_cast<ControlIndex>(i);
    }
  }
  if (first >= 0) SetFocus(parts_[first].hwnd);
  RepaintButtons();
}

void WinWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }

bool WinWindow::Visible() { return IsWindowVisible(hwnd_) != FALSE; }

int WinWindow::CheckState(ControlIndex control) {
  const HWND hwnd = this->control(control);
  if (hwnd == nullptr || layout_.controls[control].kind != Kind::kCheckBox) return 0;
  return SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void WinWindow::SetCheckState(ControlIndex control, int state) {
  const HWND hwnd = this->control(control);
  if (hwnd == nullptr || layout_.controls[control].kind != Kind::kCheckBox) return;
  SendMessageW(hwnd, BM_SETCHECK, state == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void WinWindow::SetCaption(ControlIndex control, std::string_view text) {
  const HWND hwnd = this->control(control);
  if (hwnd == nullptr) return;
  SetWindowTextW(hwnd, Widen(text).c_str());
  if (layout_.controls[control].transparent) {
    // A transparent label cannot erase its old text; the window under it can.
    RECT r = PixelRect(control);
    RedrawWindow(hwnd_, &r, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

int WinWindow::PopupMenu() {
  if (layout_.menu.empty()) return -1;
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return -1;
  for (size_t i = 0; i < layout_.menu.size(); ++i) {
    const std::string_view caption = layout_.menu[i].caption;
    if (caption == "-") {
      AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu.get(), MF_STRING, i + 1, Widen(caption).c_str());
    }
  }
  POINT at{};
  GetCursorPos(&at);
  // Without the foreground the menu would not close on a click elsewhere.
  SetForegroundWindow(hwnd_);
  const int chosen = TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON,
      at.x, at.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  return chosen > 0 ? chosen - 1 : -1;
}

void WinWindow::Paint(HDC dc) {
  for (size_t i = 0; i < layout_.controls.size(); ++i) {
    const layout::Control& c = layout_.controls[i];
    if (c.kind != Kind::kLine) continue;
    const HPEN pen = CreatePen(PS_SOLID, c.line_width, Resolve(c.face, COLOR_WINDOWTEXT));
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, Pixels(c.left), Pixels(c.top), nullptr);
    LineTo(dc, Pixels(c.width), Pixels(c.height));
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  if (picture_) {
    const RECT r = PixelRect(picture_index_);
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ old = SelectObject(source, picture_.get());
    BitBlt(dc, r.left, r.top, std::min<int>(picture_size_.cx, r.right - r.left),
           std::min<int>(picture_size_.cy, r.bottom - r.top), source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
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
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  LOGBRUSH face{};
  GetObjectW(parts_[index].brush.get(), sizeof face, &face);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) != 0 ? GetSysColor(COLOR_GRAYTEXT)
                                                        : TextOn(face.lbColor));
  RECT text_rect = r;
  if (pressed) OffsetRect(&text_rect, 1, 1);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_rect,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE |
                ((item.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0));
  SelectObject(dc, old_font);

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
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const std::wstring text = TextOf(item.hwndItem);
  int y = r.top;
  for (const std::wstring_view line : WrapLines(dc, text, r.right - r.left)) {
    if (y >= r.bottom) break;
    ExtTextOutW(dc, r.left, y, ETO_CLIPPED, &r, line.data(), static_cast<UINT>(line.size()),
                nullptr);
    y += metrics.tmHeight;
  }
  SelectObject(dc, old_font);
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
  LOGBRUSH brush{};
  GetObjectW(parts_[index].brush.get(), sizeof brush, &brush);
  SetBkColor(dc, brush.lbColor);
  return reinterpret_cast<LRESULT>(parts_[index].brush.get());
}

LRESULT CALLBACK WinWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<WinWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wparam, lparam);
  return self->Handle(msg, wparam, lparam);
}

// The events may destroy this object (a dialog closed by its own button):
// nothing of it is touched after one is raised.
LRESULT WinWindow::Handle(UINT msg, WPARAM wparam, LPARAM lparam) {
  switch (msg) {
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(wparam);
      RECT r{};
      GetClientRect(hwnd_, &r);
      FillRect(dc, &r, background_.get());
      // Frames are opaque panels; the group box itself paints only its edge.
      for (size_t i = 0; i < parts_.size(); ++i) {
        if (layout_.controls[i].kind == Kind::kFrame && parts_[i].brush) {
          const RECT frame = PixelRect(static_cast<ControlIndex>(i));
          FillRect(dc, &frame, parts_[i].brush.get());
        }
      }
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(hwnd_, &ps);
      Paint(dc);
      EndPaint(hwnd_, &ps);
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
    case DM_GETDEFID: {
      const ControlIndex index = CurrentDefault();
      return index < 0 ? 0 : MAKELRESULT(kFirstControlId + index, DC_HASDEFID);
    }
    case WM_COMMAND: {
      const int code = HIWORD(wparam);
      if (LOWORD(wparam) == IDCANCEL) {
        for (size_t i = 0; i < parts_.size(); ++i) {
          if (layout_.controls[i].is_cancel && parts_[i].hwnd != nullptr) {
            events_.Click(static_cast<ControlIndex>(i));
            return 0;
          }
        }
        return 0;
      }
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
    case WM_SETCURSOR: {
      const ControlIndex index = IndexOf(reinterpret_cast<HWND>(wparam));
      if (index >= 0 && parts_[index].cursor != nullptr && LOWORD(lparam) == HTCLIENT) {
        SetCursor(parts_[index].cursor);
        return TRUE;
      }
      break;
    }
    case WM_ACTIVATE:
      // A window made of plain child controls forgets its focus when another
      // window is activated; dialogs keep it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) saved_focus_ = focus;
      } else if (saved_focus_ != nullptr && IsChild(hwnd_, saved_focus_)) {
        SetFocus(saved_focus_);
        return 0;
      }
      break;
    case WM_NEXTDLGCTL: {
      const HWND next = LOWORD(lparam) != 0
                            ? reinterpret_cast<HWND>(wparam)
                            : GetNextDlgTabItem(hwnd_, GetFocus(), wparam != 0 ? TRUE : FALSE);
      if (next != nullptr) SetFocus(next);
      return 0;
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
  return DefWindowProcW(hwnd_, msg, wparam, lparam);
}

namespace {

// What stands in for a window that Windows refused to make (out of window
// handles, say): it shows nothing and reports nothing, and the program goes
// on with its tray icon and its scan.
class NoWindow final : public Window {
 public:
  void Show() override {}
  void Hide() override {}
  bool Visible() override { return false; }
  int CheckState(ControlIndex) override { return 0; }
  void SetCheckState(ControlIndex, int) override {}
  void SetCaption(ControlIndex, std::string_view) override {}
  int PopupMenu() override { return -1; }
};

}  // namespace

std::unique_ptr<Window> WinWindowFactory::Create(const layout::Window& layout,
                                                 WindowEvents& events) {
  if (std::unique_ptr<Window> window = WinWindow::Make(layout, events)) return window;
  return std::make_unique<NoWindow>();
}

bool PreTranslateWindowMessage(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || msg.hwnd == nullptr) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root == nullptr || !IsLayoutWindow(root)) return false;
  return IsDialogMessageW(root, &msg) != FALSE;
}

}  // namespace orvo::win32
