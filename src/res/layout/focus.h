#pragma once

#include "res/layout/layout.h"

// Which control has the focus, and which button Enter and Esc press.
namespace orvo::layout {

// Check boxes and push buttons with a tab number; frames, labels, lines and
// pictures never take the focus.
bool TakesFocus(const Control& control);

// Where the focus goes when the window is shown: to the control with the
// lowest tab number that takes it. -1 leaves the focus where it is: a window
// shown already keeps it, so that showing it again cannot move the user off
// the button they chose.
ControlIndex FocusOnShow(const Window& window, bool already_shown);

// The push button Enter presses: the focused one, else the window's default
// button; -1 for none.
ControlIndex EnterButton(const Window& window, ControlIndex focused);

// The button Esc presses; -1 for none.
ControlIndex EscapeButton(const Window& window);

}  // namespace orvo::layout
