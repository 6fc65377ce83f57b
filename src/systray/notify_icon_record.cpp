#include "systray/notify_icon_record.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orvo {

namespace {

constexpr std::size_t kTipOffset = 24;

template <std::size_t N>
void Put(std::array<std::uint8_t, N>& record, std::size_t offset, std::uint32_t value,
         std::size_t width = 4) {
  for (std::size_t i = 0; i < width; ++i) {
    record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

template <class Record>
Record WithHeader(const NotifyIconFields& fields) {
  Record record{};
  Put(record, 0, static_cast<std::uint32_t>(record.size()));
  Put(record, 4, static_cast<std::uint32_t>(fields.hwnd));
  Put(record, 8, fields.id);
  Put(record, 12, fields.flags);
  Put(record, 16, fields.callback_message);
  Put(record, 20, static_cast<std::uint32_t>(fields.icon));
  return record;
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// `utf8` in the ANSI code page, shortened by whole characters until it fits
// szTip with its NUL, so that no double-byte character loses its trail byte.
std::string FitTip(AnsiCodePage& ansi, std::string_view utf8) {
  std::string converted = ansi.FromUtf8(utf8);
  if (converted.size() < kTipFieldSize) return converted;

  // Cut points between characters, then the longest prefix that fits. The
  // ANSI form of a longer prefix is never shorter, so a binary search holds.
  std::vector<std::size_t> cuts;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (!IsUtf8Continuation(utf8[i])) cuts.push_back(i);
  }
  std::size_t lo = 1;
  std::size_t hi = cuts.size();
  std::string best;  // the empty prefix always fits
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    std::string candidate = ansi.FromUtf8(utf8.substr(0, cuts[mid]));
    if (candidate.size() < kTipFieldSize) {
      best = std::move(candidate);
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return best;
}

// The character at `i`, moving `i` past it; U+FFFD where no character starts.
char32_t NextCodePoint(std::string_view utf8, std::size_t& i) {
  constexpr char32_t kReplacement = 0xFFFD;
  const auto lead = static_cast<unsigned char>(utf8[i++]);
  if (lead < 0x80) return lead;
  std::size_t more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (more == 0 || lead > 0xF4) return kReplacement;
  char32_t c = lead & (0x3F >> more);
  for (; more > 0; --more) {
    if (i >= utf8.size() || !IsUtf8Continuation(utf8[i])) return kReplacement;
    c = (c << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
  }
  return c > 0x10FFFF ? kReplacement : c;
}

// szTip in UTF-16: as many whole characters as fit 63 units, so that a
// surrogate pair is never cut in two.
void PutUtf16Tip(NotifyIconRecordW& record, std::string_view utf8) {
  constexpr std::size_t kEnd = kTipOffset + 2 * (kTipFieldSize - 1);
  std::size_t at = kTipOffset;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = NextCodePoint(utf8, i);
    if (c < 0x10000) {
      if (at + 2 > kEnd) break;
      Put(record, at, c, 2);
      at += 2;
    } else {
      if (at + 4 > kEnd) break;
      Put(record, at, 0xD800 + ((c - 0x10000) >> 10), 2);
      Put(record, at + 2, 0xDC00 + (c & 0x3FF), 2);
      at += 4;
    }
  }
}

}  // namespace

NotifyIconCall BuildNotifyIconRecord(AnsiCodePage& ansi, const NotifyIconFields& fields) {
  const bool with_tip = (fields.flags & kNifTip) != 0;
  if (ansi.Carries(fields.tip)) {
    auto record = WithHeader<NotifyIconRecord>(fields);
    if (with_tip) {
      const std::string tip = FitTip(ansi, fields.tip);
      std::copy_n(tip.begin(), std::min(tip.size(), kTipFieldSize - 1),
                  record.begin() + kTipOffset);
    }
    return record;
  }
  auto record = WithHeader<NotifyIconRecordW>(fields);
  if (with_tip) PutUtf16Tip(record, fields.tip);
  return record;
}

}  // namespace orvo
