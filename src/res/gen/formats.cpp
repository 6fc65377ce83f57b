#include "res/gen/formats.h"

#include <algorithm>
#include <unordered_map>

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

Bytes LzwEncode(const std::vector<std::uint8_t>& indices, int min_code_size) {
  const int clear = 1 << min_code_size;
  const int end = clear + 1;
  Bytes out;
  std::uint32_t acc = 0;
  int acc_bits = 0;
  int code_size = min_code_size + 1;
  auto emit = [&](int code) {
    acc |= static_cast<std::uint32_t>(code) << acc_bits;
    acc_bits += code_size;
    for (; acc_bits >= 8; acc_bits -= 8, acc >>= 8) out.push_back(static_cast<std::uint8_t>(acc));
  };
  // (prefix code << 8 | next index) -> code of that string
  std::unordered_map<std::uint32_t, int> table;
  int last = end;  // highest code in use
  emit(clear);
  int prefix = -1;
  for (std::uint8_t c : indices) {
    if (prefix < 0) {
      prefix = c;
      continue;
    }
    const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | c;
    if (auto it = table.find(key); it != table.end()) {
      prefix = it->second;
      continue;
    }
    emit(prefix);
    table[key] = ++last;
    // The decoder learns each code one step later, so it widens its reads
    // only once the newest code no longer fits.
    if (last >= (1 << code_size)) ++code_size;
    if (last == 4095) {
      emit(clear);
      table.clear();
      last = end;
      code_size = min_code_size + 1;
    }
    prefix = c;
  }
  if (prefix >= 0) emit(prefix);
  emit(end);
  if (acc_bits > 0) out.push_back(static_cast<std::uint8_t>(acc));
  return out;
}

Bytes Gif(const std::vector<Pixmap>& frames, const Palette& palette, int delay_cs) {
  const Pixmap& first = frames.front();
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, first.width);
  Put16(b, first.height);
  b.push_back(0xF7);  // global table of 2^(7+1) colours, 8 bits each
  b.push_back(0);     // background index
  b.push_back(0);     // square pixels
  for (const Rgb& c : palette) b.insert(b.end(), {c.r, c.g, c.b});
  const bool animated = frames.size() > 1;
  if (animated) {
    const char loop[] = "\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00";
    b.insert(b.end(), loop, loop + sizeof loop - 1);
  }
  for (const Pixmap& f : frames) {
    if (animated) {
      b.insert(b.end(), {0x21, 0xF9, 4, 0x04});  // keep each frame until the next
      Put16(b, delay_cs);
      b.insert(b.end(), {0, 0});
    }
    b.push_back(0x2C);
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, f.width);
    Put16(b, f.height);
    b.push_back(0);  // no local table, not interlaced
    b.push_back(8);
    const Bytes codes = LzwEncode(f.pixels, 8);
    for (std::size_t at = 0; at < codes.size(); at += 255) {
      const std::size_t n = std::min<std::size_t>(255, codes.size() - at);
      b.push_back(static_cast<std::uint8_t>(n));
      b.insert(b.end(), &codes[at], &codes[at] + n);
    }
    b.push_back(0);
  }
  b.push_back(0x3B);
  return b;
}

}  // namespace orvo::res
