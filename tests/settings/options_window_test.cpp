#include <gtest/gtest.h>

#include <string>

#include "app/watcher_fixture.h"
#include "res/layout/layouts.h"

namespace orvo {
namespace {

using namespace layout::frmMainControls;
using fake::FakeFiles;
using namespace std::literals;

// The program started in a folder whose set.ini holds `ini` (none when
// nullopt), with the options window at hand.
struct Options : testing::Test {
  Watcher w;

  fake::FakeLayoutWindow& window() { return *w.screens.Find(layout::kfrmMain); }
  void WriteIni(std::string_view bytes) { w.files.entries[FakeFiles::SetIni()].bytes = bytes; }
  std::string Ini() {
    const FakeFiles::Entry* e = w.files.Find(FakeFiles::SetIni());
    return e ? e->bytes : "<missing>";
  }
  std::array<int, 3> Boxes() {
    return {window().CheckState(optBEEP), window().CheckState(CheTitle),
            window().CheckState(Check1)};
  }
  std::array<std::string, 3> Flags() {
    return {w.flags.BeepFlag, w.flags.NoToolbarFlag, w.flags.NewWindowFlag};
  }
  // The tray menu's options command.
  void OpenOptions() {
    w.main.Set_INI();
    w.main.Show();
  }
};

TEST_F(Options, AFreshStartCreatesSetIniAndPutsOneIconIntoTheTray) {
  w.main.Form_Load();

  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
  EXPECT_EQ(Flags(), (std::array<std::string, 3>{"0", "0", "0"}));
  EXPECT_EQ(Boxes(), (std::array<int, 3>{0, 0, 0}));
  EXPECT_FALSE(window().Visible());
  // Picture and tip went in with the add itself: one call, flags 7.
  ASSERT_EQ(w.shell.calls.size(), 1u);
  EXPECT_EQ(w.shell.calls[0].message, kNimAdd);
  EXPECT_EQ(w.shell.calls[0].record[12], 7);
  EXPECT_EQ(w.ShownIcon(), "NOTFLAG");
  EXPECT_EQ(w.ShownTip(), "ブロック：0");
  w.desktop.Open(fake::Popup());
  w.clock.Advance(999);
  EXPECT_EQ(w.desktop.enumerations(), 0);
  w.clock.Advance(1);
  EXPECT_EQ(w.desktop.enumerations(), 1);
}

struct LoadCase {
  const char* name;
  std::string_view ini;
  std::array<int, 3> boxes;
  std::array<std::string, 3> flags;
};
void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class LoadAtStartUp : public Options, public testing::WithParamInterface<LoadCase> {};

TEST_P(LoadAtStartUp, TicksOnlyExactOnesAndKeepsEveryTextInItsFlag) {
  WriteIni(GetParam().ini);
  w.main.Form_Load();
  EXPECT_EQ(Boxes(), GetParam().boxes);
  EXPECT_EQ(Flags(), GetParam().flags);
  EXPECT_EQ(Ini(), GetParam().ini);  // reading never writes
}

const LoadCase kLoadCases[] = {
    {"Created", " 0 \r\n 0 \r\n 0 \r\n", {0, 0, 0}, {"0", "0", "0"}},
    {"BeepOnly", "1\r\n0\r\n0\r\n", {1, 0, 0}, {"1", "0", "0"}},
    {"AllOnOneLine", "1,1,1\r\n", {1, 1, 1}, {"1", "1", "1"}},
    {"Empty", "", {0, 0, 0}, {"", "", ""}},
    {"TwoLines", "0\r\n1\r\n", {0, 1, 0}, {"0", "1", ""}},
    {"LeadingZero", "01\r\n1\r\n2\r\n", {0, 1, 0}, {"01", "1", "2"}},
    {"Quoted", "\"1\"\r\n\"0\"\r\n\"1\"\r\n", {1, 0, 1}, {"1", "0", "1"}},
    {"ShiftJisWord", "\x83\x49\x83\x93\r\n1\r\n1", {0, 1, 1}, {"オン", "1", "1"}},
    {"Garbage", "\xff\xfe\x00\x01,,,,\r\n"sv, {0, 0, 0}, {"??\x00\x01"s, "", ""}},
};
INSTANTIATE_TEST_SUITE_P(Forms, LoadAtStartUp, testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A box that was ticked and reads anything but "1" runs its click handler,
// which writes "0"; a box already unticked leaves the item's text alone.
TEST_F(Options, ReloadingOverTickedBoxesRunsTheirClickHandlers) {
  WriteIni("1\r\n1\r\n0\r\n");
  w.main.Form_Load();
  WriteIni("abc\r\n1\r\nxyz\r\n");
  OpenOptions();
  EXPECT_EQ(Boxes(), (std::array<int, 3>{0, 1, 0}));
  EXPECT_EQ(Flags(), (std::array<std::string, 3>{"0", "1", "xyz"}));
  EXPECT_TRUE(window().Visible());
}

TEST_F(Options, ADeletedSetIniIsCreatedAgainAndTheBoxesFollowTheFlags) {
  WriteIni("1\r\n1\r\n1\r\n");
  w.main.Form_Load();
  w.files.entries.clear();
  OpenOptions();
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
  EXPECT_EQ(Flags(), (std::array<std::string, 3>{"0", "0", "0"}));
  EXPECT_EQ(Boxes(), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(Options, TickingActsAtOnceOkSavesAndCancelDoesNot) {
  w.main.Form_Load();
  OpenOptions();
  ASSERT_TRUE(window().Click(optBEEP));
  ASSERT_TRUE(window().Click(Check1));
  EXPECT_EQ(Flags(), (std::array<std::string, 3>{"1", "0", "1"}));
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");

  ASSERT_TRUE(window().Click(cmdClose));  // キャンセル
  EXPECT_FALSE(window().Visible());
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
  EXPECT_EQ(Flags(), (std::array<std::string, 3>{"1", "0", "1"}));  // no copy to restore

  w.main.Show();
  ASSERT_TRUE(window().Click(cmdHide));  // OK
  EXPECT_FALSE(window().Visible());
  EXPECT_EQ(Ini(), "1\r\n0\r\n1\r\n");
}

// Esc and Enter are OK on this window; the close box is Cancel. Each only
// hides it: the program, its tray icon and its scan go on.
TEST_F(Options, KeysAndTheCloseBoxOnlyEverHideTheWindow) {
  w.main.Form_Load();
  const std::size_t tray_calls = w.shell.calls.size();
  struct Way {
    const char* name;
    bool saves;
    bool (fake::FakeLayoutWindow::*act)();
  };
  for (Way way : {Way{"Esc", true, &fake::FakeLayoutWindow::PressEscape},
                  Way{"Enter", true, &fake::FakeLayoutWindow::PressEnter},
                  Way{"close box", false, &fake::FakeLayoutWindow::PressCloseBox}}) {
    WriteIni("0\r\n0\r\n0\r\n");
    OpenOptions();
    window().Click(CheTitle);
    ASSERT_TRUE((window().*way.act)()) << way.name;
    EXPECT_FALSE(window().Visible()) << way.name;
    EXPECT_EQ(Ini(), way.saves ? "0\r\n1\r\n0\r\n" : "0\r\n0\r\n0\r\n") << way.name;
  }
  EXPECT_EQ(w.screens.LiveCount(), 1);
  EXPECT_EQ(w.shell.calls.size(), tray_calls + 2 * 3);  // icon and tip per Set_INI, no delete
  EXPECT_TRUE(w.main.Timer2->Enabled());
}

// Files that cannot be written or read: the program carries on silently and
// never damages what is there.
TEST_F(Options, UnwritableAndUnreadableSettingsNeverStopTheProgram) {
  WriteIni("1\r\n1\r\n1\r\n");
  w.files.entries[FakeFiles::SetIni()].read_only = true;
  w.main.Form_Load();
  EXPECT_EQ(Boxes(), (std::array<int, 3>{1, 1, 1}));
  OpenOptions();
  window().Click(optBEEP);
  window().Click(cmdHide);
  EXPECT_FALSE(window().Visible());
  EXPECT_EQ(Ini(), "1\r\n1\r\n1\r\n");

  // Hidden counts as missing, and cannot be replaced either.
  w.files.entries[FakeFiles::SetIni()] = {"1\r\n1\r\n1\r\n", false, true};
  OpenOptions();
  EXPECT_EQ(Flags(), (std::array<std::string, 3>{"0", "0", "0"}));
  EXPECT_EQ(Ini(), "1\r\n1\r\n1\r\n");

  w.files.entries.clear();
  w.files.fail_replace = true;  // a folder without write access
  OpenOptions();
  EXPECT_EQ(Ini(), "<missing>");
  window().Click(cmdHide);
  EXPECT_FALSE(window().Visible());

  w.files.fail_replace = false;
  WriteIni("1\r\n0\r\n1\r\n");
  w.files.fail_read = true;
  w.main.Set_INI();
  EXPECT_EQ(Flags(), (std::array<std::string, 3>{"0", "0", "0"}));
  EXPECT_EQ(Ini(), "1\r\n0\r\n1\r\n") << "a file that cannot be read is still the user's";
  EXPECT_EQ(w.process.ends, 0);
}

TEST_F(Options, SavingWritesTheFlagsBackInTheAnsiCodePage) {
  WriteIni("\x83\x49\x83\x93\r\n01\r\n 1 \r\n");
  w.main.Form_Load();
  w.main.SaveSettingsFile();
  EXPECT_EQ(Ini(), "\x83\x49\x83\x93\r\n01\r\n1\r\n");
}

// Log-off or shutdown: the settings are saved, the icon leaves the tray and
// the process ends; nothing asks the user anything.
TEST_F(Options, TheEndOfTheSessionEndsTheProgramLikeExit) {
  w.main.Form_Load();
  OpenOptions();
  window().Click(Check1);
  w.screens.EndSession();
  EXPECT_EQ(Ini(), "0\r\n0\r\n1\r\n");
  EXPECT_EQ(w.shell.calls.back().message, kNimDelete);
  EXPECT_FALSE(w.tray.InTray());
  EXPECT_EQ(w.process.ends, 1);
}

}  // namespace
}  // namespace orvo
