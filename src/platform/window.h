#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "res/layout/layout.h"

namespace orvo {

using layout::ControlIndex;

// What a window tells the code behind it. Each call runs on the UI thread,
// from the message loop.
class WindowEvents {
 public:
  // A button was pressed (click, Space, Enter or Esc through the default and
  // cancel roles, access key), a check box changed by the user, a label with
  // a handler clicked.
  virtual void Click(ControlIndex control) = 0;
  // The close box, Alt+F4 or the system menu's Close. Nothing happens unless
  // the handler hides or destroys the window.
  virtual void CloseRequested() = 0;
  // Windows is ending the session; after this returns the process may be
  // ended at any time.
  virtual void SessionEnding() = 0;

 protected:
  ~WindowEvents() = default;
};

// One top-level window made from its layout; destroying the object destroys
// the window. It is created hidden.
class Window {
 public:
  virtual ~Window() = default;

  // Shows it modeless and active; the focus goes to the control with the
  // lowest tab number.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() = 0;

  // Check boxes: 0 unticked, 1 ticked. Setting raises no Click.
  virtual int CheckState(ControlIndex control) = 0;
  virtual void SetCheckState(ControlIndex control, int state) = 0;
  virtual void SetCaption(ControlIndex control, std::string_view text) = 0;
};

class WindowFactory {
 public:
  // Never nullptr.
  virtual std::unique_ptr<Window> Create(const layout::Window& layout, WindowEvents& events) = 0;

 protected:
  ~WindowFactory() = default;
};

}  // namespace orvo
