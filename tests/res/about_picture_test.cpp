// The About picture as the built program carries it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "res/digest.h"

namespace orvo::test {
namespace {

// A still GIF89a of 94 x 58 pixels, one global table of 256 colours, no
// extension blocks: the red (0xD80000) logo with smooth edges and the rule
// under the name, on white. Pinned byte for byte, 1562 bytes up to its
// trailer; resources are stored as they are, so it starts at its signature.
TEST(AboutPicture, IsTheRedLogoOnWhiteAsAStillGif89a) {
  std::ifstream in(ORVO_WIN_EXE_PATH, std::ios::binary);
  const std::string exe(std::istreambuf_iterator<char>(in), {});
  const std::size_t at = exe.find("GIF89a\x5E");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(exe.find("GIF8", at + 1), std::string::npos) << "one picture only";
  const std::string_view gif = std::string_view(exe).substr(at, 1562);
  EXPECT_EQ(gif.substr(6, 5), std::string_view("\x5E\0\x3A\0\xF7", 5));  // 94 x 58, 256 colours
  EXPECT_EQ(gif.back(), ';');
  EXPECT_EQ(Digest(gif), 0x35ADFA9Fu) << std::hex << "0x" << Digest(gif);
}

}  // namespace
}  // namespace orvo::test
