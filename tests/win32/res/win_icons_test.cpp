#include "win32/win_icons.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

#include "res/resource_names.h"

namespace orvo::win32 {
namespace {

HICON AsIcon(const Picture& p) { return reinterpret_cast<HICON>(p.handle); }

// Size of the colour bitmap behind an icon.
struct Shape {
  LONG width = 0, height = 0;
  BOOL is_icon = FALSE;
};
Shape ShapeOf(HICON icon) {
  Shape s;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return s;
  BITMAP bm{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  s = {bm.bmWidth, bm.bmHeight, info.fIcon};
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return s;
}

TEST(WinIcons, LoadsEveryTrayIconAsA32PixelIcon) {
  WinIcons icons;
  std::set<std::uintptr_t> handles;
  for (const res::TrayIconEntry& e : res::kTrayIcons) {
    SCOPED_TRACE(std::string(e.group));
    Picture p;
    ASSERT_EQ(icons.LoadNamedIcon(e.group, p), kOk);
    EXPECT_EQ(p.type, Picture::Type::kIcon);
    const Shape s = ShapeOf(AsIcon(p));
    EXPECT_TRUE(s.is_icon);
    EXPECT_EQ(s.width, 32);
    EXPECT_EQ(s.height, 32);
    handles.insert(p.handle);
  }
  EXPECT_EQ(handles.size(), res::kTrayIcons.size());
}

TEST(WinIcons, LoadingAgainGivesTheSameSharedIcon) {
  WinIcons icons;
  Picture first, again;
  ASSERT_EQ(icons.LoadNamedIcon("05", first), kOk);
  for (int i = 0; i < 50; ++i) ASSERT_EQ(icons.LoadNamedIcon("05", again), kOk);
  EXPECT_EQ(again, first);
}

TEST(WinIcons, MissingNamesFailAndLeaveThePictureAlone) {
  WinIcons icons;
  const Picture before{Picture::Type::kIcon, 0x1234};
  // "1" is the application icon's number, not a name; "10" is one frame too far.
  for (const char* name : {"01", "10", "1", "NOTFLAG2", "HAND", ""}) {
    Picture p = before;
    EXPECT_TRUE(Failed(icons.LoadNamedIcon(name, p))) << '"' << name << '"';
    EXPECT_EQ(p, before) << name;
  }
}

}  // namespace
}  // namespace orvo::win32
