// set.ini: how it is read, created and saved, and the options window that
// shows it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/watcher_fixture.h"
#include "res/layout/layouts.h"
#include "settings/settings_file.h"

namespace orvo {
namespace {

using namespace layout::frmMainControls;
using namespace std::literals;
using fake::FakeFiles;
using Items = std::array<std::string, 3>;
using Boxes = std::array<int, 3>;

TEST(ReadItems, GivesTheFirstThreeItems) {
  const std::pair<std::string_view, Items> cases[] = {
      {"1\r\n1\r\n1", {"1", "1", "1"}},
      {"1,0\r\n1\r\n", {"1", "0", "1"}},
      {"\"1,0\",1\r\n1\r\n", {"1,0", "1", "1"}},
      {"\"1\"junk,2\r\n3\r\n", {"1", "2", "3"}},
      {"\"1\r\n2", {"1\r\n2", "", ""}},
      {"   1\r\n  0\r\n1\r\n", {"1", "0", "1"}},
      {" 1 \r\n0  \r\n 1\r\n", {"1", "0", "1"}},
      {"\" 1 \"\r\n\r\n\r\n", {" 1 ", "", ""}},
      {"\r\n1\r\n1\r\n", {"", "1", "1"}},
      {"1\n0\n1\n", {"1", "0", "1"}},
      {"1\r0\r1\r", {"1", "0", "1"}},
      {"1\r\r\n1\r\n", {"1", "", "1"}},
      {"1\r\n1\r\n1\r\n0\r\n", {"1", "1", "1"}},
      {"1,\r\n1\r\n", {"1", "", "1"}},
      {"   ", {"", "", ""}},
  };
  for (const auto& [bytes, items] : cases) EXPECT_EQ(settings::ReadItems(bytes), items) << bytes;
}

struct OptionsWindow {
  Watcher w;

