#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

// In-memory windows made from the layout tables: check states, captions,
// visibility and focus, a journal of the port calls, and helpers that act as
// a user would (click, Enter, Esc, the close box, the tray menu, log-off).
namespace orvo::fake {

class FakeWindowFactory;

class FakeLayoutWindow final : public Window {
 public:
  FakeLayoutWindow(FakeWindowFactory& factory, const layout::Window& layout, WindowEvents& events);
  ~FakeLayoutWindow() override;
  FakeLayoutWindow(const FakeLayoutWindow&) = delete;
  FakeLayoutWindow& operator=(const FakeLayoutWindow&) = delete;

  void Show() override;
  void Hide() override;
  bool Visible() override { return visible_; }
  int CheckState(ControlIndex control) override;
  void SetCheckState(ControlIndex control, int state) override;
  void SetCaption(ControlIndex control, std::string_view text) override;
  int PopupMenu() override;

  const layout::Window& layout() const { return layout_; }
  std::string_view Caption(ControlIndex control) const;
  // The control with the keyboard focus; -1 while hidden.
  ControlIndex Focused() const { return visible_ ? focus_ : -1; }

  // A user's actions. Each returns false, and does nothing, where a user
  // could not do it: the window is hidden, or the control has no such use.
  // The handler may destroy the window; use FakeWindowFactory::Find after.
  //
  // A mouse click: a check box toggles before Click runs; a button or check
  // box takes the focus; a label just reports it.
  bool Click(ControlIndex control);
  // Enter presses the focused button, else the default button.
  bool PressEnter();
  // Esc presses the cancel button; without one nothing happens (false).
  bool PressEscape();
  bool PressCloseBox();

 private:
  friend class FakeWindowFactory;
  bool ValidControl(ControlIndex control) const;
  std::string Name(ControlIndex control) const;
  void Log(const std::string& line);

  FakeWindowFactory& factory_;
  const layout::Window& layout_;
  WindowEvents& events_;
  bool visible_ = false;
  ControlIndex focus_ = -1;
  std::vector<int> checks_;
  std::vector<std::string> captions_;
};

class FakeWindowFactory final : public WindowFactory {
 public:
  std::unique_ptr<Window> Create(const layout::Window& layout, WindowEvents& events) override;

  // The live window made from `layout` (the newest), or nullptr.
  FakeLayoutWindow* Find(const layout::Window& layout) const;
  int LiveCount() const { return static_cast<int>(live_.size()); }
  // What the next PopupMenu returns, once; otherwise the user dismisses the
  // menu (-1).
  void ChooseMenuItem(int index) { next_menu_choice_ = index; }
  // Windows ending the session: every live window, shown or hidden, hears it.
  void EndSession();

  // One line per port call: "Create frmMain", "Show frmMain",
  // "SetCheckState frmMain optBEEP 1", "SetCaption frmAbout lblVersion …",
  // "PopupMenu Form3 2", "Destroy frmAbout".
  std::vector<std::string> calls;

 private:
  friend class FakeLayoutWindow;
  std::vector<FakeLayoutWindow*> live_;
  std::optional<int> next_menu_choice_;
};

}  // namespace orvo::fake
