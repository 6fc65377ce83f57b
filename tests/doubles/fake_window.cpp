#include "doubles/fake_window.h"

#include <algorithm>

#include "res/layout/focus.h"

namespace orvo::fake {

FakeLayoutWindow::FakeLayoutWindow(FakeWindowFactory& factory, const layout::Window& layout,
                                   WindowEvents& events)
    : factory_(factory),
      layout_(layout),
      events_(events),
      checks_(layout.controls.size(), 0),
      captions_(layout.controls.size()) {
  for (size_t i = 0; i < layout.controls.size(); ++i) {
    captions_[i] = std::string(layout.controls[i].caption);
  }
  factory_.live_.push_back(this);
  Log("Create " + std::string(layout_.name));
}

FakeLayoutWindow::~FakeLayoutWindow() {
  Log("Destroy " + std::string(layout_.name));
  std::erase(factory_.live_, this);
}

void FakeLayoutWindow::Log(const std::string& line) { factory_.calls.push_back(line); }

bool FakeLayoutWindow::ValidControl(ControlIndex control) const {
  return control >= 0 && static_cast<size_t>(control) < layout_.controls.size();
}

std::string FakeLayoutWindow::Name(ControlIndex control) const {
  return std::string(layout_.name) + " " +
         (ValidControl(control) ? std::string(layout_.controls[control].name)
                                : "#" + std::to_string(control));
}

void FakeLayoutWindow::Show() {
  Log("Show " + std::string(layout_.name));
  const ControlIndex focus = layout::FocusOnShow(layout_, visible_);
  if (focus >= 0) focus_ = focus;
  visible_ = true;
}

void FakeLayoutWindow::Hide() {
  Log("Hide " + std::string(layout_.name));
  visible_ = false;
}

int FakeLayoutWindow::CheckState(ControlIndex control) {
  return ValidControl(control) ? checks_[control] : 0;
}

void FakeLayoutWindow::SetCheckState(ControlIndex control, int state) {
  Log("SetCheckState " + Name(control) + " " + std::to_string(state));
  if (ValidControl(control) && layout_.controls[control].kind == layout::Kind::kCheckBox) {
    checks_[control] = state == 1 ? 1 : 0;
  }
}

void FakeLayoutWindow::SetCaption(ControlIndex control, std::string_view text) {
  Log("SetCaption " + Name(control) + " " + std::string(text));
  if (ValidControl(control)) captions_[control] = std::string(text);
}

std::string_view FakeLayoutWindow::Caption(ControlIndex control) const {
  return ValidControl(control) ? std::string_view(captions_[control]) : std::string_view();
}

int FakeLayoutWindow::PopupMenu() {
  int chosen = -1;
  if (!layout_.menu.empty() && factory_.next_menu_choice_) chosen = *factory_.next_menu_choice_;
  factory_.next_menu_choice_.reset();
  Log("PopupMenu " + std::string(layout_.name) + " " + std::to_string(chosen));
  return chosen;
}

bool FakeLayoutWindow::Click(ControlIndex control) {
  if (!visible_ || !ValidControl(control)) return false;
  switch (layout_.controls[control].kind) {
    case layout::Kind::kCheckBox:
      checks_[control] = 1 - checks_[control];
      focus_ = control;
      break;
    case layout::Kind::kButton:
      focus_ = control;
      break;
    case layout::Kind::kLabel:
      break;
    default:
      return false;
  }
  events_.Click(control);
  return true;
}

bool FakeLayoutWindow::PressEnter() {
  if (!visible_) return false;
  const ControlIndex target = layout::EnterButton(layout_, focus_);
  if (target < 0) return false;
  events_.Click(target);
  return true;
}

bool FakeLayoutWindow::PressEscape() {
  if (!visible_) return false;
  const ControlIndex target = layout::EscapeButton(layout_);
  if (target < 0) return false;
  events_.Click(target);
  return true;
}

bool FakeLayoutWindow::PressCloseBox() {
  if (!visible_) return false;
  events_.CloseRequested();
  return true;
}

std::unique_ptr<Window> FakeWindowFactory::Create(const layout::Window& layout,
                                                  WindowEvents& events) {
  return std::make_unique<FakeLayoutWindow>(*this, layout, events);
}

FakeLayoutWindow* FakeWindowFactory::Find(const layout::Window& layout) const {
  for (auto it = live_.rbegin(); it != live_.rend(); ++it) {
    if (&(*it)->layout() == &layout) return *it;
  }
  return nullptr;
}

void FakeWindowFactory::EndSession() {
  // A handler may destroy windows on the way.
  const std::vector<FakeLayoutWindow*> windows = live_;
  for (FakeLayoutWindow* window : windows) {
    if (std::find(live_.begin(), live_.end(), window) == live_.end()) continue;
    window->Log("EndSession " + std::string(window->layout().name));
    window->events_.SessionEnding();
  }
}

}  // namespace orvo::fake
