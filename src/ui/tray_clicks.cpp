#include <algorithm>

#include "app/frmMain.h"
#include "res/resource_names.h"
#include "ui/Form3.h"
#include "ui/count_text.h"

namespace orvo {

namespace {

constexpr std::string_view kCountPrefix = "ブロック数：";
constexpr std::string_view kBlockingOffTip = "広告ブロック機能が無効です";

}  // namespace

// "ブロック数：" and the count in digits only (1234, not 1,234), built in
// place: the tray asks for it on every mouse move.
std::string_view frmMain::CountTip() {
  char* out = count_tip_.data();
  out = std::copy(kCountPrefix.begin(), kCountPrefix.end(), out);
  out = AppendCount(BlockCount, out);
  return {count_tip_.data(), static_cast<std::size_t>(out - count_tip_.data())};
}

// The left button switches blocking off and on again; any other opens the
// menu.
void frmMain::SysTray_MouseDown(std::int16_t& Button, std::int32_t /*Id*/) {
  if (Button == 1) {
    BlockingOff = !BlockingOff;
    if (!BlockingOff) {
      SysTray.TrayTip(CountTip());
      (void)Timer2->SetEnabled(true);
      ShowTrayIcon(res::kIconNotFlag);
    } else {
      SysTray.TrayTip(kBlockingOffTip);
      (void)Timer2->SetEnabled(false);
      ShowTrayIcon(res::kIconOnFlag);
    }
    return;
  }
  if (!form3_) form3_.reset(new Form3(*this, platform_));
  form3_->PopupMenu();
}

void frmMain::SysTray_MouseMove(std::int32_t /*Id*/) {
  if (BlockingOff) return;
  SysTray.TrayTip(CountTip());
}

}  // namespace orvo
