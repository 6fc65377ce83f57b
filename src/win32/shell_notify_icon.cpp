#include "win32/shell_notify_icon.h"

#include <cstdint>
#include <cstring>

namespace orvo::win32 {

#ifndef _WIN64

static_assert(NOTIFYICONDATAA_V1_SIZE == sizeof(NotifyIconRecord));
static_assert(NOTIFYICONDATAW_V1_SIZE == sizeof(NotifyIconRecordW));

NOTIFYICONDATAA ToNativeRecord(const NotifyIconRecord& record) {
  NOTIFYICONDATAA data{};
  std::memcpy(&data, record.data(), record.size());
  return data;
}

NOTIFYICONDATAW ToNativeRecord(const NotifyIconRecordW& record) {
  NOTIFYICONDATAW data{};
  std::memcpy(&data, record.data(), record.size());
  return data;
}

#else

// The shipped program is 32-bit and passes the bytes as they are. This path
// exists so that the Windows tests can run under 64-bit Wine: it spreads the
// 32-bit fields over the wider native layout.
namespace {

constexpr std::size_t kTipOffset = 24;

template <class Record>
std::uint32_t Get32(const Record& record, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{record[offset + i]} << (8 * i);
  return value;
}

// User and GDI handles are 32-bit values, sign-extended on 64-bit Windows.
template <class Handle>
Handle SignExtend(std::uint32_t value) {
  return reinterpret_cast<Handle>(static_cast<LONG_PTR>(static_cast<std::int32_t>(value)));
}

template <class Native, class Record>
Native Spread(const Record& record, DWORD size) {
  Native data{};
  data.cbSize = size;
  data.hWnd = SignExtend<HWND>(Get32(record, 4));
  data.uID = Get32(record, 8);
  data.uFlags = Get32(record, 12);
  data.uCallbackMessage = Get32(record, 16);
  data.hIcon = SignExtend<HICON>(Get32(record, 20));
  // szTip's 64 characters, of one byte or two.
  std::memcpy(data.szTip, record.data() + kTipOffset, record.size() - kTipOffset);
  return data;
}

}  // namespace

NOTIFYICONDATAA ToNativeRecord(const NotifyIconRecord& record) {
  return Spread<NOTIFYICONDATAA>(record, NOTIFYICONDATAA_V1_SIZE);
}

NOTIFYICONDATAW ToNativeRecord(const NotifyIconRecordW& record) {
  return Spread<NOTIFYICONDATAW>(record, NOTIFYICONDATAW_V1_SIZE);
}

#endif

void WinTrayShell::NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
  NOTIFYICONDATAA data = ToNativeRecord(record);
  notify_(message, &data);
}

void WinTrayShell::NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) {
  NOTIFYICONDATAW data = ToNativeRecord(record);
  notify_w_(message, &data);
}

}  // namespace orvo::win32
