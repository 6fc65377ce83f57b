#include <gtest/gtest.h>

#include <vector>

#include "tray_fixture.h"

namespace orvo {
namespace {

using Strings = std::vector<std::string>;

TEST_F(TrayTest, StartUpHooksTheWindowThenAddsOneRecordWithAllThreeFlags) {
  tray->TrayIcon(kIcon);
  tray->TrayTip("ブロック：0");
  EXPECT_TRUE(shell.calls.empty());
  tray->InTray(true);

  EXPECT_EQ(journal, (Strings{"SetWindowProc tray", "SetUserData", "NIM_ADD"}));
  EXPECT_EQ(host.notices, (Strings{"TrayIcon", "InTray"}));
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].message, kNimAdd);
  NotifyIconRecord expected{
      88,   0,    0,    0,     // cbSize
      0x00, 0x01, 0,    0,     // hWnd
      0,    0,    0,    0,     // uID
      7,    0,    0,    0,     // uFlags
      0x65, 0x04, 0,    0,     // uCallbackMessage 1125
      0xA1, 0x02, 0,    0,     // hIcon
      0x83, 0x75, 0x83, 0x8D,  // ブロ
      0x83, 0x62, 0x83, 0x4E,  // ック
      0x81, 0x46, 0x30,        // ：0, then zeros
  };
  EXPECT_EQ(shell.calls[0].record, expected);
  EXPECT_EQ(windows.UserDataOf(hwnd), reinterpret_cast<std::uintptr_t>(&*tray));
}

TEST_F(TrayTest, WhereTheCodePageLacksTheTipTheIconTalksUtf16AndIsDeletedAlike) {
  ansi.name = "CP1252";
  tray->TrayIcon(kIcon);
  tray->TrayTip("ブロック：0");
  tray->InTray(true);
  tray->TrayIcon(kOtherIcon);  // no tip in the call: the icon's tip decides
  tray->InTray(false);

  EXPECT_EQ(journal, (Strings{"SetWindowProc tray", "SetUserData", "NIM_ADD", "NIM_MODIFY",
                              "NIM_DELETE", "SetWindowProc other"}));
  ASSERT_EQ(shell.calls.size(), 3u);
  const NotifyIconRecordW expected[] = {
      WithTip(
          {152, 0, 0, 0, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0x65, 0x04, 0, 0, 0xA1, 0x02},
          u"ブロック：0"),
      {152, 0, 0, 0, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0xB3, 0x02},
      {152, 0, 0, 0, 0x00, 0x01},
  };
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(shell.calls[i].wide, expected[i]) << i;
}

TEST_F(TrayTest, AddCarriesIconAndTipFlagsOnlyForWhatIsThere) {
  struct Case {
    std::optional<Picture> icon;
    const char* tip;
    std::uint32_t flags;
  } cases[] = {{std::nullopt, "", 1}, {kIcon, "", 3}, {std::nullopt, "tip", 5}, {kIcon, "tip", 7}};
  for (const Case& c : cases) {
    Create();
    tray->TrayIcon(c.icon);
    tray->TrayTip(c.tip);
    shell.calls.clear();
    tray->InTray(true);
    ASSERT_EQ(shell.calls.size(), 1u);
    const NotifyIconRecord& r = shell.calls[0].record;
    EXPECT_EQ(Flags(r), c.flags);
    EXPECT_EQ(Callback(r), 1125u);
    EXPECT_EQ(IconOf(r), c.icon ? kIcon.handle : 0);
    EXPECT_EQ(TipOf(r), c.tip);
    tray.reset();
  }
}

TEST_F(TrayTest, StateTable) {
  struct Case {
    const char* name;
    bool user_mode;
    std::vector<bool> assignments;
    Strings journal;
    Strings notices;
  } cases[] = {
      {"hidden to shown to hidden",
       true,
       {true, false},
       {"SetWindowProc tray", "SetUserData", "NIM_ADD", "NIM_DELETE", "SetWindowProc other"},
       {"InTray", "InTray"}},
      {"same value changes nothing",
       true,
       {false, true, true},
       {"SetWindowProc tray", "SetUserData", "NIM_ADD"},
       {"InTray"}},
      {"recorded only", false, {true, true, false}, {}, {"InTray", "InTray"}},
  };
  for (const Case& c : cases) {
    Create();
    Forget();
    host.user_mode = c.user_mode;
    for (bool show : c.assignments) tray->InTray(show);
    EXPECT_EQ(tray->InTray(), c.assignments.back()) << c.name;
    EXPECT_EQ(journal, c.journal) << c.name;
    EXPECT_EQ(host.notices, c.notices) << c.name;
    const bool shown = c.user_mode && c.assignments.back();
    EXPECT_EQ(windows.ProcOf(hwnd), shown ? fake::FakeWindows::kTrayProc : windows.OwnProc(hwnd))
        << c.name;
  }
}

