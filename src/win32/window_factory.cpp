#include <vector>

#include "win32/win_window.h"

namespace orvo::win32 {

namespace {

// What stands in for a window that Windows refused to make (out of window
// handles, say): it shows nothing and reports nothing, and the program goes
// on with its tray icon and its scan. It keeps the check states it is given,
// so that loading set.ini reads back what it wrote and no setting is lost.
class NoWindow final : public Window {
 public:
  explicit NoWindow(const layout::Window& layout) : checks_(layout.controls.size(), 0) {}

  void Show() override {}
  void Hide() override {}
  bool Visible() override { return false; }
  int CheckState(ControlIndex control) override { return Valid(control) ? checks_[control] : 0; }
  void SetCheckState(ControlIndex control, int state) override {
    if (Valid(control)) checks_[control] = state == 1 ? 1 : 0;
  }
  void SetCaption(ControlIndex, std::string_view) override {}

 private:
  bool Valid(ControlIndex control) const {
    return control >= 0 && static_cast<size_t>(control) < checks_.size();
  }

  std::vector<int> checks_;
};

}  // namespace

std::unique_ptr<Window> WinWindowFactory::Create(const layout::Window& layout,
                                                 WindowEvents& events) {
  if (std::unique_ptr<Window> window = WinWindow::Make(layout, events, owner_)) return window;
  return std::make_unique<NoWindow>(layout);
}

}  // namespace orvo::win32
