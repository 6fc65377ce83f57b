#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/platform.h"
#include "doubles/fake_desktop.h"
#include "doubles/fake_tray.h"
#include "doubles/fake_window.h"
#include "res/resource_names.h"

namespace orvo::fake {

// Timers on a clock that moves only when a test advances it; due timers tick
// in time order, each as often as its interval fits.
class VirtualClock final : public TimerPort {
 public:
  class FakeTimer final : public Timer {
   public:
    FakeTimer(VirtualClock& clock, std::uint32_t interval, std::function<void()> tick)
        : clock_(clock), interval_(interval), tick_(std::move(tick)) {
      clock_.timers_.push_back(this);
    }
    ~FakeTimer() override { std::erase(clock_.timers_, this); }
    HResult SetEnabled(bool enabled) override {
      if (enabled == enabled_) return kOk;
      if (enabled && fail_enable) return kFail;
      enabled_ = enabled;
      due_ = clock_.now_ + interval_;
      return kOk;
    }
    bool Enabled() const override { return enabled_; }
    bool fail_enable = false;

   private:
    friend class VirtualClock;
    VirtualClock& clock_;
    std::uint32_t interval_;
    std::function<void()> tick_;
    bool enabled_ = false;
    std::uint64_t due_ = 0;
  };

  std::unique_ptr<Timer> CreateTimer(std::uint32_t interval_ms, bool enabled,
                                     std::function<void()> tick) override {
    auto timer = std::make_unique<FakeTimer>(*this, interval_ms, std::move(tick));
    (void)timer->SetEnabled(enabled);
    return timer;
  }
  void Advance(std::uint64_t ms) {
    const std::uint64_t end = now_ + ms;
    for (;;) {
      FakeTimer* next = nullptr;
      for (FakeTimer* t : timers_) {
        if (t->enabled_ && t->due_ <= end && (!next || t->due_ < next->due_)) next = t;
      }
      if (!next) break;
      now_ = next->due_;
      next->due_ += next->interval_;
      next->tick_();
    }
    now_ = end;
  }

 private:
  std::uint64_t now_ = 0;
  std::vector<FakeTimer*> timers_;
};

inline VirtualClock::FakeTimer& AsFake(Timer& timer) {
  return static_cast<VirtualClock::FakeTimer&>(timer);
}

// The tray icons by name, each a distinct picture; other names, and the one
// made to fail, fail as a missing resource does.
class FakeIcons final : public Icons {
 public:
  static Picture PictureOf(std::string_view name) {
    for (std::size_t i = 0; i < res::kTrayIcons.size(); ++i)
      if (res::kTrayIcons[i].group == name) return {Picture::Type::kIcon, 0x1C00 + i};
    return {};
  }
  static std::string NameOf(const Picture& picture) {
    for (const res::TrayIconEntry& e : res::kTrayIcons)
      if (PictureOf(e.group) == picture) return std::string(e.group);
    return "";
  }
  HResult LoadNamedIcon(std::string_view name, Picture& icon) override {
    icon = PictureOf(name);
    return icon.type == Picture::Type::kNone || name == failing ? static_cast<HResult>(0x80070716u)
                                                                : kOk;
  }
  void FailOn(std::string_view name) { failing = name; }  // "": none fails
  std::string failing;
};

// The program's folder in memory; a failed write changes nothing, as the
// real one promises.
class FakeFiles final : public Files {
 public:
  static constexpr const char* kAppDirectory = "C:\\Program Files\\オルボ";
  struct Entry {
    std::string bytes;
    bool hidden = false;  // or a folder, or a system file: no ordinary file
    bool read_only = false;
  };

  std::string AppDirectory() override { return kAppDirectory; }
  bool IsOrdinaryFile(std::string_view path) override {
    const Entry* e = Find(path);
    return e && !e->hidden;
  }
  HResult Read(std::string_view path, std::string& bytes) override {
    const Entry* e = Find(path);
    if (!e || fail_read) return kFail;
    bytes = e->bytes.substr(0, kMaxReadBytes);
    return kOk;
  }
  HResult Replace(std::string_view path, std::string_view bytes) override {
    Entry* e = Find(path);
    if (fail_replace || (e && (e->hidden || e->read_only))) return kFail;
    entries[std::string(path)].bytes = bytes;
    if (on_replace) on_replace();
    return kOk;
  }
  static std::string SetIni() { return std::string(kAppDirectory) + "\\set.ini"; }
  Entry* Find(std::string_view path) {
    auto it = entries.find(path);
    return it == entries.end() ? nullptr : &it->second;
  }

  std::map<std::string, Entry, std::less<>> entries;
  bool fail_read = false;
  bool fail_replace = false;  // as a folder without write access
  std::function<void()> on_replace;
};

struct FakeSound final : Sound {
  void Beep() override {
    ++beeps;
    if (on_beep) on_beep();
  }
  int beeps = 0;
  std::function<void()> on_beep;  // lets a test look at the moment of the beep
};

// Records the end instead of ending the test.
struct FakeProcess final : Process {
  void End() override {
    ++ends;
    if (on_end) on_end();
  }
  int ends = 0;
  std::function<void()> on_end;
};

struct FakeVersionInfo final : VersionInfo {
  HResult ReadProgramVersion(ProgramVersion& out) override {
    if (fail) return kFail;
    out = version;
    return kOk;
  }
  ProgramVersion version{"Orvo_自動広告除去", 1, 8, 0};
  bool fail = false;
};

// Every double, wired into one Platform. The tray control sits on a fake
// window of its own, in a fake notification area.
struct FakePlatform {
  FakeDesktop desktop;
  VirtualClock clock;
  FakeSound sound;
  FakeIcons icons;
  FakeFiles files;
  CodePage ansi;
  FakeTrayShell shell;
  FakeWindows windows;
  WindowHandle tray_hwnd = windows.NewWindow(
      [](WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; });
  FakeControlHost tray_host{tray_hwnd};
  cSysTray tray{SysTrayPorts{tray_host, shell, windows, ansi}};
  FakeWindowFactory screens;
  FakeProcess process;
  FakeVersionInfo version;
  Platform platform{desktop, clock, sound, icons, files, ansi, screens, process, version, tray};

  // Sends the shell's tray callback for a mouse message to the control.
  void TrayMouse(std::uint32_t mouse_message) {
    windows.Send(tray_hwnd, 1125, 0, static_cast<std::intptr_t>(mouse_message));
  }
  // The picture and the tooltip the notification area shows now, played
  // back from the shell calls; the tip in UTF-8.
  std::string ShownIcon() const {
    std::uint32_t icon = 0;
    for (const ShellCall& call : shell.calls) {
      if (call.message == kNimDelete)
        icon = 0;
      else if (call.record[12] & 2)
        icon = IconOf(call.record);
    }
    return FakeIcons::NameOf({Picture::Type::kIcon, icon});
  }
  std::string ShownTip() const {
    std::string tip;
    for (const ShellCall& call : shell.calls) {
      if (call.message == kNimDelete)
        tip.clear();
      else if (call.record[12] & 4)
        tip = reinterpret_cast<const char*>(call.record.data() + 24);
    }
    return CodePage().ToUtf8(tip);
  }
};

}  // namespace orvo::fake
