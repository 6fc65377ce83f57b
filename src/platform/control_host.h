#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/picture.h"
#include "platform/result.h"
#include "platform/window_proc.h"

namespace orvo {

// The device context a control paints on.
class PaintSurface {
 public:
  // DrawEdge over the rectangle left, top, right, bottom (pixels).
  [[nodiscard]] virtual HResult DrawEdge(int left, int top, int right, int bottom,
                                         std::uint32_t edge, std::uint32_t flags) = 0;

 protected:
  ~PaintSurface() = default;
};

// Stored properties of a control instance. A read of a key that was never
// written gives the default.
class PropertyBag {
 public:
  virtual bool ReadBool(std::string_view key, bool default_value) = 0;
  virtual std::optional<Picture> ReadPicture(std::string_view key,
                                             const std::optional<Picture>& default_value) = 0;
  [[nodiscard]] virtual HResult WriteBool(std::string_view key, bool value) = 0;
  [[nodiscard]] virtual HResult WritePicture(std::string_view key,
                                             const std::optional<Picture>& value) = 0;

 protected:
  ~PropertyBag() = default;
};

// What the container of a user control gives it: its window, the ambient
// user mode, the face picture, its size, and the notice that a stored
// property changed.
class ControlHost {
 public:
  virtual WindowHandle Hwnd() = 0;
  // False while a form designer hosts the control.
  virtual bool UserMode() = 0;
  virtual void PropertyChanged(std::string_view name) = 0;

  virtual std::optional<Picture> FacePicture() = 0;
  virtual void SetFacePicture(const std::optional<Picture>& picture) = 0;

  // The inside, in pixels.
  virtual int ScaleWidth() = 0;
  virtual int ScaleHeight() = 0;
  // The outer size, in the container's twips.
  [[nodiscard]] virtual HResult SetSizeTwips(int width, int height) = 0;

 protected:
  ~ControlHost() = default;
};

}  // namespace orvo
