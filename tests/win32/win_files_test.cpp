#include "win32/win_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvo::win32 {
namespace {

std::wstring Wide(const std::string& utf8) {
  std::wstring w(utf8.size(), L'\0');
  w.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(),
                               static_cast<int>(w.size())));
  return w;
}

// A fresh folder with a Japanese name, removed with its files afterwards.
class WinFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"orvo 設定テスト " + std::to_wstring(GetTickCount());
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    char utf8[MAX_PATH * 3];
    WideCharToMultiByte(CP_UTF8, 0, dir.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
    dir_ = utf8;
    ini_ = dir_ + "\\set.ini";
  }
  void TearDown() override {
    for (const std::wstring& name : Names()) {
      const std::wstring path = Wide(dir_) + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
    RemoveDirectoryW(Wide(dir_).c_str());
  }

  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((Wide(dir_) + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(h, &found));
    FindClose(h);
    return names;
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(files_.Read(path, bytes), kOk);
    return bytes;
  }

  WinFiles files_;
  std::string dir_;
  std::string ini_;
};

TEST_F(WinFilesTest, AppDirectoryHoldsTheRunningProgram) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring name = wcsrchr(self, L'\\') + 1;
  char utf8[MAX_PATH * 3];
  WideCharToMultiByte(CP_UTF8, 0, name.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  const std::string dir = files_.AppDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_NE(dir.back(), '\\');
  EXPECT_TRUE(files_.IsOrdinaryFile(dir + "\\" + utf8));
}

TEST_F(WinFilesTest, ReplaceWritesExactlyTheBytesAndLeavesNothingElseBehind) {
  EXPECT_FALSE(files_.IsOrdinaryFile(ini_));
  std::string bytes;
  EXPECT_LT(files_.Read(ini_, bytes), 0);

  ASSERT_EQ(files_.Replace(ini_, " 0 \r\n 0 \r\n 0 \r\n"), kOk);
  EXPECT_TRUE(files_.IsOrdinaryFile(ini_));
  EXPECT_EQ(Read(ini_), " 0 \r\n 0 \r\n 0 \r\n");

  ASSERT_EQ(files_.Replace(ini_, "1\r\n0\r\n0\r\n"), kOk);
  EXPECT_EQ(Read(ini_), "1\r\n0\r\n0\r\n");
  ASSERT_EQ(files_.Replace(ini_, ""), kOk);
  EXPECT_EQ(Read(ini_), "");
  const std::string sjis("\x83\x75\x83\x8d\r\n\x00\xff\r\n", 8);
  ASSERT_EQ(files_.Replace(ini_, sjis), kOk);
  EXPECT_EQ(Read(ini_), sjis);

  EXPECT_EQ(Names(), std::vector<std::wstring>{L"set.ini"});
}

// A save cut short leaves its temporary file; the next save takes it over
// instead of leaving another one beside it.
TEST_F(WinFilesTest, ASaveCutShortLeavesNoLitterAfterTheNextSave) {
  ASSERT_EQ(files_.Replace(ini_, "0\r\n0\r\n0\r\n"), kOk);
  ASSERT_EQ(files_.Replace(ini_ + ".tmp", "1\r\n"), kOk);  // what a killed save leaves
  ASSERT_EQ(Names().size(), 2u);

  ASSERT_EQ(files_.Replace(ini_, "1\r\n1\r\n1\r\n"), kOk);
  EXPECT_EQ(Read(ini_), "1\r\n1\r\n1\r\n");
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"set.ini"});
}

// Files the user protected stay as they are, and the caller is told.
TEST_F(WinFilesTest, ProtectedFilesAndDirectoriesAreNeitherOrdinaryNorReplaced) {
  struct Case {
    DWORD attributes;
    bool ordinary;
  };
  for (Case c : {Case{FILE_ATTRIBUTE_READONLY, true}, Case{FILE_ATTRIBUTE_HIDDEN, false},
                 Case{FILE_ATTRIBUTE_SYSTEM, false}}) {
    ASSERT_EQ(files_.Replace(ini_, "1\r\n1\r\n1\r\n"), kOk);
    ASSERT_TRUE(SetFileAttributesW(Wide(ini_).c_str(), c.attributes));
    SCOPED_TRACE(c.attributes);
    EXPECT_EQ(files_.IsOrdinaryFile(ini_), c.ordinary);
    EXPECT_LT(files_.Replace(ini_, "0\r\n0\r\n0\r\n"), 0);
    EXPECT_EQ(Read(ini_), "1\r\n1\r\n1\r\n");
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"set.ini"});
    SetFileAttributesW(Wide(ini_).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(Wide(ini_).c_str());
  }

  ASSERT_TRUE(CreateDirectoryW(Wide(ini_).c_str(), nullptr));
  EXPECT_FALSE(files_.IsOrdinaryFile(ini_));
  EXPECT_LT(files_.Replace(ini_, "1\r\n"), 0);
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"set.ini"});
}

TEST_F(WinFilesTest, AHugeFileIsReadOnlyAsFarAsSettingsCanReach) {
  std::string huge(3 * Files::kMaxReadBytes, 'x');
  huge.replace(0, 3, "1\r\n");
  ASSERT_EQ(files_.Replace(ini_, huge), kOk);
  const std::string bytes = Read(ini_);
  EXPECT_EQ(bytes.size(), Files::kMaxReadBytes);
  EXPECT_EQ(bytes.substr(0, 3), "1\r\n");
}

TEST_F(WinFilesTest, AFolderThatIsGoneCannotBeWritten) {
  const std::string nowhere = dir_ + "\\gone\\set.ini";
  EXPECT_LT(files_.Replace(nowhere, "1\r\n"), 0);
  EXPECT_FALSE(files_.IsOrdinaryFile(nowhere));
}

}  // namespace
}  // namespace orvo::win32
