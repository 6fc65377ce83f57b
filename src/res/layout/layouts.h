#pragma once

#include <array>
#include <string_view>

#include "res/layout/layout.h"

// The program's three windows and the tray icon's menu. The control
// constants are indices into each window's `controls`; the behaviour code
// names controls only through them.
namespace orvo::layout {

// The maker's page: the About box's address label, the tray menu's web-site
// command.
inline constexpr std::string_view kHomePageAddress = "http://www.orvo.example/";

extern const Window kOptions;
extern const Window kExitConfirmation;
extern const Window kAboutBox;

// "-" is a separator.
inline constexpr std::array<std::string_view, 6> kTrayMenu = {"オプション設定(&O)",
                                                              "-",
                                                              "Orvo自動広告除去を終了する(&X)",
                                                              "-",
                                                              "Orvo Development Webサイト(&W)",
                                                              "バージョン情報(&A)"};

namespace options {
inline constexpr ControlIndex kSettingsFrame = 0;
inline constexpr ControlIndex kBeepBox = 1;
inline constexpr ControlIndex kNoMenuBarBox = 2;
inline constexpr ControlIndex kNewWindowBox = 3;
inline constexpr ControlIndex kUtilitiesFrame = 4;
inline constexpr ControlIndex kCloseAllButton = 5;
inline constexpr ControlIndex kOkButton = 6;
inline constexpr ControlIndex kCancelButton = 7;
}  // namespace options

namespace exit_confirmation {
inline constexpr ControlIndex kQuestion = 0;
inline constexpr ControlIndex kYesButton = 1;
inline constexpr ControlIndex kNoButton = 2;
}  // namespace exit_confirmation

namespace about_box {
inline constexpr ControlIndex kPicture = 0;
inline constexpr ControlIndex kVersion = 1;
inline constexpr ControlIndex kTerms = 2;
inline constexpr ControlIndex kNotice = 3;
inline constexpr ControlIndex kNews = 4;
inline constexpr ControlIndex kUrl = 5;
inline constexpr ControlIndex kLink = 6;
inline constexpr ControlIndex kCopyright = 7;
inline constexpr ControlIndex kOkButton = 8;
inline constexpr ControlIndex kLinkUnderline = 9;
inline constexpr ControlIndex kRedRule = 10;
inline constexpr ControlIndex kWhiteRule = 11;
}  // namespace about_box

// Indices into kTrayMenu, which is also what PopupMenu returns.
namespace tray_menu {
inline constexpr int kOptionsItem = 0;
inline constexpr int kExitItem = 2;
inline constexpr int kWebSiteItem = 4;
inline constexpr int kVersionItem = 5;
}  // namespace tray_menu

}  // namespace orvo::layout
