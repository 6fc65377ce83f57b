#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ansi.h"
#include "platform/tray_shell.h"

// The tray icon's world: the shell, which records every call with its bytes,
// and an ANSI code page.
namespace orvo::fake {

// One of `record` and `wide` holds the call's bytes; the other stays zero.
struct ShellCall {
  std::uint32_t message;
  NotifyIconRecord record;
  NotifyIconRecordW wide;
};

struct FakeTrayShell : TrayShell {
  static constexpr WindowHandle kHwnd = 0x1234'5678;
  static constexpr std::uint32_t kTaskbarCreated = 0xC0DE;

  void NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
    calls.push_back({message, record, {}});
  }
  void NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) override {
    calls.push_back({message, {}, record});
  }
  std::vector<ShellCall> calls;
};

// A code page through iconv, CP932 as on a Japanese Windows or CP1252 as on a
// Western one: '?' for a byte that the source does not know or a character
// the target lacks, as the Windows conversions do.
class CodePage final : public AnsiCodePage {
 public:
  std::string FromUtf8(std::string_view utf8) override { return Convert(name, "UTF-8", utf8); }
  bool Carries(std::string_view utf8) override {
    lost_ = false;
    FromUtf8(utf8);
    return !lost_;
  }
  std::string ToUtf8(std::string_view ansi) override { return Convert("UTF-8", name, ansi); }
  const char* name = "CP932";

 private:
  std::string Convert(const char* to, const char* from, std::string_view text) {
    iconv_t cd = iconv_open(to, from);
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t left = text.size();
    while (left > 0) {
      char buffer[256];
      char* dst = buffer;
      std::size_t room = sizeof buffer;
      const std::size_t rc = iconv(cd, &in, &left, &dst, &room);
      out.append(buffer, dst);
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
        out += '?';
        lost_ = true;
        ++in, --left;
      }
    }
    iconv_close(cd);
    return out;
  }
  bool lost_ = false;
};

}  // namespace orvo::fake
