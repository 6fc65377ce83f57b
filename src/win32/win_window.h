#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "platform/window.h"
#include "win32/message_window.h"
#include "win32/scoped.h"

namespace orvo::win32 {

// Control i of a layout has the identifier kFirstControlId + i: clear of IDOK
// and IDCANCEL, which the dialog manager sends for Enter and Esc.
inline constexpr int kFirstControlId = 100;

// The class of every window made from a layout.
inline constexpr wchar_t kLayoutWindowClass[] = L"OrvoLayoutWindow";

// A layout colour on this system; the default is the system colour
// `fallback_system_index`.
COLORREF Resolve(layout::Colour colour, int fallback_system_index);

// A top-level window built from its layout table. Frames, check boxes, push
// buttons and labels are child windows; lines and the picture are painted on
// the window itself, as they have no window of their own.
//
// The files: win_window.cpp builds it and carries the port's calls,
// window_messages.cpp answers its messages, window_paint.cpp paints it.
class WinWindow final : public Window, private MessageHandler {
 public:
  // nullptr when Windows refuses the window. A window without a taskbar
  // button is owned by `owner`, a hidden window.
  static std::unique_ptr<WinWindow> Make(const layout::Window& layout, WindowEvents& events,
                                         HWND owner);
  WinWindow(const WinWindow&) = delete;
  WinWindow& operator=(const WinWindow&) = delete;

  void Show() override;
  void Hide() override;
  bool Visible() override;
  int CheckState(ControlIndex control) override;
  void SetCheckState(ControlIndex control, int state) override;
  void SetCaption(ControlIndex control, std::string_view text) override;

  HWND hwnd() const { return window_.hwnd(); }
  // nullptr for lines and the picture, which have no window.
  HWND control(ControlIndex control) const;
  // The push button Enter presses now; -1 for none.
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
  bool Build(HWND owner);
  void CreateControl(ControlIndex index);
  HFONT FontFor(const layout::Font* font);
  RECT PixelRect(ControlIndex index) const;
  ControlIndex IndexOf(HWND child) const;
  void RepaintButtons();

  // window_messages.cpp
  LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;
  LRESULT Command(WPARAM wparam);

  // window_paint.cpp
  void EraseBackground(HDC dc);
  void Paint(HDC dc);
  void DrawButton(const DRAWITEMSTRUCT& item);
  void DrawLabel(const DRAWITEMSTRUCT& item);
  LRESULT ColourStatic(HDC dc, HWND child);

  const layout::Window& layout_;
  WindowEvents& events_;
  std::vector<FontEntry> fonts_;
  UniqueBrush background_;
  std::vector<Part> parts_;
  UniqueBitmap picture_;
  ControlIndex picture_index_ = -1;
  SIZE picture_size_{};
  // Last, so that it goes first: the window uses the fonts and brushes above.
  MessageWindow window_;
};

class WinWindowFactory final : public WindowFactory {
 public:
  // `owner` owns the windows without a taskbar button.
  explicit WinWindowFactory(HWND owner) : owner_(owner) {}
  // Never nullptr: a window Windows refuses to make is an inert stand-in.
  std::unique_ptr<Window> Create(const layout::Window& layout, WindowEvents& events) override;

 private:
  HWND owner_;
};

// For the message loop, before TranslateMessage/DispatchMessage: gives the
// program's windows their dialog keys (Tab, Enter, Esc, access keys); the
// hidden window never has the keyboard. True when the message has been
// handled and must not be dispatched.
bool PreTranslateWindowMessage(MSG& msg);

}  // namespace orvo::win32
