#include "ui/about_box.h"

#include "res/layout/layouts.h"
#include "res/version.h"

namespace orvo {

void AboutBox::Show() {
  if (!window_) {
    window_ = windows_.Create(layout::kAboutBox, *this);
    // "Orvo_自動広告除去 Version.1.8.0", as the version block has it.
    window_->SetCaption(layout::about_box::kVersion, res::kVersionLine);
  }
  window_->Show();
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
