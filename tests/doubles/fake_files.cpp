#include "doubles/fake_files.h"

namespace orvo::fake {

const FakeFiles::Entry* FakeFiles::Find(std::string_view path) const {
  auto it = entries.find(path);
  return it == entries.end() ? nullptr : &it->second;
}

bool FakeFiles::IsOrdinaryFile(std::string_view path) {
  const Entry* e = Find(path);
  return e && !e->directory && !e->hidden && !e->system;
}

HResult FakeFiles::Read(std::string_view path, std::string& bytes) {
  const Entry* e = Find(path);
  if (!e || e->directory || fail_read) return kFail;
  bytes = e->bytes.substr(0, kMaxReadBytes);
  return kOk;
}

HResult FakeFiles::Replace(std::string_view path, std::string_view bytes) {
  if (fail_replace) return kFail;
  auto it = entries.find(path);
  if (it != entries.end()) {
    const Entry& e = it->second;
    if (e.directory || e.hidden || e.system || e.read_only) return kFail;
    it->second.bytes = bytes;
  } else {
    entries.emplace(std::string(path), Entry{std::string(bytes)});
  }
  ++replaces;
  if (on_replace) on_replace();
  return kOk;
}

}  // namespace orvo::fake
