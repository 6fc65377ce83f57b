#include "doubles/fake_tray.h"

#include <iconv.h>

#include <cerrno>
#include <utility>

#include "systray/mSysTray.h"

namespace orvo::fake {

HResult FakeTrayShell::NotifyIcon(std::uint32_t message, const NotifyIconRecord& record) {
  calls.push_back({message, record});
  if (journal_) {
    static const char* const kNames[] = {"NIM_ADD", "NIM_MODIFY", "NIM_DELETE"};
    journal_->push_back(message < 3 ? kNames[message] : "NIM_?");
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

std::string Cp932::FromUtf8(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char buffer[256];
  while (in_left > 0) {
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &in_left, &dst, &dst_left);
    out.append(buffer, dst);
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // As WideCharToMultiByte: '?' for a character the code page lacks.
    out += '?';
    do {
      ++in;
      --in_left;
    } while (in_left > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
  }
  iconv_close(cd);
  return out;
}

bool FakePropertyBag::ReadBool(std::string_view key, bool default_value) {
  log.push_back("read " + std::string(key));
  auto it = bools.find(key);
  return it == bools.end() ? default_value : it->second;
}

std::optional<Picture> FakePropertyBag::ReadPicture(std::string_view key,
                                                    const std::optional<Picture>& default_value) {
  log.push_back("read " + std::string(key));
  auto it = pictures.find(key);
  return it == pictures.end() ? default_value : it->second;
}

HResult FakePropertyBag::WriteBool(std::string_view key, bool value) {
  log.push_back("write " + std::string(key));
  if (Failed(write_result)) return write_result;
  bools.insert_or_assign(std::string(key), value);
  return kOk;
}

HResult FakePropertyBag::WritePicture(std::string_view key, const std::optional<Picture>& value) {
  log.push_back("write " + std::string(key));
  if (Failed(write_result)) return write_result;
  pictures.insert_or_assign(std::string(key), value);
  return kOk;
}

}  // namespace orvo::fake
