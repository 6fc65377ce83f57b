#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Just enough of the PE format to read a built program's resources back, so
// that the native tests can check what windres put into the exe.
namespace orvo::test {

using Bytes = std::vector<std::uint8_t>;

// A resource type or name: a number, or a string (name non-empty).
struct ResId {
  std::uint16_t number = 0;
  std::u16string name;
  friend bool operator==(const ResId&, const ResId&) = default;
};
inline ResId Id(std::uint16_t n) { return {n, {}}; }
inline ResId Named(std::u16string s) { return {0, std::move(s)}; }

struct Resource {
  ResId type;
  ResId name;
  std::uint16_t language = 0;
  Bytes data;
};

struct PeFile {
  std::uint16_t machine = 0;
  std::uint16_t optional_magic = 0;  // 0x10B PE32, 0x20B PE32+
  std::vector<Resource> resources;
};

// Throws std::runtime_error for anything malformed or out of bounds.
PeFile ReadPe(const Bytes& file);
Bytes ReadWholeFile(const std::string& path);

// One node of a version-information tree (VS_VERSIONINFO and its children).
struct VersionNode {
  std::u16string key;
  std::uint16_t type = 0;          // 1 text, 0 binary
  std::uint16_t value_length = 0;  // as stored: words for text, bytes for binary
  Bytes value;
  std::vector<VersionNode> children;
};
VersionNode ParseVersion(const Bytes& data);

std::uint16_t Le16(const Bytes& b, std::size_t at);
std::uint32_t Le32(const Bytes& b, std::size_t at);

}  // namespace orvo::test