  fake::FakeLayoutWindow& window() { return *w.screens.Find(layout::kfrmMain); }
  void WriteIni(std::string_view bytes) { w.files.entries[FakeFiles::SetIni()].bytes = bytes; }
  std::string Ini() {
    const FakeFiles::Entry* e = w.files.Find(FakeFiles::SetIni());
    return e ? e->bytes : "<missing>";
  }
  Boxes CheckBoxes() {
    return {window().CheckState(optBEEP), window().CheckState(CheTitle),
            window().CheckState(Check1)};
  }
  Items Flags() { return {w.flags.BeepFlag, w.flags.NoToolbarFlag, w.flags.NewWindowFlag}; }
  // The tray menu's options command.
  void OpenOptions() {
    w.main.Set_INI();
    w.main.Show();
  }
};
struct Options : testing::Test, OptionsWindow {};

// Start-up ticks only exact ones and keeps every text in its flag; reading
// never writes, and OK writes the flags back as they are.
TEST(OptionsWindow, StartUpThenOk) {
  struct Case {
    std::optional<std::string_view> ini;  // none: no set.ini yet
    Boxes boxes;
    Items flags;
    std::string_view saved;
  };
  const Case cases[] = {
      {std::nullopt, {0, 0, 0}, {"0", "0", "0"}, "0\r\n0\r\n0\r\n"},
      {"", {0, 0, 0}, {"", "", ""}, "\r\n\r\n\r\n"},
      {"1\r\n0\r\n0\r\n", {1, 0, 0}, {"1", "0", "0"}, "1\r\n0\r\n0\r\n"},
      {"1,1,1\r\n", {1, 1, 1}, {"1", "1", "1"}, "1\r\n1\r\n1\r\n"},
      {"0\r\n1\r\n", {0, 1, 0}, {"0", "1", ""}, "0\r\n1\r\n\r\n"},
      {"01\r\nabc\r\n2\r\n", {0, 0, 0}, {"01", "abc", "2"}, "01\r\nabc\r\n2\r\n"},
      {"\"1\"\r\n\"0\"\r\n\"1\"\r\n", {1, 0, 1}, {"1", "0", "1"}, "1\r\n0\r\n1\r\n"},
      {"\x83\x49\x83\x93\r\n1\r\n1",
       {0, 1, 1},
       {"オン", "1", "1"},
       "\x83\x49\x83\x93\r\n1\r\n1\r\n"},
      {"\xff\xfe\x00\x01,,,,\r\n"sv,
       {0, 0, 0},
       {"??\x00\x01"s, "", ""},
       "??\x00\x01\r\n\r\n\r\n"sv},
  };
  for (const Case& c : cases) {
    OptionsWindow o;
    auto& w = o.w;
    if (c.ini) o.WriteIni(*c.ini);
    w.main.Form_Load();
    SCOPED_TRACE(c.ini ? std::string(*c.ini) : "none");
    EXPECT_EQ(o.CheckBoxes(), c.boxes);
    EXPECT_EQ(o.Flags(), c.flags);
    EXPECT_EQ(o.Ini(),
              c.ini ? *c.ini : "\x20\x30\x20\x0d\x0a\x20\x30\x20\x0d\x0a\x20\x30\x20\x0d\x0a"sv);
    EXPECT_FALSE(o.window().Visible());
    w.main.Show();
    ASSERT_TRUE(o.window().Click(cmdHide));
    EXPECT_EQ(o.Ini(), c.saved);
  }
}

// A box ticked and then reading anything but "1" runs its click handler,
// which writes "0"; a box already unticked leaves the item's text alone. A
// deleted set.ini is created again with the boxes following.
TEST_F(Options, ReadingAgainOverTickedBoxesRunsTheirClickHandlers) {
  WriteIni("1\r\n1\r\n0\r\n");
  w.main.Form_Load();
  WriteIni("abc\r\n1\r\nxyz\r\n");
  OpenOptions();
  EXPECT_EQ(CheckBoxes(), (Boxes{0, 1, 0}));
  EXPECT_EQ(Flags(), (Items{"0", "1", "xyz"}));
  EXPECT_TRUE(window().Visible());
  w.files.entries.clear();
  OpenOptions();
  EXPECT_EQ(Ini(), " 0 \r\n 0 \r\n 0 \r\n");
  EXPECT_EQ(Flags(), (Items{"0", "0", "0"}));
  EXPECT_EQ(CheckBoxes(), (Boxes{0, 0, 0}));
}

// Esc and Enter are OK on this window; the close box is Cancel. Each only
// hides it: the program, its tray icon and its scan go on.
TEST_F(Options, KeysAndTheCloseBoxOnlyEverHideTheWindow) {
  w.main.Form_Load();
  const std::size_t tray_calls = w.shell.calls.size();
  struct Way {
    bool saves;
    bool (fake::FakeLayoutWindow::*act)();
  };
  for (Way way : {Way{true, &fake::FakeLayoutWindow::PressEscape},
                  Way{true, &fake::FakeLayoutWindow::PressEnter},
                  Way{false, &fake::FakeLayoutWindow::PressCloseBox}}) {
    WriteIni("0\r\n0\r\n0\r\n");
    OpenOptions();
    window().Click(CheTitle);
    ASSERT_TRUE((window().*way.act)());
    EXPECT_FALSE(window().Visible());
    EXPECT_EQ(Ini(), way.saves ? "0\r\n1\r\n0\r\n" : "0\r\n0\r\n0\r\n");
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
  EXPECT_EQ(CheckBoxes(), (Boxes{1, 1, 1}));
  OpenOptions();
  window().Click(optBEEP);
  window().Click(cmdHide);
  EXPECT_FALSE(window().Visible());
  EXPECT_EQ(Ini(), "1\r\n1\r\n1\r\n");

  // Hidden counts as missing, and cannot be replaced either.
  w.files.entries[FakeFiles::SetIni()] = {.bytes = "1\r\n1\r\n1\r\n", .hidden = true};
  OpenOptions();
  EXPECT_EQ(Flags(), (Items{"0", "0", "0"}));
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
  EXPECT_EQ(Flags(), (Items{"0", "0", "0"}));
  EXPECT_EQ(Ini(), "1\r\n0\r\n1\r\n") << "a file that cannot be read is still the user's";
  EXPECT_EQ(w.process.ends, 0);
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
  EXPECT_EQ(w.process.ends, 1);
}

}  // namespace
}  // namespace orvo
