#include "ui/exit_confirmation.h"

#include "res/layout/layouts.h"

namespace orvo {

void ExitConfirmation::Show() {
  if (!window_) window_ = windows_.Create(layout::kExitConfirmation, *this);
  window_->Show();
}

void ExitConfirmation::Click(ControlIndex control) {
  using namespace layout::exit_confirmation;
  if (control == kYesButton) yes_();
  if (control == kNoButton) Close();
}

}  // namespace orvo
