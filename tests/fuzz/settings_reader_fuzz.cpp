// libFuzzer target for the set.ini reader: any bytes at all must read without
// a crash or undefined behaviour, into items no longer than the bytes, and
// the saved form of the items read must read back as the same items.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto items = orvo::settings::ReadItems({reinterpret_cast<const char*>(data), size});
  if (items[0].size() + items[1].size() + items[2].size() > size) std::abort();
  // An item with a delimiter, a quote or outer spaces cannot survive unquoted.
  for (const std::string& item : items) {
    if (item.find_first_of(",\r\n\"") != std::string::npos || item.starts_with(' ') ||
        item.ends_with(' '))
      return 0;
  }
  if (orvo::settings::ReadItems(orvo::settings::SavedForm(items)) != items) std::abort();
  return 0;
}
