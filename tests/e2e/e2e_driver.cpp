// The test's hands inside Wine, one process for a whole run: it reads a
// command a line on stdin, fields separated by tabs, and answers with its
// output lines (UTF-8), then "== STATUS" (2: no such window).
//
//   PID list                        every top-level window, message-only
//                                   ones included: hwnd pid visible
//                                   x y w h class title (a tooltip's title is
//                                   its text)
//   PID keys VK...                  presses and releases each virtual key; +VK
//                                   only presses it, -VK only releases it
//   PID broadcast NAME              posts a registered message to every
//                                   top-level window, as the shell does
//   PID endsession                  what Windows does to a process at log-off:
//                                   WM_QUERYENDSESSION to each of its windows,
//                                   then WM_ENDSESSION (ending unless one
//                                   refused); prints how many refused
//   PID untray CLASS TITLE          deletes the window's tray icon (id 0), as
//                                   a shell that restarted has lost it
//   PID tray CLASS TITLE [EXE NAME] succeeds while the window's icon (id 0) is
//                                   in the tray; shows icon NAME of EXE there
//   PID close CLASS TITLE           what the close box does: SC_CLOSE
//   PID suspend|resume CLASS TITLE  holds up the thread of the window, or lets
//                                   it go on
//   PID hold [PATH]                 keeps PATH open, unshared, until the next
//                                   hold
//   PID focus CLASS TITLE CAPTION   moves the focus to a control
//   PID click CLASS TITLE CAPTION   clicks a control of a top-level window and
//                                   returns once the program has handled it
//   PID push CLASS TITLE CAPTION    the same click, posted: the program handles
//                                   it outside any message sent to it
//   PID checked CLASS TITLE CAPTION prints 1 when that check box is ticked
//   PID focused CLASS TITLE         prints the caption of the window's thread's
//                                   focus
//   PID controls CLASS TITLE        the window's client area, then each visible
//                                   control: x y w h caption, on the screen
//
// PID 0 is any process. CLASS or TITLE "-" matches any.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Through a timeout: a hung program must not hang the test.
DWORD_PTR Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR unanswered = 0) {
  DWORD_PTR r = 0;
  return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &r) ? r : unanswered;
}

// A window's text, or its class name.
std::wstring TextOf(HWND hwnd, bool class_name = false) {
  wchar_t text[512] = L"";
  if (class_name) GetClassNameW(hwnd, text, 512);
  if (!class_name) Send(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM found) {
  reinterpret_cast<std::vector<HWND>*>(found)->push_back(hwnd);
  return TRUE;
}

// The top-level windows of a process (of every process for 0), or the
// children of a window.
std::vector<HWND> Windows(DWORD pid, HWND parent = nullptr) {
  std::vector<HWND> all;
  parent ? EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all))
         : EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND h = nullptr; !parent && (h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr));)
    all.push_back(h);
  std::erase_if(all, [pid](HWND hwnd) { return pid && ProcessOf(hwnd) != pid; });
  return all;
}

HWND ChildByCaption(HWND window, const std::wstring& caption) {
  for (HWND child : Windows(0, window)) {
    if (TextOf(child) == caption) return child;
  }
  return nullptr;
}

// Windows of one class may share a title (the options window and the exit
// confirmation do): the one holding `control` wins, a visible one first.
HWND Find(DWORD pid, const std::wstring& window_class, const std::wstring& title,
          const std::wstring* control) {
  HWND hidden = nullptr;
  for (HWND hwnd : Windows(pid)) {
    if ((window_class != L"-" && TextOf(hwnd, true) != window_class) ||
        (title != L"-" && TextOf(hwnd) != title) || (control && !ChildByCaption(hwnd, *control))) {
      continue;
    }
    if (IsWindowVisible(hwnd)) return hwnd;
    if (!hidden) hidden = hwnd;
  }
  return hidden;
}

