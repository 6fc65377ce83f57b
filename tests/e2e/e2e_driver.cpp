// The test's hands inside Wine: lists windows, posts messages, presses keys
// and reads tooltips, printing UTF-8 for the shell script.
//
//   list                          every top-level window: hwnd pid visible
//                                 x y w h class title
//   post CLASS TITLE MSG WP LP    PostMessage to a top-level window
//   click CLASS TITLE CAPTION     BM_CLICK to a control of a top-level window
//   checked CLASS TITLE CAPTION   prints 1 when that check box is ticked
//   keys VK...                    presses and releases each virtual key
//   tips                          the text of every visible tooltip
//   untray CLASS TITLE            deletes the tray icon (id 0) of a window, as
//                                 a shell that restarted has lost it
//   broadcast NAME                posts a registered message to every
//                                 top-level window, as the shell does
//   endsession PID                what Windows does to a process at log-off:
//                                 WM_QUERYENDSESSION to each of its top-level
//                                 windows, then WM_ENDSESSION; prints how many
//                                 windows refused to end
//
// CLASS or TITLE "-" matches any. With ORVO_E2E_PID set, only that process's
// windows match. Exit status 2: no such window.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

void Print(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  std::fwrite(out.data(), 1, out.size(), stdout);
  std::fputc('\n', stdout);
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512] = L"";
  DWORD_PTR ignored = 0;
  // Through a timeout: a hung program must not hang the test.
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      &ignored);
  return text;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = L"";
  GetClassNameW(hwnd, name, 256);
  return name;
}

using Child = std::pair<const wchar_t*, HWND>;  // caption, found

BOOL CALLBACK ConsiderChild(HWND hwnd, LPARAM param) {
  auto& child = *reinterpret_cast<Child*>(param);
  if (TextOf(hwnd) != child.first) return TRUE;
  child.second = hwnd;
  return FALSE;
}

HWND ChildByCaption(HWND window, const wchar_t* caption) {
  Child child{caption, nullptr};
  EnumChildWindows(window, ConsiderChild, reinterpret_cast<LPARAM>(&child));
  return child.second;
}

struct Search {
  const wchar_t* window_class;
  const wchar_t* title;
  const wchar_t* control;  // a child's caption, or nullptr
  DWORD pid;               // 0: any
  HWND visible = nullptr;
  HWND hidden = nullptr;
};

BOOL CALLBACK Consider(HWND hwnd, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (search.pid && pid != search.pid) return TRUE;
  if (std::wcscmp(search.window_class, L"-") != 0 && ClassOf(hwnd) != search.window_class) {
    return TRUE;
  }
  if (std::wcscmp(search.title, L"-") != 0 && TextOf(hwnd) != search.title) return TRUE;
  if (search.control && !ChildByCaption(hwnd, search.control)) return TRUE;
  HWND& slot = IsWindowVisible(hwnd) ? search.visible : search.hidden;
  if (!slot) slot = hwnd;
  return TRUE;
}

// Windows of one class may share a title (the options window and the exit
// confirmation do): the one holding `control` wins, a visible one first.
HWND Find(const wchar_t* window_class, const wchar_t* title, const wchar_t* control) {
  wchar_t pid[16] = L"";
  GetEnvironmentVariableW(L"ORVO_E2E_PID", pid, 16);
  Search search{window_class, title, control, static_cast<DWORD>(std::wcstoul(pid, nullptr, 10))};
  EnumWindows(Consider, reinterpret_cast<LPARAM>(&search));
  return search.visible ? search.visible : search.hidden;
}

UINT_PTR Number(const wchar_t* text) {
  return static_cast<UINT_PTR>(std::wcstoull(text, nullptr, 0));
}

BOOL CALLBACK ListOne(HWND hwnd, LPARAM) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t head[128];
  std::swprintf(head, 128, L"%p %lu %d %ld %ld %ld %ld ", static_cast<void*>(hwnd), pid,
                IsWindowVisible(hwnd) ? 1 : 0, r.left, r.top, r.right - r.left, r.bottom - r.top);
  Print(head + ClassOf(hwnd) + L" " + TextOf(hwnd));
  return TRUE;
}

BOOL CALLBACK PrintTip(HWND hwnd, LPARAM) {
  if (IsWindowVisible(hwnd) && ClassOf(hwnd) == L"tooltips_class32") Print(TextOf(hwnd));
  return TRUE;
}

struct ProcessWindows {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOfProcess(HWND hwnd, LPARAM param) {
  auto& windows = *reinterpret_cast<ProcessWindows*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == windows.pid) windows.found.push_back(hwnd);
  return TRUE;
}

int EndSession(DWORD pid) {
  ProcessWindows windows{pid, {}};
  EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&windows));
  if (windows.found.empty()) return 2;
  int refused = 0;
  for (HWND hwnd : windows.found) {
    DWORD_PTR agreed = TRUE;
    if (SendMessageTimeoutW(hwnd, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &agreed) &&
        !agreed) {
      ++refused;
    }
  }
  std::printf("%d\n", refused);
  std::fflush(stdout);
  if (refused) return 0;
  DWORD_PTR ignored = 0;
  for (HWND hwnd : windows.found) {
    if (IsWindow(hwnd)) {
      SendMessageTimeoutW(hwnd, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 1;
  const std::wstring command = argv[1];
  if (command == L"list") {
    EnumWindows(ListOne, 0);
    return 0;
  }
  if (command == L"tips") {
    EnumWindows(PrintTip, 0);
    return 0;
  }
  if (command == L"keys") {
    for (int i = 2; i < argc; ++i) {
      const BYTE vk = static_cast<BYTE>(Number(argv[i]));
      keybd_event(vk, 0, 0, 0);
      keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
      Sleep(50);
    }
    return 0;
  }
  if (command == L"broadcast" && argc == 3) {
    const UINT msg = RegisterWindowMessageW(argv[2]);
    return msg && PostMessageW(HWND_BROADCAST, msg, 0, 0) ? 0 : 1;
  }
  if (command == L"endsession" && argc == 3) return EndSession(static_cast<DWORD>(Number(argv[2])));
  if (argc < 4) return 1;
  const bool has_control = command == L"click" || command == L"checked";
  const wchar_t* caption = has_control && argc == 5 ? argv[4] : nullptr;
  const HWND window = Find(argv[2], argv[3], caption);
  if (!window) return 2;
  if (command == L"untray") {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 0;
    return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 1;
  }
  if (command == L"post" && argc == 7) {
    const UINT msg = static_cast<UINT>(Number(argv[4]));
    return PostMessageW(window, msg, Number(argv[5]), static_cast<LPARAM>(Number(argv[6]))) ? 0 : 1;
  }
  if (has_control && argc == 5) {
    const HWND control = ChildByCaption(window, caption);
    if (!control) return 2;
    if (command == L"click") return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    DWORD_PTR state = 0;
    SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    std::printf("%d\n", state == BST_CHECKED ? 1 : 0);
    return 0;
  }
  return 1;
}
