#include "res/layout/focus.h"

namespace orvo::layout {

namespace {

ControlIndex FirstWhere(const Window& window, bool (*pick)(const Control&)) {
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    if (pick(window.controls[i])) return static_cast<ControlIndex>(i);
  }
  return -1;
}

}  // namespace

bool TakesFocus(const Control& control) {
  return control.tab >= 0 && (control.kind == Kind::kButton || control.kind == Kind::kCheckBox);
}

ControlIndex FocusOnShow(const Window& window, bool already_shown) {
  if (already_shown) return -1;
  ControlIndex first = -1;
  for (std::size_t i = 0; i < window.controls.size(); ++i) {
    const Control& c = window.controls[i];
    if (TakesFocus(c) && (first < 0 || c.tab < window.controls[first].tab)) {
      first = static_cast<ControlIndex>(i);
    }
  }
  return first;
}

ControlIndex EnterButton(const Window& window, ControlIndex focused) {
  if (focused >= 0 && static_cast<std::size_t>(focused) < window.controls.size() &&
      window.controls[focused].kind == Kind::kButton) {
    return focused;
  }
  return FirstWhere(window, [](const Control& c) { return c.is_default; });
}

ControlIndex EscapeButton(const Window& window) {
  return FirstWhere(window, [](const Control& c) { return c.is_cancel; });
}

}  // namespace orvo::layout
