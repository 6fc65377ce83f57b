#include "res/layout/layouts.h"

#include <array>

#include "res/resource_names.h"

namespace orvo::layout {
namespace {

constexpr int kShiftJis = 128;
constexpr Colour kWhite = Colour::Rgb(255, 255, 255);
constexpr Colour kBlack = Colour::Rgb(0, 0, 0);
constexpr Colour kBlue = Colour::Rgb(0, 0, 255);
constexpr Colour kRed = Colour::Rgb(255, 0, 0);
constexpr int kColorWindow = 5;
constexpr int kColorCaptionText = 9;

constexpr Font kPGothic9{"ＭＳ Ｐゴシック", 900, false, kShiftJis};
constexpr Font kPGothic975Bold{"ＭＳ Ｐゴシック", 975, true, kShiftJis};

constexpr std::string_view kTitle = "Orvo_自動広告除去";

// The options window.
constexpr std::array kOptionsControls = {
    Control{.name = "settings",
            .kind = Kind::kFrame,
            .caption = "設定",
            .left = 120,
            .top = 120,
            .width = 4095,
            .height = 1455,
            .tab = 2},
    Control{.name = "beep",
            .kind = Kind::kCheckBox,
            .container = 0,
            .caption = "広告ブロック時にBeep音を鳴らす",
            .left = 120,
            .top = 240,
            .width = 3255,
            .height = 375,
            .tab = 3},
    Control{.name = "no_menu_bar",
            .kind = Kind::kCheckBox,
            .container = 0,
            .caption = "ツールバーの無いウインドウを広告と判断する",
            .left = 120,
            .top = 600,
            .width = 3855,
            .height = 375,
            .tab = 6},
    Control{.name = "new_window",
            .kind = Kind::kCheckBox,
            .container = 0,
            .caption = "新しいウィンドウで開いたブラウザは全て閉じる",
            .left = 120,
            .top = 960,
            .width = 3855,
            .height = 375,
            .tab = 7},
    Control{.name = "utilities",
            .kind = Kind::kFrame,
            .caption = "ユーティリティ",
            .left = 120,
            .top = 1680,
            .width = 4095,
            .height = 735,
            .tab = 4},
    Control{.name = "close_all",
            .kind = Kind::kButton,
            .container = 4,
            .caption = "起動中のIEをすべて閉じる",
            .left = 120,
            .top = 240,
            .width = 3855,
            .height = 375,
            .tab = 5},
    // Esc saves too: OK is both roles, キャンセル neither.
    Control{.name = "ok",
            .kind = Kind::kButton,
            .caption = "OK",
            .left = 2160,
            .top = 2520,
            .width = 975,
            .height = 315,
            .tab = 0,
            .is_default = true,
            .is_cancel = true,
            .face = Colour::System(kColorCaptionText)},
    Control{.name = "cancel",
            .kind = Kind::kButton,
            .caption = "キャンセル",
            .left = 3240,
            .top = 2520,
            .width = 975,
            .height = 315,
            .tab = 1,
            .face = kWhite},
};

// The exit confirmation. No default or cancel button: Esc does nothing.
constexpr std::array kExitConfirmationControls = {
    Control{.name = "question",
            .kind = Kind::kLabel,
            .caption = "本プログラムを終了します",
            .left = 360,
            .top = 240,
            .width = 2895,
            .height = 375,
            .tab = 1,
            .face = kWhite},
    Control{.name = "yes",
            .kind = Kind::kButton,
            .caption = "はい(&Y)",
            .left = 1080,
            .top = 840,
            .width = 1095,
            .height = 375,
            .tab = 0,
            .face = kWhite},
    Control{.name = "no",
            .kind = Kind::kButton,
            .caption = "いいえ(&N)",
            .left = 2280,
            .top = 840,
            .width = 1095,
            .height = 375,
            .tab = 2,
            .face = kWhite},
};

constexpr std::string_view kTermsText =
    "────────使用承諾 および 免責────────"
    "■本プログラムを使用した結果，いかなる損害が生じても当人\u3000 "
    "は責任を負いませんのでご了承ください。"
    "                     "
    "■本件に承諾していただけない場合，本プログラムの使用は"
    "      "
    "ご遠慮ください。";

// The About box. Lines carry (x1, y1, x2, y2) in left/top/width/height.
constexpr std::array kAboutBoxControls = {
    Control{.name = "picture",
            .kind = Kind::kPicture,
            .left = 120,
            .top = 120,
            .width = 1410,
            .height = 870,
            .resource = res::kAboutPicture},
    // Its caption is built when the box opens.
    Control{.name = "version",
            .kind = Kind::kLabel,
            .left = 1680,
            .top = 240,
            .width = 3885,
            .height = 225,
            .tab = 1,
            .font = &kPGothic975Bold,
            .transparent = true},
    Control{.name = "terms",
            .kind = Kind::kLabel,
            .caption = kTermsText,
            .left = 1680,
            .top = 630,
            .width = 4695,
            .height = 1005,
            .tab = 7,
            .transparent = true},
    Control{.name = "notice",
            .kind = Kind::kLabel,
            .caption = "本プログラムを作者の許可なく複製・再配布することを固く禁じます。",
            .left = 180,
            .top = 1920,
            .width = 6165,
            .height = 825,
            .tab = 2,
            .text = kBlack,
            .transparent = true},
    Control{.name = "news",
            .kind = Kind::kLabel,
            .caption = "最新情報",
            .left = 1980,
            .top = 2940,
            .width = 795,
            .height = 255,
            .tab = 5,
            .transparent = true},
    Control{.name = "url",
            .kind = Kind::kLabel,
            .caption = "URL",
            .left = 2865,
            .top = 2955,
            .width = 375,
            .height = 255,
            .tab = 4,
            .text = kBlue,
            .transparent = true},
    Control{.name = "link",
            .kind = Kind::kLabel,
            .caption = kHomePageAddress,
            .left = 3345,
            .top = 2955,
            .width = 3015,
            .height = 255,
            .tab = 3,
            .text = kBlue,
            .resource = res::kHandCursor,
            .transparent = true},
    Control{.name = "copyright",
            .kind = Kind::kLabel,
            .caption = "Copyright (C) Orvo Development",
            .left = 1005,
            .top = 3435,
            .width = 3975,
            .height = 255,
            .tab = 6,
            .transparent = true},
    Control{.name = "ok",
            .kind = Kind::kButton,
            .caption = "OK",
            .left = 5085,
            .top = 3315,
            .width = 1260,
            .height = 345,
            .tab = 0,
            .is_default = true,
            .is_cancel = true,
            .face = kWhite},
    Control{.name = "link_underline",
            .kind = Kind::kLine,
            .left = 3345,
            .top = 3150,
            .width = 6225,
            .height = 3150,
            .face = kBlue},
    Control{.name = "red_rule",
            .kind = Kind::kLine,
            .left = -405,
            .top = 2640,
            .width = 6480,
            .height = 2640,
            .face = kRed},
    Control{.name = "white_rule",
            .kind = Kind::kLine,
            .left = 0,
            .top = 1680,
            .width = 6450,
            .height = 1695,
            .face = kWhite,
            .line_width = 2},
};

constexpr std::array kTrayMenuItems = {
    MenuItem{"オプション設定(&O)"},
    MenuItem{"-"},
    MenuItem{"Orvo自動広告除去を終了する(&X)"},
    MenuItem{"-"},
    MenuItem{"Orvo Development Webサイト(&W)"},
    MenuItem{"バージョン情報(&A)"},
};

}  // namespace

const Window kOptions{.name = "options",
                      .title = kTitle,
                      .client_width = 4335,
                      .client_height = 2955,
                      .taskbar_button = true,
                      .background = Colour::System(kColorWindow),
                      .font = &kPGothic9,
                      .icon = res::kIconNotFlag,
                      .controls = kOptionsControls};

const Window kExitConfirmation{.name = "exit_confirmation",
                               .title = kTitle,
                               .client_width = 3480,
                               .client_height = 1335,
                               .background = kWhite,
                               .controls = kExitConfirmationControls};

const Window kAboutBox{.name = "about_box",
                       .title = "ﾊﾞｰｼﾞｮﾝ情報",
                       .client_width = 6480,
                       .client_height = 3750,
                       .background = kWhite,
                       .controls = kAboutBoxControls};

// Never shown: it only carries the tray menu.
const Window kTrayMenu{.name = "tray_menu",
                       .title = "frmmenu",
                       .client_width = 1800,
                       .client_height = 75,
                       .centred = false,
                       .menu = kTrayMenuItems};

}  // namespace orvo::layout
