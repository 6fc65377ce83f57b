// libFuzzer target for the set.ini reader: any bytes at all must read without
// a crash or undefined behaviour, and the saved form of plain items must read
// back as those items.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/settings_file.h"

namespace {

// An item the saved form carries unchanged: no quote at its start, no
// delimiter, no leading or trailing space.
std::string Plain(std::string_view text) {
  std::string item;
  for (char c : text) {
    if (c != ',' && c != '\r' && c != '\n' && c != '"') item += c;
  }
  while (!item.empty() && item.front() == ' ') item.erase(item.begin());
  while (!item.empty() && item.back() == ' ') item.pop_back();
  return item;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const auto items = orvo::settings::ReadItems(bytes);
  std::size_t total = 0;
  for (const std::string& item : items) total += item.size();
  if (total > size) std::abort();

  const std::size_t third = size / 3;
  const std::string a = Plain(bytes.substr(0, third));
  const std::string b = Plain(bytes.substr(third, third));
  const std::string c = Plain(bytes.substr(2 * third));
  const auto back = orvo::settings::ReadItems(orvo::settings::SavedForm(a, b, c));
  if (back[0] != a || back[1] != b || back[2] != c) std::abort();
  return 0;
}
