#include "doubles/fake_platform.h"

namespace orvo::fake {

namespace {
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;

std::uint32_t U32(const NotifyIconRecord& r, std::size_t at) {
  return r[at] | r[at + 1] << 8 | r[at + 2] << 16 | static_cast<std::uint32_t>(r[at + 3]) << 24;
}
}  // namespace

// Plays the shell calls back as the notification area would have applied them.
std::string FakePlatform::ShownIcon() const {
  std::uint32_t icon = 0;
  for (const ShellCall& call : shell.calls) {
    if (call.message == kNimDelete) icon = 0;
    if (call.message != kNimDelete && (U32(call.record, 12) & kNifIcon))
      icon = U32(call.record, 20);
  }
  return icon ? FakeIcons::NameOf(Picture{Picture::Type::kIcon, icon}) : "";
}

std::string FakePlatform::ShownTip() const {
  std::string tip;
  for (const ShellCall& call : shell.calls) {
    if (call.message == kNimDelete) tip.clear();
    if (call.message != kNimDelete && (U32(call.record, 12) & kNifTip)) {
      tip = reinterpret_cast<const char*>(call.record.data() + 24);
    }
  }
  Cp932 cp932;
  return cp932.ToUtf8(tip);
}

}  // namespace orvo::fake
