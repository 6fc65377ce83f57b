#pragma once

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
  HResult NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) override;
  HResult NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) override;

  std::vector<ShellCall> calls;
  HResult result = kOk;

 private:
  HResult Record(const ShellCall& call);

  Journal* journal_;
};

class FakeWindows final : public WindowProcSlots {
 public:
  using Proc =
      std::function<std::intptr_t(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t)>;
  static constexpr WindowProcAddress kTrayProc = 0x7A7A0000;
  static constexpr std::uint32_t kTaskbarCreated = 0xC0DE;

  explicit FakeWindows(Journal* journal = nullptr) : journal_(journal) {}

  // A window whose own procedure is `own`; its address is OwnProc(handle).
  WindowHandle NewWindow(Proc own);
  WindowProcAddress OwnProc(WindowHandle hwnd) const { return 0x1000 + hwnd; }
  // Runs a message through the window's current procedure.
  std::intptr_t Send(WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wparam,
                     std::intptr_t lparam);
  WindowProcAddress ProcOf(WindowHandle hwnd) const { return windows_.at(hwnd).proc; }
  std::uintptr_t UserDataOf(WindowHandle hwnd) const { return windows_.at(hwnd).user_data; }

  WindowProcAddress SetWindowProc(WindowHandle hwnd, WindowProcAddress proc) override;
  std::uintptr_t SetUserData(WindowHandle hwnd, std::uintptr_t data) override;
  std::uintptr_t GetUserData(WindowHandle hwnd) override;
  std::intptr_t CallWindowProc(WindowProcAddress proc, WindowHandle hwnd, std::uint32_t msg,
                               std::uintptr_t wparam, std::intptr_t lparam) override;
  WindowProcAddress TrayWindowProcAddress() override { return kTrayProc; }
  std::uint32_t TaskbarCreatedMessage() override { return kTaskbarCreated; }

 private:
  struct Window {
    Proc own;
    WindowProcAddress proc = 0;
    std::uintptr_t user_data = 0;
  };
  void Log(std::string line);

  std::map<WindowHandle, Window> windows_;
  Journal* journal_;
};

// A code page through iconv: CP932 as on a Japanese Windows, or CP1252 as on
// a Western one.
class CodePage final : public AnsiCodePage {
 public:
  std::string FromUtf8(std::string_view utf8) override;
  bool Carries(std::string_view utf8) override;
  std::string ToUtf8(std::string_view ansi) override;

  const char* name = "CP932";
};

class FakeControlHost final : public ControlHost {
 public:
  explicit FakeControlHost(WindowHandle hwnd) : hwnd(hwnd) {}

  WindowHandle Hwnd() override { return hwnd; }
  bool UserMode() override { return user_mode; }
  void PropertyChanged(std::string_view name) override { notices.emplace_back(name); }
  std::optional<Picture> FacePicture() override { return face; }
  void SetFacePicture(const std::optional<Picture>& picture) override { face = picture; }
  int ScaleWidth() override { return scale_width; }
  int ScaleHeight() override { return scale_height; }
  HResult SetSizeTwips(int width, int height) override {
    width_twips = width;
    height_twips = height;
    return kOk;
  }

  WindowHandle hwnd;
  bool user_mode = true;
  std::vector<std::string> notices;
  std::optional<Picture> face;
  int scale_width = 34;
  int scale_height = 34;
  int width_twips = 0;
  int height_twips = 0;
};

}  // namespace orvo::fake
