#include <string>

#include "res/layout/layouts.h"
#include "res/version.h"
#include "ui/Form3.h"
#include "ui/frmAbout.h"

namespace orvo {

frmAbout::frmAbout(Platform& platform) : platform_(platform) {}

void frmAbout::Show() {
  if (!window_) {
    window_ = platform_.windows.Create(layout::kfrmAbout, *this);
    Form_Load();
  }
  window_->Show();
}

// "Orvo_自動広告除去 Version.1.8.0": the product name and the file version's
// numbers as the program's own version information gives them.
void frmAbout::Form_Load() {
  ProgramVersion version;
  if (Failed(platform_.version.ReadProgramVersion(version))) {
    version = {std::string(layout::kfrmMain.title), res::kVersionMajor, res::kVersionMinor,
               res::kVersionRevision};
  }
  const std::string line = version.product_name + " Version." + std::to_string(version.major) +
                           "." + std::to_string(version.minor) + "." +
                           std::to_string(version.revision);
  window_->SetCaption(layout::frmAboutControls::lblVersion, line);
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::Label2_Click() { OpenHomePage(platform_); }

void frmAbout::Click(ControlIndex control) {
  using namespace layout::frmAboutControls;
  if (control == cmdOK) cmdOK_Click();
  if (control == Label2) Label2_Click();
}

void frmAbout::CloseRequested() { Unload(); }

void frmAbout::Unload() { window_.reset(); }

}  // namespace orvo
