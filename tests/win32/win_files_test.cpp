#include "win32/win_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orvo::win32 {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(WinFiles, AppDirectoryHoldsTheRunningProgram) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(WinFiles().AppDirectory(), Utf8(fs::path(self).parent_path()));
}

// Replace puts exactly the new bytes in place of the old file, takes over
// what a save cut short left, leaves nothing else in the folder, and leaves
// files the user protected as they are.
TEST(WinFiles, ReplacesTheFileWholeWithExactlyTheBytesOrLeavesItAlone) {
  const std::string old_bytes = "1\r\n1\r\n1\r\n";
  const std::string sjis("\x83\x75\x83\x8d\r\n\x00\xff\r\n", 8);
  const std::string huge(3 * Files::kMaxReadBytes, 'x');
  const struct {
    const char* before;  // file, a save cut short (its .tmp beside), folder, gone (the folder)
    DWORD attributes;    // of the old file
    std::string bytes;
    bool replaced;
    bool ordinary;
  } cases[] = {
      {"nothing", 0, " 0 \r\n 0 \r\n 0 \r\n", true, true},
      {"file", FILE_ATTRIBUTE_NORMAL, sjis, true, true},
      {"file", FILE_ATTRIBUTE_NORMAL, "", true, true},
      {"cut short", FILE_ATTRIBUTE_NORMAL, "0\r\n", true, true},
      // Read no further than settings can reach.
      {"nothing", 0, huge, true, true},
      {"file", FILE_ATTRIBUTE_READONLY, "0\r\n", false, true},
      {"file", FILE_ATTRIBUTE_HIDDEN, "0\r\n", false, false},
      {"file", FILE_ATTRIBUTE_SYSTEM, "0\r\n", false, false},
      {"folder", 0, "0\r\n", false, false},
      {"gone", 0, "0\r\n", false, false},
  };
  const fs::path dir = fs::temp_directory_path() / u8"orvo 設定テスト";
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " " + std::to_string(c.bytes.size()));
    const std::string before = c.before;
    fs::remove_all(dir);
    fs::create_directory(dir);
    const fs::path ini = dir / (before == "gone" ? "gone\\set.ini" : "set.ini");
    const bool file = before == "file" || before == "cut short";
    if (file) std::ofstream(ini, std::ios::binary) << old_bytes;
    if (before == "cut short") std::ofstream(dir / "set.ini.tmp") << "1\r\n";
    if (before == "folder") fs::create_directory(ini);
    if (file) SetFileAttributesW(ini.c_str(), c.attributes);

    WinFiles files;
    EXPECT_EQ(Succeeded(files.Replace(Utf8(ini), c.bytes)), c.replaced);
    std::string bytes = "unread";
    EXPECT_EQ(Succeeded(files.Read(Utf8(ini), bytes)), c.replaced || file);
    const std::string kept = file ? old_bytes : "unread";
    EXPECT_EQ(bytes, c.replaced ? c.bytes.substr(0, Files::kMaxReadBytes) : kept);
    EXPECT_EQ(files.IsOrdinaryFile(Utf8(ini)), c.ordinary);
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    EXPECT_EQ(names, before == "gone" ? std::vector<fs::path>{} : std::vector<fs::path>{"set.ini"});
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orvo::win32
