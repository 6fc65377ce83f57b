#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

struct Search {
  DWORD pid;
  bool shown;
};

// A named procedure: a lambda does not convert to the 32-bit CALLBACK.
BOOL CALLBACK FindShown(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && IsWindowVisible(hwnd)) s->shown = true;
  return TRUE;
}

// The real program, copied into a folder of its own and started as a user
// starts it: set.ini appears beside it in its created form, and no window
// shows.
TEST(StartUp, AFreshFolderGetsTheFifteenByteSetIni) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  // This test lives in <build>/tests/win32, the program in <build>.
  const std::wstring program = Folder(Folder(Folder(self))) + L"\\orvo_autoclose.exe";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"orvo 起動 " + std::to_wstring(GetTickCount());
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring exe = folder + L"\\orvo_autoclose.exe";
  const std::wstring ini = folder + L"\\set.ini";
  ASSERT_TRUE(CopyFileW(program.c_str(), exe.c_str(), TRUE)) << "no program at the build root";

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring command = L"\"" + exe + L"\"";
  ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.c_str(), &startup, &process));
  std::string bytes;
  for (int i = 0; i < 200 && bytes.size() < 15; ++i) {
    Sleep(50);
    bytes = ReadAll(ini);
  }
  const bool running = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
  Search search{process.dwProcessId, false};
  EnumWindows(&FindShown, reinterpret_cast<LPARAM>(&search));
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  EXPECT_TRUE(running);
  EXPECT_FALSE(search.shown);
  EXPECT_EQ(bytes, " 0 \r\n 0 \r\n 0 \r\n");
  DeleteFileW(ini.c_str());
  DeleteFileW(exe.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
