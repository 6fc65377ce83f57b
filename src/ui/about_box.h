#pragma once

#include <memory>

#include "platform/browser.h"
#include "platform/window.h"

namespace orvo {

// The About box: the version line, the maker's page as a link, OK.
class AboutBox final : private WindowEvents {
 public:
  AboutBox(WindowFactory& windows, BrowserAutomation& browser)
      : windows_(windows), browser_(browser) {}

  // Shows the box, made anew when it was closed.
  void Show();

 private:
  void Click(ControlIndex control) override;
  void CloseRequested() override { Close(); }
  void SessionEnding() override {}
  void Close() { window_.reset(); }

  WindowFactory& windows_;
  BrowserAutomation& browser_;
  std::unique_ptr<Window> window_;
};

// Opens the maker's page in a new browser window. When that fails nothing
// changes and nothing is shown.
void OpenHomePage(BrowserAutomation& browser);

}  // namespace orvo
