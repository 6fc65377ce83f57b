#pragma once

#include <cstdint>
#include <string_view>

namespace orvo::test {

// FNV-1a: pins a byte form too long to write out in a test.
inline std::uint32_t Digest(std::string_view bytes) {
  std::uint32_t h = 2166136261u;
  for (char c : bytes) h = (h ^ static_cast<std::uint8_t>(c)) * 16777619u;
  return h;
}

}  // namespace orvo::test
