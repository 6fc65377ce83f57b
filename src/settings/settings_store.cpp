#include "settings/settings_store.h"

#include <string>

#include "settings/settings_file.h"

namespace orvo {

std::optional<SettingsStore::Ticks> SettingsStore::Load(Options& options) {
  if (!files_.IsOrdinaryFile(path_)) {
    options = {"0", "0", "0"};
    // A folder nobody may write to keeps the options off for this run.
    (void)files_.Replace(path_, settings::kCreatedForm);
    return Ticks{};
  }

  std::string bytes;
  if (Failed(files_.Read(path_, bytes))) return std::nullopt;
  const std::array<std::string, 3> items = settings::ReadItems(bytes);
  Ticks ticks{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    options.*kOptionOrder[i] = ansi_.ToUtf8(items[i]);
    ticks[i] = items[i] == "1";
  }
  return ticks;
}

void SettingsStore::Save(const Options& options) {
  // A refused save leaves the old file whole; the options stay as they are.
  std::array<std::string, 3> items;
  for (std::size_t i = 0; i < items.size(); ++i)
    items[i] = ansi_.FromUtf8(options.*kOptionOrder[i]);
  (void)files_.Replace(path_, settings::SavedForm(items));
}

}  // namespace orvo
