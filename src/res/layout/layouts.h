#pragma once

#include <string_view>

#include "res/layout/layout.h"

// The program's four windows. The control constants are indices into each
// window's `controls` (or, for Form3, into its `menu`); the behaviour code
// names controls only through them.
namespace orvo::layout {

// The maker's page: the About box's address label, the tray menu's web-site
// command.
inline constexpr std::string_view kHomePageAddress = "http://www.orvo.example/";

extern const Window kfrmMain;
extern const Window kForm1;
extern const Window kfrmAbout;
extern const Window kForm3;

namespace frmMainControls {
inline constexpr ControlIndex Frame1 = 0;
inline constexpr ControlIndex optBEEP = 1;
inline constexpr ControlIndex CheTitle = 2;
inline constexpr ControlIndex Check1 = 3;
inline constexpr ControlIndex Frame2 = 4;
inline constexpr ControlIndex cmdALLIE = 5;
inline constexpr ControlIndex cmdHide = 6;
inline constexpr ControlIndex cmdClose = 7;
}  // namespace frmMainControls

namespace Form1Controls {
inline constexpr ControlIndex Label1 = 0;
inline constexpr ControlIndex Command1 = 1;
inline constexpr ControlIndex Command2 = 2;
}  // namespace Form1Controls

namespace frmAboutControls {
inline constexpr ControlIndex Image1 = 0;
inline constexpr ControlIndex lblVersion = 1;
inline constexpr ControlIndex Label6 = 2;
inline constexpr ControlIndex Label1 = 3;
inline constexpr ControlIndex Label5 = 4;
inline constexpr ControlIndex Label3 = 5;
inline constexpr ControlIndex Label2 = 6;
inline constexpr ControlIndex Label4 = 7;
inline constexpr ControlIndex cmdOK = 8;
inline constexpr ControlIndex Line1_2 = 9;
inline constexpr ControlIndex Line1_1 = 10;
inline constexpr ControlIndex Line1_0 = 11;
}  // namespace frmAboutControls

// Indices into kForm3.menu, which is also what PopupMenu returns.
namespace Form3Menu {
inline constexpr int mnuOPTION = 0;
inline constexpr int bar2 = 1;
inline constexpr int mnuEnd = 2;
inline constexpr int bar3 = 3;
inline constexpr int mnuWEB = 4;
inline constexpr int mnuVER = 5;
}  // namespace Form3Menu

}  // namespace orvo::layout
