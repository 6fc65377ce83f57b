// The built program's resources, read through Windows itself: every icon, the
// cursor, the About picture and the version block, byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "res/digest.h"

namespace orvo::test {
namespace {

// A group of one 32 x 32 icon in 256 colours, 2216 bytes, and its image's id.
std::string IconGroup(std::uint16_t image) {
  return std::string("\0\0\1\0\1\0\x20\x20\0\0\1\0\x08\0\xA8\x08\0\0", 18) +
         static_cast<char>(image & 0xFF) + static_cast<char>(image >> 8);
}
// Bitmap header: 40 bytes, 32 wide, 64 high (colours and mask), 1 plane, 8 bits.
const std::string kIconImage("\x28\0\0\0\x20\0\0\0\x40\0\0\0\1\0\x08\0\0\0\0\0", 20);

struct Expected {
  int type;
  const wchar_t* name;  // "#5" is the number 5, as FindResourceW reads it
  LANGID language;
  std::string head;      // the leading bytes
  DWORD size;            // 0: the encoder's choice
  std::uint32_t digest;  // of all the bytes; 0: the head is all of them, or not pinned
};
// Every resource the program carries, each icon group beside its image. The
// tray groups are Japanese, their images US English; the application icon is
// language neutral. The idle icon, the first frame and the application icon
// are one picture; every other image is a picture of its own.
const Expected kResources[] = {
    {14, L"NOTFLAG", 0x0411, IconGroup(5), 20, 0},
    {3, L"#5", 0x0409, kIconImage, 2216, 0x30784855},
    {14, L"ONFLAG", 0x0411, IconGroup(6), 20, 0},
    {3, L"#6", 0x0409, kIconImage, 2216, 0xA5CBB9E2},
    {14, L"02", 0x0411, IconGroup(1), 20, 0},
    {3, L"#1", 0x0409, kIconImage, 2216, 0x30784855},
    {14, L"03", 0x0411, IconGroup(2), 20, 0},
    {3, L"#2", 0x0409, kIconImage, 2216, 0xFF76CFA4},
    {14, L"04", 0x0411, IconGroup(3), 20, 0},
    {3, L"#3", 0x0409, kIconImage, 2216, 0xB2E6EFCA},
    {14, L"05", 0x0411, IconGroup(4), 20, 0},
    {3, L"#4", 0x0409, kIconImage, 2216, 0x37FDFE11},
    {14, L"06", 0x0411, IconGroup(10), 20, 0},
    {3, L"#10", 0x0409, kIconImage, 2216, 0x91BBEDD1},
    {14, L"07", 0x0411, IconGroup(9), 20, 0},
    {3, L"#9", 0x0409, kIconImage, 2216, 0xF5BB11E1},
    {14, L"08", 0x0411, IconGroup(8), 20, 0},
    {3, L"#8", 0x0409, kIconImage, 2216, 0x2A4F35C5},
    {14, L"09", 0x0411, IconGroup(7), 20, 0},
    {3, L"#7", 0x0409, kIconImage, 2216, 0xC87A7E1F},
    {14, L"#1", 0, IconGroup(30001), 20, 0},
    {3, L"#30001", 0, kIconImage, 2216, 0x30784855},
    // The hand: one 32 x 32 cursor in 16 colours, its hot spot at 12, 1.
    {12, L"HAND", 0x0411, std::string("\0\0\2\0\1\0\x20\0\x40\0\1\0\4\0\xEC\2\0\0\1\0", 20), 20, 0},
    {1, L"#1", 0x0411, std::string("\x0C\0\1\0\x28\0\0\0\x20\0\0\0\x40\0\0\0\1\0\4\0", 20), 748,
     0x5EEE5952},
    // A GIF89a of 94 x 58 with a 256-colour table; its pixels are checked
    // natively, where giflib decodes it.
    {10, L"ABOUTLOGO", 0x0411, std::string("GIF89a\x5E\0\x3A\0\xF7", 11), 0, 0},
    // VS_VERSIONINFO: 716 bytes, 52 of them the fixed part.
    {16, L"#1", 0x0411, std::string("\xCC\2\x34\0\0\0V\0S\0_\0", 12), 716, 0x0105DA71},
};

std::wstring NameOf(LPCWSTR name) {
  return IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
}
std::wstring Key(LPCWSTR type, LPCWSTR name, WORD language) {
  return NameOf(type) + L" " + NameOf(name) + L" " + std::to_wstring(language);
}

using Keys = std::set<std::wstring>;
BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR keys) {
  reinterpret_cast<Keys*>(keys)->insert(Key(type, name, language));
  return TRUE;
}
BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR keys) {
  return EnumResourceLanguagesW(module, type, name, AddLanguage, keys);
}
BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR keys) {
  return EnumResourceNamesW(module, type, AddName, keys);
}

class BuiltProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryExW(L"" ORVO_EXE, nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  }
  static void TearDownTestSuite() { FreeLibrary(module_); }
  void SetUp() override { ASSERT_NE(module_, nullptr) << ORVO_EXE; }

  // The bytes of one resource in one language; empty if there is none.
  static std::string_view Bytes(int type, LPCWSTR name, LANGID language) {
    HRSRC found = FindResourceExW(module_, MAKEINTRESOURCEW(type), name, language);
    const void* data = found ? LockResource(LoadResource(module_, found)) : nullptr;
    if (!data) return {};
    return {static_cast<const char*>(data), SizeofResource(module_, found)};
  }

  static HMODULE module_;
};
HMODULE BuiltProgram::module_ = nullptr;

TEST_F(BuiltProgram, CarriesExactlyTheListedResourcesInTheirLanguages) {
  Keys have, want;
  EnumResourceTypesW(module_, AddType, reinterpret_cast<LONG_PTR>(&have));
  for (const Expected& e : kResources)
    want.insert(Key(MAKEINTRESOURCEW(e.type), e.name, e.language));
  EXPECT_EQ(have, want);
}

TEST_F(BuiltProgram, EachResourceHoldsItsBytes) {
  for (const Expected& e : kResources) {
    const std::wstring name = NameOf(e.name);
    SCOPED_TRACE(std::string(name.begin(), name.end()) + " of type " + std::to_string(e.type));
    const std::string_view bytes = Bytes(e.type, e.name, e.language);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(0, e.head.size()), e.head);
    if (e.size) {
      EXPECT_EQ(bytes.size(), e.size);
    }
    if (e.digest) {
      EXPECT_EQ(Digest(bytes), e.digest) << std::hex << "0x" << Digest(bytes);
    }
  }
}

TEST_F(BuiltProgram, VersionBlockSaysVersion108OfTheProductInJapanese) {
  const std::string_view bytes = Bytes(16, MAKEINTRESOURCEW(1), 0x0411);
  ASSERT_FALSE(bytes.empty());
  const std::string block(bytes);  // a copy VerQueryValueW may write beside
  void* value = nullptr;
  UINT size = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &size));
  ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010008u) << "1.8";
  EXPECT_EQ(fixed->dwFileVersionLS, 0u) << ".0.0";
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010008u) << "1.8";
  EXPECT_EQ(fixed->dwProductVersionLS, 0u) << ".0.0";
  EXPECT_EQ(fixed->dwFileFlagsMask, 0u);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, 4u) << "32-bit Windows";
  EXPECT_EQ(fixed->dwFileType, 1u) << "an application";
  EXPECT_EQ(fixed->dwFileSubtype, 0u);
  EXPECT_EQ(fixed->dwFileDateMS, 0u);
  EXPECT_EQ(fixed->dwFileDateLS, 0u);

  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &size));
  EXPECT_EQ(std::string(static_cast<const char*>(value), size), std::string("\x11\4\xB0\4", 4))
      << "Japanese, UTF-16";

  // Each text stored with its ending NUL; no description, no comments.
  const std::pair<const wchar_t*, const wchar_t*> kTexts[] = {
      {L"CompanyName", L"Orvo Development"},
      {L"LegalCopyright", L"Orvo Development"},
      {L"LegalTrademarks", L"Orvo_自動広告除去"},
      {L"ProductName", L"Orvo_自動広告除去"},
      {L"FileVersion", L"1.08"},
      {L"ProductVersion", L"1.08"},
      {L"InternalName", L"orvo_autoclose"},
      {L"OriginalFilename", L"orvo_autoclose.exe"},
      {L"FileDescription", nullptr},
      {L"Comments", nullptr},
  };
  for (auto [key, want] : kTexts) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + key;
    const bool found = VerQueryValueW(block.data(), path.c_str(), &value, &size);
    EXPECT_EQ(found, want != nullptr) << key;
    if (found && want) {
      EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value), size), want + std::wstring(1, 0))
          << key;
    }
  }
}

}  // namespace
}  // namespace orvo::test
