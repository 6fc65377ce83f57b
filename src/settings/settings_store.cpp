#include "settings/settings_store.h"

#include <string>

#include "settings/settings_file.h"

namespace orvo {

namespace {
std::string SettingsPath(Files& files) { return files.AppDirectory() + "\\set.ini"; }
}  // namespace

std::optional<SettingsStore::Ticks> SettingsStore::Load(Options& options) {
  const std::string path = SettingsPath(files_);
  if (!files_.IsOrdinaryFile(path)) {
    options = {"0", "0", "0"};
    // A folder nobody may write to keeps the options off for this run.
    (void)files_.Replace(path, settings::kCreatedForm);
    return Ticks{};
  }

  std::string bytes;
  if (Failed(files_.Read(path, bytes))) return std::nullopt;
  const std::array<std::string, 3> items = settings::ReadItems(bytes);
  options = {ansi_.ToUtf8(items[0]), ansi_.ToUtf8(items[1]), ansi_.ToUtf8(items[2])};
  return Ticks{items[0] == "1", items[1] == "1", items[2] == "1"};
}

void SettingsStore::Save(const Options& options) {
  // A refused save leaves the old file whole; the options stay as they are.
  (void)files_.Replace(
      SettingsPath(files_),
      settings::SavedForm(ansi_.FromUtf8(options.beep), ansi_.FromUtf8(options.no_menu_bar),
                          ansi_.FromUtf8(options.new_window)));
}

}  // namespace orvo
