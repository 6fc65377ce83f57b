#include "res/gen/formats.h"

#include <gif_lib.h>

namespace orvo::res {
namespace {

void Put16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

int Append(GifFileType* gif, const GifByteType* bytes, int n) {
  auto* out = static_cast<Bytes*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + n);
  return n;
}

}  // namespace

Bytes IconImage(const Pixmap& p, const Palette& palette, int bits) {
  const int colour_stride = (p.width * bits + 31) / 32 * 4;
  const int mask_stride = (p.width + 31) / 32 * 4;
  Bytes b;
  Put32(b, 40);
  Put32(b, p.width);
  Put32(b, p.height * 2);
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, 0);  // BI_RGB
  Put32(b, (colour_stride + mask_stride) * p.height);
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  for (int i = 0; i < (1 << bits); ++i) {
    b.insert(b.end(), {palette[i].b, palette[i].g, palette[i].r, 0});
  }
  for (int y = p.height - 1; y >= 0; --y) {
    Bytes row(colour_stride, 0);
    for (int x = 0; x < p.width; ++x) {
      const std::uint8_t c = p.at(x, y) == Pixmap::kClear ? 0 : p.at(x, y);
      const int bit = x * bits;
      row[bit / 8] |= static_cast<std::uint8_t>(c << (8 - bits - bit % 8));
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = p.height - 1; y >= 0; --y) {
    Bytes row(mask_stride, 0);
    for (int x = 0; x < p.width; ++x)
      if (p.at(x, y) == Pixmap::kClear) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

Bytes IconGroup(const Bytes& image, int bits, std::uint16_t image_id) {
  Bytes b;
  Put16(b, 0);
  Put16(b, 1);  // icons
  Put16(b, 1);
  b.push_back(image[4]);  // width and height, taken from the image header
  b.push_back(static_cast<std::uint8_t>(image[8] / 2));
  b.push_back(0);  // colour count: 0 for 256 and more
  b.push_back(0);
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, static_cast<std::uint32_t>(image.size()));
  Put16(b, image_id);
  return b;
}

Bytes CursorImage(const Pixmap& p, const Palette& palette, int hot_x, int hot_y) {
  Bytes b;
  Put16(b, hot_x);
  Put16(b, hot_y);
  const Bytes image = IconImage(p, palette, 4);
  b.insert(b.end(), image.begin(), image.end());
  return b;
}

Bytes CursorGroup(const Bytes& cursor_image, std::uint16_t image_id) {
  Bytes b;
  Put16(b, 0);
  Put16(b, 2);  // cursors
  Put16(b, 1);
  Put16(b, cursor_image[4 + 4]);  // width and doubled height, from the image header
  Put16(b, cursor_image[4 + 8]);
  Put16(b, 1);
  Put16(b, cursor_image[4 + 14]);
  Put32(b, static_cast<std::uint32_t>(cursor_image.size()));
  Put16(b, image_id);
  return b;
}

Bytes Gif(const Pixmap& p, const Palette& palette) {
  Bytes out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, Append, &error);
  if (!gif) return {};
  GifColorType colours[256];
  for (std::size_t i = 0; i < palette.size(); ++i)
    colours[i] = {palette[i].r, palette[i].g, palette[i].b};
  ColorMapObject* map = GifMakeMapObject(256, colours);
  EGifSetGifVersion(gif, true);
  bool ok = map && EGifPutScreenDesc(gif, p.width, p.height, 8, 0, map) == GIF_OK &&
            EGifPutImageDesc(gif, 0, 0, p.width, p.height, false, nullptr) == GIF_OK;
  Bytes pixels = p.pixels;  // giflib takes its lines as writable
  for (int y = 0; ok && y < p.height; ++y)
    ok = EGifPutLine(gif, &pixels[static_cast<std::size_t>(y) * p.width], p.width) == GIF_OK;
  GifFreeMapObject(map);
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  return ok ? out : Bytes{};
}

}  // namespace orvo::res
