#include "win32/win_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace orvo::win32 {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  return reinterpret_cast<const char*>(path.u8string().c_str());
}

// Replace puts exactly the new bytes in place of the old file, takes over
// what a save cut short left, leaves nothing else in the folder, and leaves
// files the user protected as they are (the end-to-end run's drills show a
// read-only and a hidden file, a folder in its place and a locked file).
TEST(WinFiles, ReplacesTheFileBesideTheProgramWholeWithExactlyTheBytesOrLeavesItAlone) {
  const std::string old_bytes = "1\r\n1\r\n1\r\n";
  // What the folder holds before: nothing, the old file (with these attributes), the old
  // file and what a save cut short left beside it, or the folder is gone; what Replace is
  // to write; then whether it did, and if the file is ordinary.
  const std::tuple<std::string, DWORD, std::string, bool, bool> cases[] = {
      {"nothing", 0, " 0 \r\n 0 \r\n 0 \r\n", true, true},
      {"file", FILE_ATTRIBUTE_NORMAL, std::string("\x83u\x83\x8d\r\n\0\xff\r\n", 8), true, true},
      {"file", FILE_ATTRIBUTE_NORMAL, "", true, true},
      {"cut short", FILE_ATTRIBUTE_NORMAL, "0\r\n", true, true},
      {"nothing", 0, std::string(3 * Files::kMaxReadBytes, 'x'), true, true},
      {"file", FILE_ATTRIBUTE_SYSTEM, "0\r\n", false, false},
      {"gone", 0, "0\r\n", false, false},
  };
  const fs::path dir = fs::temp_directory_path() / u8"orvo 設定テスト";
  for (const auto& [before, attributes, bytes, replaced, ordinary] : cases) {
    SCOPED_TRACE(before + " " + std::to_string(bytes.size()));
    fs::remove_all(dir);
    fs::create_directory(dir);
    const fs::path ini = dir / (before == "gone" ? "gone\\set.ini" : "set.ini");
    const bool file = before == "file" || before == "cut short";
    if (file) std::ofstream(ini, std::ios::binary) << old_bytes;
    if (before == "cut short") std::ofstream(dir / "set.ini.tmp") << "1\r\n";
    if (file) SetFileAttributesW(ini.c_str(), attributes);

    WinFiles files;
    EXPECT_EQ(Succeeded(files.Replace(Utf8(ini), bytes)), replaced);
    std::string read = "unread";
    EXPECT_EQ(Succeeded(files.Read(Utf8(ini), read)), replaced || file);
    EXPECT_EQ(read, replaced ? bytes.substr(0, Files::kMaxReadBytes) : file ? old_bytes : "unread");
    EXPECT_EQ(files.IsOrdinaryFile(Utf8(ini)), ordinary);
    const std::vector<fs::path> names(fs::directory_iterator(dir), {});
    EXPECT_EQ(names, before == "gone" ? std::vector<fs::path>{} : std::vector<fs::path>{ini});
    SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  fs::remove_all(dir);

  // Settings live beside the program.
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(WinFiles().AppDirectory(), Utf8(fs::path(self).parent_path()));
}

}  // namespace
}  // namespace orvo::win32
