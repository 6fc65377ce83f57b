#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "win32/text.h"
#include "platform/window.h"

namespace orvo::win32 {

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct WindowDeleter {
  void operator()(HWND hwnd) const { DestroyWindow(hwnd); }
};
using UniqueHwnd = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// Control i of a layout has the identifier kFirstControlId + i: clear of IDOK
// and IDCANCEL, which the dialog manager sends for Enter and Esc.
inline constexpr int kFirstControlId = 100;

// A top-level window built from its layout table. Frames, check boxes, push
// buttons and labels are child windows; lines and the picture are painted on
// the window itself, as they have no window of their own.
class WinWindow final : public Window {
 public:
  // nullptr when Windows refuses the window.
  static std::unique_ptr<WinWindow> Make(const layout::Window& layout, WindowEvents& events);
  ~WinWindow() override;
  WinWindow(const WinWindow&) = delete;
  WinWindow& operator=(const WinWindow&) = delete;

  void Show() override;
  void Hide() override;
  bool Visible() override;
  int CheckState(ControlIndex control) override;
  void SetCheckState(ControlIndex control, int state) override;
  void SetCaption(ControlIndex control, std::string_view text) override;
  int PopupMenu() override;

  HWND hwnd() const { return hwnd_; }
  // nullptr for lines and the picture, which have no window.
  HWND control(ControlIndex control) const;
  // The push button Enter presses now: the focused one, else the layout's
  // default; -1 for none.
  ControlIndex CurrentDefault() const;

 private:
  struct Part {
    HWND hwnd = nullptr;
    UniqueBrush brush;  // button face or label background
    HCURSOR cursor = nullptr;
  };
  struct FontEntry {
    const layout::Font* font;
    UniqueFont handle;
  };

  WinWindow(const layout::Window& layout, WindowEvents& events);
  bool Build();
  void CreateControl(ControlIndex index);
  HFONT FontFor(const layout::Font* font);
  RECT PixelRect(ControlIndex index) const;
  ControlIndex IndexOf(HWND child) const;
  void LoadPicture(ControlIndex index);
  void Paint(HDC dc);
  void DrawButton(const DRAWITEMSTRUCT& item);
  void DrawLabel(const DRAWITEMSTRUCT& item);
  LRESULT ColourStatic(HDC dc, HWND child);
  void RepaintButtons();

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT msg, WPARAM wparam, LPARAM lparam);

  const layout::Window& layout_;
  WindowEvents& events_;
  HWND hwnd_ = nullptr;
  bool owned_ = false;  // holds a reference on the hidden owner
  std::vector<Part> parts_;
  std::vector<FontEntry> fonts_;
  UniqueBrush background_;
  UniqueBrush frame_face_;
  UniqueBitmap picture_;
  ControlIndex picture_index_ = -1;
  SIZE picture_size_{};
  HWND saved_focus_ = nullptr;
};

class WinWindowFactory final : public WindowFactory {
 public:
  // Never nullptr: a window Windows refuses to make is an inert stand-in.
  std::unique_ptr<Window> Create(const layout::Window& layout, WindowEvents& events) override;
};

// For the message loop, before TranslateMessage/DispatchMessage: gives the
// program's windows their dialog keys (Tab, Enter, Esc, access keys). True
// when the message has been handled and must not be dispatched.
bool PreTranslateWindowMessage(MSG& msg);

}  // namespace orvo::win32
