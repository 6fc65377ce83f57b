#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/files.h"

namespace orvo::fake {

// The program's folder in memory. Entries can be hidden, system, read-only or
// directories, and reading or writing can be made to fail; a failed write
// changes nothing, as the real one promises.
class FakeFiles final : public Files {
 public:
  static constexpr const char* kAppDirectory = "C:\\Program Files\\オルボ";

  struct Entry {
    std::string bytes;
    bool directory = false;
    bool hidden = false;
    bool system = false;
    bool read_only = false;
  };

  std::string AppDirectory() override { return kAppDirectory; }
  bool IsOrdinaryFile(std::string_view path) override;
  HResult Read(std::string_view path, std::string& bytes) override;
  HResult Replace(std::string_view path, std::string_view bytes) override;

  // The path of set.ini beside the program.
  static std::string SetIni() { return std::string(kAppDirectory) + "\\set.ini"; }
  // The entry at `path`, or nullptr.
  const Entry* Find(std::string_view path) const;

  std::map<std::string, Entry, std::less<>> entries;
  bool fail_read = false;
  bool fail_replace = false;  // as a folder without write access
  int replaces = 0;           // successful ones
  std::function<void()> on_replace;
};

}  // namespace orvo::fake
