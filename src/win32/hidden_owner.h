#pragma once

#include <windows.h>

namespace orvo::win32 {

// A share in the hidden window that owns the program's windows that must
// have no taskbar button: an owned window never gets one, and a hidden owner
// shows nothing of its own. The owner lives while anyone holds a share.
class HiddenOwner {
 public:
  // Holds a share only when `wanted`.
  explicit HiddenOwner(bool wanted);
  ~HiddenOwner();
  HiddenOwner(const HiddenOwner&) = delete;
  HiddenOwner& operator=(const HiddenOwner&) = delete;

  // nullptr without a share.
  HWND hwnd() const;

 private:
  bool held_;
};

}  // namespace orvo::win32