std::string Utf8(const std::wstring& text) {
  char utf8[4096] = "";
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

void PrintRect(HWND hwnd, const RECT& r) {
  std::printf("%ld %ld %ld %ld %s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
              Utf8(TextOf(hwnd)).c_str());
}

int Run(const std::vector<std::wstring>& args) {
  const DWORD pid = std::wcstoul(args[0].c_str(), nullptr, 10);
  const std::wstring& command = args[1];
  const size_t n = args.size();
  for (HWND hwnd : command == L"list" ? Windows(pid) : std::vector<HWND>{}) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::printf("%p %lu %d %ld %ld %ld %ld %s\n", static_cast<void*>(hwnd), ProcessOf(hwnd),
                IsWindowVisible(hwnd) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top,
                Utf8(TextOf(hwnd, true) + L" " + TextOf(hwnd)).c_str());
  }
  if (command == L"list") return 0;
  for (size_t i = 2; command == L"keys" && i < n; ++i) {
    const BYTE vk = static_cast<BYTE>(std::labs(std::wcstol(args[i].c_str(), nullptr, 0)));
    if (args[i][0] != L'-') keybd_event(vk, 0, 0, 0);
    if (args[i][0] != L'+') keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    Sleep(50);
  }
  if (command == L"keys") return 0;
  static HANDLE held = nullptr;
  if (command == L"hold" && held) CloseHandle(held);
  if (command == L"hold")
    held = CreateFileW(n == 3 ? args[2].c_str() : L"", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
  if (command == L"hold") return n == 2 || held != INVALID_HANDLE_VALUE ? 0 : 1;
  if (command == L"broadcast" && n == 3) {
    return PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(args[2].c_str()), 0, 0) ? 0 : 1;
  }
  if (command == L"endsession" && pid) {
    int refused = 0;
    for (HWND hwnd : Windows(pid)) refused += Send(hwnd, WM_QUERYENDSESSION, 0, 0, TRUE) ? 0 : 1;
    std::printf("%d\n", refused);
    for (HWND hwnd : Windows(pid)) Send(hwnd, WM_ENDSESSION, !refused, 0);
    return 0;
  }
  const bool has_control = n == 5 && command != L"untray" && command != L"close";
  const HWND window =
      n < 4 ? nullptr : Find(pid, args[2], args[3], has_control ? &args[4] : nullptr);
  if (!window) return 2;
  NOTIFYICONDATAW tray{};
  tray.cbSize = sizeof tray;
  tray.hWnd = window;
  if (command == L"untray") return Shell_NotifyIconW(NIM_DELETE, &tray) ? 0 : 1;
  if (command == L"tray" && n == 6) {
    // At the size the program asks for, the default one, which the tray scales.
    const HMODULE exe = LoadLibraryExW(args[4].c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    tray.hIcon =
        static_cast<HICON>(LoadImageW(exe, args[5].c_str(), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    tray.uFlags = NIF_ICON;
  }
  if (command == L"tray") return Shell_NotifyIconW(NIM_MODIFY, &tray) ? 0 : 1;
  if (command == L"close") return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
  if (command == L"controls") {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    PrintRect(window, r);
    for (HWND child : Windows(0, window))
      if (IsWindowVisible(child) && GetWindowRect(child, &r)) PrintRect(child, r);
    return 0;
  }
  if (command == L"suspend" || command == L"resume") {
    const HANDLE thread =
        OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, {}));
    const DWORD was = command == L"suspend" ? SuspendThread(thread) : ResumeThread(thread);
    CloseHandle(thread);
    return was == DWORD(-1);
  }
  const HWND control = has_control ? ChildByCaption(window, args[4]) : nullptr;
  if (command == L"click") return Send(control, BM_CLICK, 0, 0), 0;
  if (command == L"focus") return Send(window, WM_NEXTDLGCTL, WPARAM(control), TRUE), 0;
  if (command == L"push") return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  if (command == L"focused" && GetGUIThreadInfo(GetWindowThreadProcessId(window, {}), &thread))
    return std::printf("%s\n", Utf8(TextOf(thread.hwndFocus)).c_str()), 0;
  if (command != L"checked" || !control) return 1;
  std::printf("%d\n", Send(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
  return 0;
}

}  // namespace

int wmain(int, wchar_t**) {
  char line[4096];
  while (std::fgets(line, sizeof line, stdin)) {
    wchar_t text[4096] = L"";
    MultiByteToWideChar(CP_UTF8, 0, line, -1, text, 4096);
    std::vector<std::wstring> args(1);
    for (const wchar_t* c = text; *c; ++c) {
      if (*c == L'\t') args.emplace_back();
      if (*c != L'\t' && *c != L'\r' && *c != L'\n') args.back() += *c;
    }
    std::printf("== %d\n", args.size() >= 2 ? Run(args) : 1);
    std::fflush(stdout);
  }
  return 0;
}
