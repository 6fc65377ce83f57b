#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ansi.h"
#include "platform/control_host.h"
#include "platform/tray_shell.h"
#include "platform/window_proc.h"
#include "systray/mSysTray.h"

// The tray control's world: the shell, the window and the form that host it,
// writing one line per call into one journal, so that tests can check their
// interleaving; and an ANSI code page.
namespace orvo::fake {

// One of `record` and `wide` holds the call's bytes; the other stays zero.
struct ShellCall {
  std::uint32_t message;
  NotifyIconRecord record;
  NotifyIconRecordW wide;
};

// The form hosting the control and the shell it talks to. The shell records
// every call with its bytes. The form's window has a procedure slot and user
// data; a message runs through the current procedure: the tray's hook, which
// is the program's own, or the window's own, which logs "own <message>" and
// answers 0x5A. The form hears of property changes, in user mode or design
// mode.
struct FakeTrayHost : TrayShell, WindowProcSlots, ControlHost {
  static constexpr WindowHandle kHwnd = 0x1234'5678;
  static constexpr WindowProcAddress kOwnProc = 0x1100, kTrayProc = 0x7A7A0000;
  static constexpr std::uint32_t kTaskbarCreated = 0xC0DE;

  HResult NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
    return Record({message, record, {}});
  }
  HResult NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) override {
    return Record({message, {}, record});
  }
  HResult Record(const ShellCall& call) {
    calls.push_back(call);
    journal.push_back("NIM " + std::to_string(call.message));
    return kOk;
  }
  std::intptr_t Send(std::uint32_t msg, std::intptr_t lparam = 0) {
    return CallWindowProc(proc, kHwnd, msg, 0, lparam);
  }
  WindowProcAddress SetWindowProc(WindowHandle hwnd, WindowProcAddress to) override {
    journal.push_back(to == kTrayProc ? "hook" : "unhook");
    return hwnd == kHwnd ? std::exchange(proc, to) : 0;
  }
  std::uintptr_t SetUserData(WindowHandle, std::uintptr_t data) override {
    return std::exchange(user_data, data);
  }
  std::uintptr_t GetUserData(WindowHandle hwnd) override { return hwnd == kHwnd ? user_data : 0; }
  std::intptr_t CallWindowProc(WindowProcAddress to, WindowHandle hwnd, std::uint32_t msg,
                               std::uintptr_t wparam, std::intptr_t lparam) override {
    if (to == kTrayProc) return mSysTray::TrayWindowProc(*this, hwnd, msg, wparam, lparam);
    if (to != kOwnProc) return 0;
    journal.push_back("own " + std::to_string(msg));
    return 0x5A;
  }
  WindowProcAddress TrayWindowProcAddress() override { return kTrayProc; }
  std::uint32_t TaskbarCreatedMessage() override { return kTaskbarCreated; }
  WindowHandle Hwnd() override { return kHwnd; }
  bool UserMode() override { return user_mode; }
  void PropertyChanged(std::string_view name) override { notices.emplace_back(name); }
  std::optional<Picture> FacePicture() override { return std::nullopt; }
  void SetFacePicture(const std::optional<Picture>&) override {}
  int ScaleWidth() override { return 34; }
  int ScaleHeight() override { return 34; }
  HResult SetSizeTwips(int, int) override { return kOk; }

  std::vector<ShellCall> calls;
  std::vector<std::string> journal, notices;
  WindowProcAddress proc = kOwnProc;
  std::uintptr_t user_data = 0;
  bool user_mode = true;
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
