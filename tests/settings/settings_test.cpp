// set.ini: how it is read, created and saved, and the options window that
// shows it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "doubles/fake_platform.h"
#include "settings/settings_file.h"

namespace orvo {
namespace {

using namespace layout::options;
using namespace std::literals;

TEST(ReadItems, GivesTheFirstThreeItems) {
  const std::pair<std::string_view, std::array<std::string, 3>> cases[] = {
      {" 1 , \" 2,\"junk\r\n3  \r\n4", {"1", " 2,", "3"}},
      {"\r\n1\r\r\n", {"", "1", ""}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"1,\r\n2", {"1", "", "2"}},
      {"\"1\r\n2", {"1\r\n2", "", ""}},
      {"   ", {"", "", ""}},
  };
  for (const auto& [bytes, items] : cases) EXPECT_EQ(settings::ReadItems(bytes), items) << bytes;
}

// Start-up ticks only exact ones and keeps every text in its option, in UTF-8;
// reading never writes, a missing set.ini is created, one that cannot be read
// is the user's still (the options stay off, the file as it is), and OK
// writes the options back as they are.
TEST(Settings, StartUpThenOk) {
  struct Case {
    std::optional<std::string_view> ini;  // none: no set.ini yet
    std::string settings;
    std::string_view saved;
    bool unreadable = false;
  };
  const Case cases[] = {
      {std::nullopt, "000 0|0|0", "0\r\n0\r\n0\r\n"},
      {"", "000 ||", "\r\n\r\n\r\n"},
      {"1\r\n0\r\n0\r\n", "100 1|0|0", "1\r\n0\r\n0\r\n"},
      {"0\r\n1\r\n", "010 0|1|", "0\r\n1\r\n\r\n"},
      {"01\r\nabc\r\n2\r\n", "000 01|abc|2", "01\r\nabc\r\n2\r\n"},
      {"\x83\x49\x83\x93\r\n1\r\n1", "011 オン|1|1", "\x83\x49\x83\x93\r\n1\r\n1\r\n"},
      {"\xff\xfe\x00\x01,"sv, "000 ??\x00\x01||"s, "??\x00\x01\r\n\r\n\r\n"sv},
      {"1\r\n0\r\n1\r\n", "000 ||", "\r\n\r\n\r\n", true},
  };
  for (const Case& c : cases) {
    Watcher w;
    if (c.ini) w.files.ini = *c.ini;
    w.files.fail_read = c.unreadable;
    w.program.Start();
    SCOPED_TRACE(c.ini ? std::string(*c.ini) : "none");
    EXPECT_EQ(w.Settings(), c.settings);
    EXPECT_EQ(w.Ini(),
              c.ini ? *c.ini : "\x20\x30\x20\x0d\x0a\x20\x30\x20\x0d\x0a\x20\x30\x20\x0d\x0a"sv);
    EXPECT_FALSE(w.Options().Visible());
    w.Menu(layout::tray_menu::kOptionsItem);
    ASSERT_TRUE(w.Options().Click(kOkButton));
    EXPECT_EQ(w.Ini(), c.saved);
  }
}

}  // namespace
}  // namespace orvo
