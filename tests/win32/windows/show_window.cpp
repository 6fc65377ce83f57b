// Not a test: shows one window as the user sees it, for the README's
// screenshots. Prints the window's screen rectangle, then runs the message
// loop for the given number of seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "res/layout/layouts.h"
#include "win32/win_window.h"

namespace {

struct Quiet final : orvo::WindowEvents {
  void Click(orvo::ControlIndex) override {}
  void CloseRequested() override {}
  void SessionEnding() override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: show_window frmMain|Form1|frmAbout [seconds]\n");
    return 2;
  }
  const orvo::layout::Window* layout = nullptr;
  for (const auto* candidate :
       {&orvo::layout::kfrmMain, &orvo::layout::kForm1, &orvo::layout::kfrmAbout}) {
    if (candidate->name == argv[1]) layout = candidate;
  }
  if (layout == nullptr) return 2;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;

  Quiet events;
  orvo::win32::WinWindowFactory factory;
  auto window = factory.Create(*layout, events);
  if (!window) return 1;
  if (layout == &orvo::layout::kfrmAbout) {
    window->SetCaption(orvo::layout::frmAboutControls::lblVersion,
                       "Orvo_自動広告除去 Version.1.8.0");
  }
  window->Show();

  const HWND hwnd = static_cast<orvo::win32::WinWindow&>(*window).hwnd();
  RECT r{};
  GetWindowRect(hwnd, &r);
  std::printf("%ld %ld %ld %ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  std::fflush(stdout);

  SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
    if (orvo::win32::PreTranslateWindowMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
