#pragma once

#include <memory>

#include "app/platform.h"

namespace orvo {

// The About box: the version line, the maker's page as a link, OK.
class frmAbout : private WindowEvents {
 public:
  explicit frmAbout(Platform& platform);

  // Shows the box, made anew (and its version line built again) when it was
  // closed.
  void Show();

  void Form_Load();
  void cmdOK_Click();
  void Label2_Click();

 private:
  void Click(ControlIndex control) override;
  void CloseRequested() override;
  void SessionEnding() override {}
  void Unload();

  Platform& platform_;
  std::unique_ptr<Window> window_;
};

}  // namespace orvo
