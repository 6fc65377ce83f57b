#include <string>

#include "app/frmMain.h"
#include "res/layout/layouts.h"
#include "settings/settings_file.h"

namespace orvo {

namespace {
std::string SettingsPath(Files& files) { return files.AppDirectory() + "\\set.ini"; }
}  // namespace

// Reads set.ini into the flags and the check boxes, or creates it. Nothing
// here fails loudly: a file that cannot be read or created leaves the
// settings as they are, and the program goes on.
void frmMain::LoadSettingsFile() {
  using namespace layout::frmMainControls;
  const std::string path = SettingsPath(platform_.files);
  if (!platform_.files.IsOrdinaryFile(path)) {
    flags_.BeepFlag = "0";
    flags_.NoToolbarFlag = "0";
    flags_.NewWindowFlag = "0";
    (void)platform_.files.Replace(path, settings::kCreatedForm);
    // The boxes show what the flags now say: all off.
    for (ControlIndex box : {optBEEP, CheTitle, Check1}) SetCheckValue(box, 0);
    return;
  }

  std::string bytes;
  if (Failed(platform_.files.Read(path, bytes))) return;
  const std::array<std::string, 3> items = settings::ReadItems(bytes);
  flags_.BeepFlag = platform_.ansi.ToUtf8(items[0]);
  flags_.NoToolbarFlag = platform_.ansi.ToUtf8(items[1]);
  flags_.NewWindowFlag = platform_.ansi.ToUtf8(items[2]);
  SetCheckValue(optBEEP, items[0] == "1" ? 1 : 0);
  SetCheckValue(CheTitle, items[1] == "1" ? 1 : 0);
  SetCheckValue(Check1, items[2] == "1" ? 1 : 0);
}

// Writes the flags as they are; set.ini is replaced in one step, so that it
// always holds either the old settings or the new ones.
void frmMain::SaveSettingsFile() {
  AnsiCodePage& ansi = platform_.ansi;
  (void)platform_.files.Replace(
      SettingsPath(platform_.files),
      settings::SavedForm(ansi.FromUtf8(flags_.BeepFlag), ansi.FromUtf8(flags_.NoToolbarFlag),
                          ansi.FromUtf8(flags_.NewWindowFlag)));
}

}  // namespace orvo
