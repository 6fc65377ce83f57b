#pragma once

#include <string>
#include <string_view>

#include "platform/result.h"

namespace orvo {

// The files beside the program. Paths are UTF-8.
class Files {
 public:
  // The folder that holds the running program, without a trailing separator.
  virtual std::string AppDirectory() = 0;
  // An ordinary file: there, not a directory, neither hidden nor system.
  virtual bool IsOrdinaryFile(std::string_view path) = 0;
  // The file's bytes (at most kMaxReadBytes of them).
  [[nodiscard]] virtual HResult Read(std::string_view path, std::string& bytes) = 0;
  // Gives the file exactly these bytes in one step: whatever happens
  // meanwhile, it holds either its old bytes or the new ones. Fails, and
  // changes nothing, for a read-only, hidden or system file and where the
  // folder cannot be written.
  [[nodiscard]] virtual HResult Replace(std::string_view path, std::string_view bytes) = 0;

  // More than any settings file needs; a larger file is read only this far.
  static constexpr std::size_t kMaxReadBytes = std::size_t{64} * 1024;

 protected:
  ~Files() = default;
};

}  // namespace orvo
