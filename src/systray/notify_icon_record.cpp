#include "systray/notify_icon_record.h"

#include <algorithm>
#include <vector>

namespace orvo {

namespace {

constexpr std::size_t kTipOffset = 24;

void Put32(NotifyIconRecord& record, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) {
    record[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

NotifyIconRecord BuildNotifyIconRecord(const NotifyIconFields& fields) {
  NotifyIconRecord record{};
  Put32(record, 0, static_cast<std::uint32_t>(record.size()));
  Put32(record, 4, static_cast<std::uint32_t>(fields.hwnd));
  Put32(record, 8, fields.id);
  Put32(record, 12, fields.flags);
  Put32(record, 16, fields.callback_message);
  Put32(record, 20, static_cast<std::uint32_t>(fields.icon));
  const std::size_t tip_size = std::min(fields.tip.size(), kTipFieldSize - 1);
  std::copy_n(fields.tip.begin(), tip_size, record.begin() + kTipOffset);
  return record;
}

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

}  // namespace orvo
