#include "app/frmMain.h"
#include "res/layout/layouts.h"
#include "ui/Form3.h"

namespace orvo {

Form3::Form3(frmMain& main, Platform& platform)
    : main_(main),
      platform_(platform),
      window_(platform.windows.Create(layout::kForm3, *this)),
      form1_(main, platform),
      about_(platform) {}

void Form3::PopupMenu() {
  using namespace layout::Form3Menu;
  switch (window_->PopupMenu()) {
    case mnuOPTION:
      mnuOPTION_Click();
      break;
    case mnuEnd:
      mnuEnd_Click();
      break;
    case mnuWEB:
      mnuWEB_Click();
      break;
    case mnuVER:
      mnuVER_Click();
      break;
    default:
      break;
  }
}

// The options start over: count 0, blocking on, settings read again.
void Form3::mnuOPTION_Click() {
  main_.Set_INI();
  main_.Show();
}

void Form3::mnuEnd_Click() { form1_.Show(); }

void Form3::mnuWEB_Click() { OpenHomePage(platform_); }

void Form3::mnuVER_Click() { about_.Show(); }

void Form3::Form_Unload() { window_->Hide(); }

void Form3Deleter::operator()(Form3* menu) const { delete menu; }

void OpenHomePage(Platform& platform) { (void)platform.browser.OpenPage(layout::kHomePageAddress); }

}  // namespace orvo
