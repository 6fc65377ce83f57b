#include "ui/about_box.h"

#include <string>

#include "res/layout/layouts.h"
#include "res/version.h"

namespace orvo {

void AboutBox::Show() {
  if (!window_) {
    window_ = windows_.Create(layout::kAboutBox, *this);
    ShowVersionLine();
  }
  window_->Show();
}

// "Orvo_自動広告除去 Version.1.8.0": the product name and the file version's
// numbers as the program's own version information gives them.
void AboutBox::ShowVersionLine() {
  ProgramVersion version;
  if (Failed(version_.ReadProgramVersion(version))) {
    version = {std::string(layout::kOptions.title), res::kVersionMajor, res::kVersionMinor,
               res::kVersionRevision};
  }
  const std::string line = version.product_name + " Version." + std::to_string(version.major) +
                           "." + std::to_string(version.minor) + "." +
                           std::to_string(version.revision);
  window_->SetCaption(layout::about_box::kVersion, line);
}

void AboutBox::Click(ControlIndex control) {
  using namespace layout::about_box;
  if (control == kOkButton) Close();
  if (control == kLink) OpenHomePage(browser_);
}

void OpenHomePage(BrowserAutomation& browser) {
  // Nothing to tell the user: the page simply does not open.
  (void)browser.OpenPage(layout::kHomePageAddress);
}

}  // namespace orvo
