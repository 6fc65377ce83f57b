#include "win32/win_version_info.h"

#include <windows.h>

#include <cstring>
#include <string_view>

#include "win32/text.h"

namespace orvo::win32 {

namespace {

// One block of a version resource: a key, a value, and child blocks, each of
// them starting on a 4-byte boundary of the resource.
struct VersionBlock {
  std::wstring_view key;
  const unsigned char* value = nullptr;
  std::size_t value_bytes = 0;
  std::size_t value_chars = 0;  // for text values, with the terminating zero
  const unsigned char* children = nullptr;
  const unsigned char* end = nullptr;
};

const unsigned char* Aligned(const unsigned char* base, const unsigned char* at,
                             const unsigned char* end) {
  const auto offset = static_cast<std::size_t>(at - base);
  const std::size_t aligned = (offset + 3) & ~std::size_t{3};
  return aligned < static_cast<std::size_t>(end - base) ? base + aligned : end;
}

bool ReadBlock(const unsigned char* base, const unsigned char* at, const unsigned char* limit,
               VersionBlock& block) {
  WORD header[3];
  if (limit - at < static_cast<std::ptrdiff_t>(sizeof header)) return false;
  std::memcpy(header, at, sizeof header);
  if (header[0] < sizeof header || header[0] > limit - at) return false;
  block.end = at + header[0];
  const unsigned char* key = at + sizeof header;
  std::size_t length = 0;
  for (;; ++length) {
    if (block.end - key < static_cast<std::ptrdiff_t>(2 * (length + 1))) return false;
    wchar_t c;
    std::memcpy(&c, key + 2 * length, 2);
    if (c == L'\0') break;
  }
  block.key = {reinterpret_cast<const wchar_t*>(key), length};
  block.value = Aligned(base, key + 2 * (length + 1), block.end);
  block.value_chars = header[1];
  block.value_bytes = header[2] == 1 ? 2 * std::size_t{header[1]} : header[1];
  if (block.value_bytes > static_cast<std::size_t>(block.end - block.value)) return false;
  block.children = Aligned(base, block.value + block.value_bytes, block.end);
  return true;
}

bool FindChild(const unsigned char* base, const VersionBlock& parent, std::wstring_view key,
               VersionBlock& child) {
  for (const unsigned char* at = parent.children; at < parent.end;
       at = Aligned(base, child.end, parent.end)) {
    if (!ReadBlock(base, at, parent.end, child)) return false;
    if (child.key == key) return true;
  }
  return false;
}

}  // namespace

// Read from the program's own resource: the version functions live in
// version.dll, which is not among the DLLs Windows always takes from its own
// folder, so a copy planted beside the program would be loaded instead.
HResult WinVersionInfo::ReadProgramVersion(ProgramVersion& version) {
  const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  const HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const auto* base = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  if (!base) return kFail;

  VersionBlock root, strings, table, name;
  VS_FIXEDFILEINFO fixed;
  if (!ReadBlock(base, base, base + SizeofResource(nullptr, found), root) ||
      root.value_bytes < sizeof fixed || !FindChild(base, root, L"StringFileInfo", strings) ||
      !FindChild(base, strings, L"041104B0", table) ||
      !FindChild(base, table, L"ProductName", name) || name.value_chars == 0) {
    return kFail;
  }
  std::memcpy(&fixed, root.value, sizeof fixed);
  const auto* text = reinterpret_cast<const wchar_t*>(name.value);
  version.product_name = Narrow(std::wstring_view(text, wcsnlen(text, name.value_chars)));
  version.major = HIWORD(fixed.dwFileVersionMS);
  version.minor = LOWORD(fixed.dwFileVersionMS);
  version.revision = LOWORD(fixed.dwFileVersionLS);
  return kOk;
}

}  // namespace orvo::win32