TEST_F(TrayTest, SettersChangeTheShownIconWithOneFlagEach) {
  Show();
  tray->TrayIcon(kOtherIcon);
  tray->TrayTip("ブロック数：5");
  tray->TrayTip("ブロック数：5");  // unchanged, still sent
  tray->TrayTip("");
  tray->InTray(true);  // start-up again: nothing more

  ASSERT_EQ(shell.calls.size(), 4u);
  for (const fake::ShellCall& call : shell.calls) {
    EXPECT_EQ(call.message, kNimModify);
    EXPECT_EQ(U32(call.record, 0), 88u);
    EXPECT_EQ(Callback(call.record), 0u);
  }
  EXPECT_EQ(Flags(shell.calls[0].record), 2u);
  EXPECT_EQ(IconOf(shell.calls[0].record), kOtherIcon.handle);
  EXPECT_EQ(TipOf(shell.calls[0].record), "");
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(Flags(shell.calls[i].record), 4u);
    EXPECT_EQ(IconOf(shell.calls[i].record), 0u);
  }
  EXPECT_EQ(TipOf(shell.calls[2].record), "\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x94\x81\x46\x35");
  EXPECT_EQ(TipOf(shell.calls[3].record), "");
  // The tip is not a stored property.
  EXPECT_EQ(host.notices, (Strings{"TrayIcon"}));
  EXPECT_EQ(host.face, kOtherIcon);
}

TEST_F(TrayTest, PicturesThatAreNoIconAreIgnored) {
  Show();
  const std::optional<Picture> ignored[] = {std::nullopt, Picture{Picture::Type::kNone, 0},
                                            Picture{Picture::Type::kBitmap, 0x77},
                                            Picture{Picture::Type::kMetafile, 0x78}};
  for (const auto& picture : ignored) tray->TrayIcon(picture);
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(host.notices.empty());
  EXPECT_EQ(tray->TrayIcon(), kIcon);
  EXPECT_EQ(host.face, kIcon);
}

TEST_F(TrayTest, TaskbarCreatedAddsTheIconAgainWhileItIsShown) {
  Show();
  tray->TrayIcon(kOtherIcon);
  tray->TrayTip("ブロック：0");
  shell.calls.clear();
  journal.clear();

  EXPECT_EQ(windows.Send(hwnd, fake::FakeWindows::kTaskbarCreated, 0, 0), 0x5A);
  EXPECT_EQ(journal,
            (Strings{"NIM_ADD", "own " + std::to_string(fake::FakeWindows::kTaskbarCreated)}));
  ASSERT_EQ(shell.calls.size(), 1u);
  NotifyIconRecord expected{88, 0, 0, 0, 0x00, 0x01, 0, 0, 0,    0,    0, 0,
                            7,  0, 0, 0, 0x65, 0x04, 0, 0, 0xB3, 0x02, 0, 0};
  std::copy(kTipCp932.begin(), kTipCp932.end(), expected.begin() + 24);
  EXPECT_EQ(shell.calls[0].record, expected);

  tray->InTray(false);
  shell.calls.clear();
  windows.Send(hwnd, fake::FakeWindows::kTaskbarCreated, 0, 0);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TrayTest, DestructionWhileShownLeavesNothingBehind) {
  Show();
  tray.reset();
  EXPECT_EQ(journal, (Strings{"NIM_DELETE", "SetWindowProc other"}));
  NotifyIconRecord expected{88, 0, 0, 0, 0x00, 0x01};
  EXPECT_EQ(shell.calls.at(0).record, expected);
  EXPECT_EQ(windows.ProcOf(hwnd), windows.OwnProc(hwnd));
  journal.clear();
  // The user data still names the control, but nothing reads it any more.
  windows.Send(hwnd, mSysTray::TrayCallbackMessage, 0, 0x201);
  EXPECT_EQ(journal, (Strings{"own 1125"}));

  Create();
  journal.clear();
  tray.reset();
  EXPECT_TRUE(journal.empty());
}

TEST_F(TrayTest, HostCallbacks) {
  host.face = Picture{Picture::Type::kBitmap, 0x55};
  tray->InitProperties();
  EXPECT_EQ(tray->TrayIcon(), std::nullopt);
  host.face = kIcon;
  tray->InitProperties();
  EXPECT_EQ(tray->TrayIcon(), kIcon);

  // A stored True adds before the stored picture is known.
  Create();
  Forget();
  fake::FakePropertyBag bag;
  bag.bools["InTray"] = true;
  bag.pictures["TrayIcon"] = kOtherIcon;
  tray->ReadProperties(bag);
  EXPECT_EQ(bag.log, (Strings{"read InTray", "read TrayIcon"}));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(Flags(shell.calls[0].record), 1u);
  EXPECT_EQ(shell.calls[1].message, kNimModify);
  EXPECT_EQ(IconOf(shell.calls[1].record), kOtherIcon.handle);

  fake::FakePropertyBag out;
  EXPECT_EQ(tray->WriteProperties(out), kOk);
  EXPECT_EQ(out.log, (Strings{"write InTray", "write TrayIcon"}));
  EXPECT_EQ(out.bools["InTray"], true);
  EXPECT_EQ(out.pictures["TrayIcon"], kOtherIcon);
  out.write_result = kFail;
  EXPECT_EQ(tray->WriteProperties(out), kFail);

  // Nothing stored: hidden, and the face picture.
  Create();
  host.face = kIcon;
  fake::FakePropertyBag empty;
  tray->ReadProperties(empty);
  EXPECT_FALSE(tray->InTray());
  EXPECT_EQ(tray->TrayIcon(), kIcon);

  host.scale_width = 40;
  EXPECT_EQ(tray->Resize(), kOk);
  EXPECT_EQ(host.width_twips, 510);
  EXPECT_EQ(host.height_twips, 510);
  fake::FakePaintSurface surface;
  EXPECT_EQ(tray->Paint(surface), kOk);
  EXPECT_EQ(surface.edges, (std::vector<fake::FakePaintSurface::Edge>{{0, 0, 40, 34, 1, 0x100F}}));
}

}  // namespace
}  // namespace orvo
