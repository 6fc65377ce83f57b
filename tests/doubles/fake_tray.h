#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ansi.h"
#include "platform/tray_shell.h"

// The tray icon's world: the shell, which records every call with the tip
// it carries, and an ANSI code page.
namespace orvo::fake {

struct ShellCall {
  std::uint32_t message;
  std::uint32_t flags;
  IconHandle icon;
  std::string tip;  // with kNifTip
};

struct FakeTrayShell : TrayShell {
  void SetTip(std::string_view tip) override {
    this->tip = tip;
    ++tips_set;
  }
  void Notify(std::uint32_t message, std::uint32_t flags, IconHandle icon) override {
    calls.push_back({message, flags, icon, (flags & kNifTip) != 0 ? tip : ""});
  }
  int PopupMenu(std::span<const std::string_view>) override {
    return std::exchange(menu_choice, {}).value_or(-1);
  }
  std::vector<ShellCall> calls;
  std::string tip;
  int tips_set = 0;
  std::optional<int> menu_choice;  // what the next PopupMenu returns, once; else -1
};

// A code page through iconv, CP932 as on a Japanese Windows or CP1252 as on a
// Western one: '?' for a byte that the source does not know or a character
// the target lacks, as the Windows conversions do.
class CodePage final : public AnsiCodePage {
 public:
  std::string FromUtf8(std::string_view utf8) override { return Convert(name, "UTF-8", utf8); }
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
        ++in, --left;
      }
    }
    iconv_close(cd);
    return out;
  }
};

}  // namespace orvo::fake
