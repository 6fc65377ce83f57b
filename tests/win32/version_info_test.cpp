#include "win32/win_version_info.h"

#include <gtest/gtest.h>

namespace orvo::win32 {
namespace {

// This test program carries the program's own version resource.
TEST(WinVersionInfo, ReadsTheProductNameAndNumbersOfTheRunningProgram) {
  WinVersionInfo info;
  ProgramVersion version;
  ASSERT_EQ(info.ReadProgramVersion(version), kOk);
  EXPECT_EQ(version.product_name, "Orvo_自動広告除去");
  EXPECT_EQ(version.major, 1);
  EXPECT_EQ(version.minor, 8);
  EXPECT_EQ(version.revision, 0);
}

}  // namespace
}  // namespace orvo::win32
