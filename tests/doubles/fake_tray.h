#pragma once

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ansi.h"
#include "platform/control_host.h"
#include "platform/tray_shell.h"
#include "platform/window_proc.h"
#include "systray/mSysTray.h"

// The tray control's world: a shell that records every call with its bytes,
// windows with a procedure slot and user data, an ANSI code page
// and a host with a property bag. The shell and the windows write one line per
// call into a shared journal, so that tests can check their interleaving.
namespace orvo {

// The fields of a record, as the shell reads them.
inline std::uint32_t U32(const NotifyIconRecord& r, std::size_t offset) {
  return r[offset] | r[offset + 1] << 8 | r[offset + 2] << 16 |
         static_cast<std::uint32_t>(r[offset + 3]) << 24;
}
inline std::uint32_t Flags(const NotifyIconRecord& r) { return U32(r, 12); }
inline std::uint32_t Callback(const NotifyIconRecord& r) { return U32(r, 16); }
inline std::uint32_t IconOf(const NotifyIconRecord& r) { return U32(r, 20); }

}  // namespace orvo

namespace orvo::fake {

using Journal = std::vector<std::string>;

// One of `record` and `wide` holds the call's bytes; the other stays zero.
struct ShellCall {
  std::uint32_t message;
  NotifyIconRecord record;
  NotifyIconRecordW wide;
};

class FakeTrayShell final : public TrayShell {
 public:
  explicit FakeTrayShell(Journal* journal = nullptr) : journal_(journal) {}
  HResult NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override {
    return Record({message, record, {}});
  }
  HResult NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) override {
    return Record({message, {}, record});
  }
  std::vector<ShellCall> calls;

 private:
  HResult Record(const ShellCall& call) {
    calls.push_back(call);
    static const char* const kNames[] = {"NIM_ADD", "NIM_MODIFY", "NIM_DELETE"};
    if (journal_) journal_->push_back(call.message < 3 ? kNames[call.message] : "NIM_?");
    return kOk;
  }
  Journal* journal_;
};

// Windows with a procedure slot and user data; a message runs through the
// window's current procedure, the tray's hook being the program's own.
class FakeWindows final : public WindowProcSlots {
 public:
  using Proc =
      std::function<std::intptr_t(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t)>;
  static constexpr WindowProcAddress kTrayProc = 0x7A7A0000;
  static constexpr std::uint32_t kTaskbarCreated = 0xC0DE;

  explicit FakeWindows(Journal* journal = nullptr) : journal_(journal) {}

  // A window whose own procedure is `own`; its address is OwnProc(handle).
  WindowHandle NewWindow(Proc own) {
    const WindowHandle hwnd = 0x100 + 4 * windows_.size();
    windows_[hwnd] = {std::move(own), OwnProc(hwnd), 0};
    return hwnd;
  }
  WindowProcAddress OwnProc(WindowHandle hwnd) const { return 0x1000 + hwnd; }
  WindowProcAddress ProcOf(WindowHandle hwnd) const { return windows_.at(hwnd).proc; }
  std::intptr_t Send(WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wparam,
                     std::intptr_t lparam) {
    return CallWindowProc(windows_.at(hwnd).proc, hwnd, msg, wparam, lparam);
  }

  WindowProcAddress SetWindowProc(WindowHandle hwnd, WindowProcAddress proc) override {
    if (journal_)
      journal_->push_back(proc == kTrayProc ? "SetWindowProc tray" : "SetWindowProc other");
    return std::exchange(windows_.at(hwnd).proc, proc);
  }
  std::uintptr_t SetUserData(WindowHandle hwnd, std::uintptr_t data) override {
    if (journal_) journal_->push_back("SetUserData");
    return std::exchange(windows_.at(hwnd).user_data, data);
  }
  std::uintptr_t GetUserData(WindowHandle hwnd) override { return windows_.at(hwnd).user_data; }
  std::intptr_t CallWindowProc(WindowProcAddress proc, WindowHandle hwnd, std::uint32_t msg,
                               std::uintptr_t wparam, std::intptr_t lparam) override {
    if (proc == kTrayProc) return mSysTray::TrayWindowProc(*this, hwnd, msg, wparam, lparam);
    for (auto& [handle, window] : windows_) {
      if (OwnProc(handle) == proc) return window.own(hwnd, msg, wparam, lparam);
    }
    return 0;
  }
  WindowProcAddress TrayWindowProcAddress() override { return kTrayProc; }
  std::uint32_t TaskbarCreatedMessage() override { return kTaskbarCreated; }

 private:
  struct Window {
    Proc own;
    WindowProcAddress proc = 0;
    std::uintptr_t user_data = 0;
  };
  std::map<WindowHandle, Window> windows_;
  Journal* journal_;
};

// iconv from one encoding to another; '?' for what the target lacks or the
// source does not know, as the Windows conversions do, and `lost` set. A
// source character is skipped whole: in UTF-8 its continuation bytes, in
// CP932 the trail byte of a lead byte.
inline std::string Convert(const char* to, const char* from, std::string_view text, bool from_utf8,
                           bool* lost = nullptr) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  char buffer[256];
  while (in_left > 0) {
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &in_left, &dst, &dst_left);
    out.append(buffer, dst);
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    out += '?';
    if (lost) *lost = true;
    const auto lead = static_cast<unsigned char>(*in);
    ++in;
    --in_left;
    if (from_utf8) {
      while (in_left > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80) {
        ++in;
        --in_left;
      }
    } else if (in_left > 0 && ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))) {
      ++in;
      --in_left;
    }
  }
  iconv_close(cd);
  return out;
}

// A code page through iconv: CP932 as on a Japanese Windows, or CP1252 as on
// a Western one.
class CodePage final : public AnsiCodePage {
 public:
  std::string FromUtf8(std::string_view utf8) override {
    return Convert(name, "UTF-8", utf8, true);
  }
  bool Carries(std::string_view utf8) override {
    bool lost = false;
    Convert(name, "UTF-8", utf8, true, &lost);
    return !lost;
  }
  std::string ToUtf8(std::string_view ansi) override { return Convert("UTF-8", name, ansi, false); }

  const char* name = "CP932";
};

// The form hosting the control: user mode or design mode, and the property
// changes it hears of.
class FakeControlHost final : public ControlHost {
 public:
  explicit FakeControlHost(WindowHandle hwnd) : hwnd(hwnd) {}
  WindowHandle Hwnd() override { return hwnd; }
  bool UserMode() override { return user_mode; }
  void PropertyChanged(std::string_view name) override { notices.emplace_back(name); }
  std::optional<Picture> FacePicture() override { return face; }
  void SetFacePicture(const std::optional<Picture>& picture) override { face = picture; }
  int ScaleWidth() override { return 34; }
  int ScaleHeight() override { return 34; }
  HResult SetSizeTwips(int, int) override { return kOk; }

  WindowHandle hwnd;
  bool user_mode = true;
  std::vector<std::string> notices;
  std::optional<Picture> face;
};

}  // namespace orvo::fake
