#include "doubles/fake_tray.h"

#include <iconv.h>

#include <cerrno>
#include <utility>

#include "systray/mSysTray.h"

namespace orvo::fake {

HResult FakeTrayShell::NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
  return Record({message, record, {}});
}

HResult FakeTrayShell::NotifyIcon(std::uint32_t message, const NotifyIconRecordW& record) {
  return Record({message, {}, record});
}

HResult FakeTrayShell::Record(const ShellCall& call) {
  calls.push_back(call);
  if (journal_) {
    static const char* const kNames[] = {"NIM_ADD", "NIM_MODIFY", "NIM_DELETE"};
    journal_->push_back(call.message < 3 ? kNames[call.message] : "NIM_?");
  }
  return result;
}

WindowHandle FakeWindows::NewWindow(Proc own) {
  const WindowHandle hwnd = 0x100 + 4 * windows_.size();
  windows_[hwnd] = {std::move(own), OwnProc(hwnd), 0};
  return hwnd;
}

std::intptr_t FakeWindows::Send(WindowHandle hwnd, std::uint32_t msg, std::uintptr_t wparam,
                                std::intptr_t lparam) {
  return CallWindowProc(windows_.at(hwnd).proc, hwnd, msg, wparam, lparam);
}

void FakeWindows::Log(std::string line) {
  if (journal_) journal_->push_back(std::move(line));
}

WindowProcAddress FakeWindows::SetWindowProc(WindowHandle hwnd, WindowProcAddress proc) {
  Log(proc == kTrayProc ? "SetWindowProc tray" : "SetWindowProc other");
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return 0;
  return std::exchange(it->second.proc, proc);
}

std::uintptr_t FakeWindows::SetUserData(WindowHandle hwnd, std::uintptr_t data) {
  Log("SetUserData");
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return 0;
  return std::exchange(it->second.user_data, data);
}

std::uintptr_t FakeWindows::GetUserData(WindowHandle hwnd) {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? 0 : it->second.user_data;
}

std::intptr_t FakeWindows::CallWindowProc(WindowProcAddress proc, WindowHandle hwnd,
                                          std::uint32_t msg, std::uintptr_t wparam,
                                          std::intptr_t lparam) {
  if (proc == kTrayProc) return mSysTray::TrayWindowProc(*this, hwnd, msg, wparam, lparam);
  for (auto& [handle, window] : windows_) {
    if (OwnProc(handle) == proc) return window.own(hwnd, msg, wparam, lparam);
  }
  return 0;
}

namespace {

// iconv from one encoding to another; '?' for what the target lacks or the
// source does not know, as the Windows conversions do, and `lost` set. A
// source character is skipped whole: in UTF-8 its continuation bytes, in
// CP932 the trail byte of a lead byte.
std::string Convert(const char* to, const char* from, std::string_view text, bool from_utf8,
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

}  // namespace

std::string CodePage::FromUtf8(std::string_view utf8) { return Convert(name, "UTF-8", utf8, true); }

bool CodePage::Carries(std::string_view utf8) {
  bool lost = false;
  Convert(name, "UTF-8", utf8, true, &lost);
  return !lost;
}

std::string CodePage::ToUtf8(std::string_view ansi) { return Convert("UTF-8", name, ansi, false); }

}  // namespace orvo::fake
