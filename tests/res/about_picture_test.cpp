// The About picture as the built program carries it, decoded by giflib.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "res/digest.h"

namespace orvo::test {
namespace {

struct Reader {
  std::string_view rest;
};
int Read(GifFileType* gif, GifByteType* out, int n) {
  auto* r = static_cast<Reader*>(gif->UserData);
  const std::size_t taken = std::min<std::size_t>(static_cast<std::size_t>(n), r->rest.size());
  std::memcpy(out, r->rest.data(), taken);
  r->rest.remove_prefix(taken);
  return static_cast<int>(taken);
}

TEST(AboutPicture, IsTheRedLogoOnWhiteAsAStillGif89a) {
  std::ifstream in(ORVO_WIN_EXE_PATH, std::ios::binary);
  const std::string exe(std::istreambuf_iterator<char>(in), {});
  // Resources are stored as they are: the picture starts at its signature.
  const std::size_t at = exe.find("GIF89a");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(exe.find("GIF8", at + 1), std::string::npos) << "one picture only";

  Reader reader{std::string_view(exe).substr(at)};
  int error = 0;
  const std::unique_ptr<GifFileType, void (*)(GifFileType*)> gif(
      DGifOpen(&reader, Read, &error), [](GifFileType* g) { DGifCloseFile(g, nullptr); });
  ASSERT_NE(gif, nullptr) << GifErrorString(error);
  ASSERT_EQ(DGifSlurp(gif.get()), GIF_OK) << GifErrorString(gif->Error);
  EXPECT_EQ(gif->SWidth, 94);
  EXPECT_EQ(gif->SHeight, 58);
  ASSERT_NE(gif->SColorMap, nullptr);
  EXPECT_EQ(gif->SColorMap->ColorCount, 256);
  EXPECT_EQ(gif->ExtensionBlockCount, 0);
  ASSERT_EQ(gif->ImageCount, 1);
  const SavedImage& image = gif->SavedImages[0];
  EXPECT_EQ(image.ExtensionBlockCount, 0) << "no transparency";
  const GifImageDesc& d = image.ImageDesc;
  EXPECT_EQ((std::array{d.Left, d.Top, d.Width, d.Height}), (std::array{0, 0, 94, 58}));
  EXPECT_FALSE(d.Interlace);
  EXPECT_EQ(d.ColorMap, nullptr) << "no table of its own";

  // Every pixel's colour, as red, green, blue bytes row by row.
  std::string rgb;
  for (int i = 0; i < 94 * 58; ++i) {
    const GifColorType c = gif->SColorMap->Colors[image.RasterBits[i]];
    rgb += {static_cast<char>(c.Red), static_cast<char>(c.Green), static_cast<char>(c.Blue)};
  }
  auto at_xy = [&](int x, int y) {
    return rgb.substr(static_cast<std::size_t>(y * 94 + x) * 3, 3);
  };
  const std::string white("\xFF\xFF\xFF"), red("\xD8\0\0", 3);
  for (auto [x, y] : {std::pair{0, 0}, {93, 0}, {0, 57}, {93, 57}}) EXPECT_EQ(at_xy(x, y), white);
  // The rule under the name.
  for (int y = 49; y < 52; ++y)
    for (int x = 4; x < 90; ++x) EXPECT_EQ(at_xy(x, y), red) << x << "," << y;
  EXPECT_EQ(Digest(rgb), 0x04C11EF9u) << std::hex << "0x" << Digest(rgb);
}

}  // namespace
}  // namespace orvo::test
