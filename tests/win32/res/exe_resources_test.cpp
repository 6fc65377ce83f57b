// The built program's resources as Windows reads them: the file loaded as data,
// each resource found by its type, name and language and loaded, and listed
// with its size and a digest of its bytes, and the bytes themselves (as hex
// and as the ASCII they may hold) where there are at most 1 KiB of them: the
// icon groups, the cursor and the version block. resources.txt beside this
// file is the listing the program must give. A run that finds another writes
// what it found to resources.txt in this test's build folder: after a wanted
// change, read the difference and copy that file here.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "win32/text.h"

namespace orvo::test {
namespace {

// FNV-1a: pins the bytes of a resource too long to list.
std::uint32_t Digest(std::string_view bytes) {
  std::uint32_t h = 2166136261u;
  for (char c : bytes) h = (h ^ static_cast<std::uint8_t>(c)) * 16777619u;
  return h;
}

std::string NameOf(LPCWSTR name) {
  return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name))
                              : win32::Narrow(name);
}
// printf into the listing.
template <class... Args>
void Add(std::string& listing, const char* format, Args... args) {
  char text[64];
  listing += std::string_view(text, std::snprintf(text, sizeof text, format, args...));
}

BOOL CALLBACK AddLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR to) {
  std::string& listing = *reinterpret_cast<std::string*>(to);
  const HRSRC found = FindResourceExW(module, type, name, language);
  const auto* bytes = static_cast<const char*>(found ? LoadResource(module, found) : nullptr);
  const std::string_view data(bytes, bytes ? SizeofResource(module, found) : 0);
  listing += NameOf(type) + " " + NameOf(name);
  Add(listing, " %04x %u %08x\n", language, static_cast<unsigned>(data.size()), Digest(data));
  for (size_t at = 0; data.size() <= 1024 && at < data.size(); at += 16) {
    const std::string_view part = data.substr(at, 16);
    listing += " ";
    for (unsigned char c : part) Add(listing, " %02x", c);
    listing += std::string(3 * (16 - part.size()) + 2, ' ');
    for (unsigned char c : part) listing += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
    listing += "\n";
  }
  return TRUE;
}
BOOL CALLBACK AddName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR listing) {
  return EnumResourceLanguagesW(module, type, name, AddLanguage, listing);
}
BOOL CALLBACK AddType(HMODULE module, LPWSTR type, LONG_PTR listing) {
  return EnumResourceNamesW(module, type, AddName, listing);
}

TEST(BuiltProgram, CarriesExactlyTheListedResources) {
  const HMODULE module = LoadLibraryExW(L"" ORVO_EXE, nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(module, nullptr) << ORVO_EXE;
  std::string listing;
  EnumResourceTypesW(module, AddType, reinterpret_cast<LONG_PTR>(&listing));
  FreeLibrary(module);
  std::ifstream expected(ORVO_EXPECTED_LISTING, std::ios::binary);
  EXPECT_EQ(listing, std::string(std::istreambuf_iterator<char>(expected), {}));
  if (HasFailure()) std::ofstream(ORVO_ACTUAL_LISTING, std::ios::binary) << listing;
}

}  // namespace
}  // namespace orvo::test
