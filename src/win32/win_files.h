#pragma once

#include "platform/files.h"

namespace orvo::win32 {

class WinFiles final : public Files {
 public:
  std::string AppDirectory() override;
  bool IsOrdinaryFile(std::string_view path) override;
  HResult Read(std::string_view path, std::string& bytes) override;
  HResult Replace(std::string_view path, std::string_view bytes) override;
};

}  // namespace orvo::win32
