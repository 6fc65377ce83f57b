#pragma once

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"
#include "res/layout/focus.h"

// In-memory windows made from the layout tables, with the program's own
// focus and key rules: check states, captions, visibility and focus, and
// helpers that act as a user would (click, Enter, Esc, the close box, the
// tray menu, log-off).
namespace orvo::fake {

class FakeWindowFactory;

class FakeLayoutWindow final : public Window {
 public:
  FakeLayoutWindow(FakeWindowFactory& factory, const layout::Window& layout, WindowEvents& events);
  ~FakeLayoutWindow() override;
  FakeLayoutWindow(const FakeLayoutWindow&) = delete;
  FakeLayoutWindow& operator=(const FakeLayoutWindow&) = delete;

  void Show() override {
    if (const ControlIndex focus = layout::FocusOnShow(layout_, visible_); focus >= 0)
      focus_ = focus;
    visible_ = true;
  }
  void Hide() override { visible_ = false; }
  bool Visible() override { return visible_; }
  int CheckState(ControlIndex control) override { return checks_.at(control); }
  void SetCheckState(ControlIndex control, int state) override {
    if (layout_.controls[control].kind == layout::Kind::kCheckBox) checks_.at(control) = state == 1;
  }
  void SetCaption(ControlIndex control, std::string_view text) override {
    captions_.at(control) = text;
  }
  int PopupMenu() override;

  const layout::Window& layout() const { return layout_; }
  std::string_view Caption(ControlIndex control) const { return captions_.at(control); }
  // The control with the keyboard focus; -1 while hidden.
  ControlIndex Focused() const { return visible_ ? focus_ : -1; }

  // A user's actions. Each returns false, and does nothing, where a user
  // could not do it: the window is hidden, or the control has no such use.
  // The handler may destroy the window; use FakeWindowFactory::Find after.
  bool Click(ControlIndex control) {
    if (!visible_) return false;
    const layout::Kind kind = layout_.controls[control].kind;
    if (kind == layout::Kind::kCheckBox) checks_[control] = 1 - checks_[control];
    if (kind == layout::Kind::kCheckBox || kind == layout::Kind::kButton) focus_ = control;
    if (kind != layout::Kind::kCheckBox && kind != layout::Kind::kButton &&
        kind != layout::Kind::kLabel)
      return false;
    events_.Click(control);
    return true;
  }
  bool PressEnter() { return Press(layout::EnterButton(layout_, focus_)); }
  bool PressEscape() { return Press(layout::EscapeButton(layout_)); }
  bool PressCloseBox() {
    if (!visible_) return false;
    events_.CloseRequested();  // may destroy this window
    return true;
  }

 private:
  friend class FakeWindowFactory;
  bool Press(ControlIndex button) {
    if (!visible_ || button < 0) return false;
    events_.Click(button);
    return true;
  }

  FakeWindowFactory& factory_;
  const layout::Window& layout_;
  WindowEvents& events_;
  bool visible_ = false;
  ControlIndex focus_ = -1;
  std::vector<int> checks_ = std::vector<int>(layout_.controls.size());
  std::vector<std::string> captions_;
};

class FakeWindowFactory final : public WindowFactory {
 public:
  std::unique_ptr<Window> Create(const layout::Window& layout, WindowEvents& events) override {
    return std::make_unique<FakeLayoutWindow>(*this, layout, events);
  }
  // The live window made from `layout` (the newest), or nullptr.
  FakeLayoutWindow* Find(const layout::Window& layout) const {
    for (auto it = live_.rbegin(); it != live_.rend(); ++it)
      if (&(*it)->layout() == &layout) return *it;
    return nullptr;
  }
  int LiveCount() const { return static_cast<int>(live_.size()); }
  // What the next PopupMenu returns, once; otherwise the user dismisses the
  // menu (-1).
  void ChooseMenuItem(int index) { next_menu_choice_ = index; }
  // Windows ending the session: every live window, shown or hidden, hears it.
  void EndSession() {
    for (FakeLayoutWindow* window : std::vector(live_))
      if (std::ranges::find(live_, window) != live_.end()) window->events_.SessionEnding();
  }

  // "Create frmMain", "PopupMenu Form3 2", "Destroy frmAbout".
  std::vector<std::string> calls;

 private:
  friend class FakeLayoutWindow;
  std::vector<FakeLayoutWindow*> live_;
  std::optional<int> next_menu_choice_;
};

inline FakeLayoutWindow::FakeLayoutWindow(FakeWindowFactory& factory, const layout::Window& layout,
                                          WindowEvents& events)
    : factory_(factory), layout_(layout), events_(events) {
  for (const layout::Control& c : layout.controls) captions_.emplace_back(c.caption);
  factory_.live_.push_back(this);
  factory_.calls.push_back("Create " + std::string(layout_.name));
}

inline FakeLayoutWindow::~FakeLayoutWindow() {
  factory_.calls.push_back("Destroy " + std::string(layout_.name));
  std::erase(factory_.live_, this);
}

inline int FakeLayoutWindow::PopupMenu() {
  const int chosen = layout_.menu.empty() ? -1 : factory_.next_menu_choice_.value_or(-1);
  factory_.next_menu_choice_.reset();
  factory_.calls.push_back("PopupMenu " + std::string(layout_.name) + " " + std::to_string(chosen));
  return chosen;
}

}  // namespace orvo::fake
