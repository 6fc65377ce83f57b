#include "doubles/fake_platform.h"

namespace orvo::fake {

namespace {
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;

}  // namespace

// Plays the shell calls back as the notification area would have applied them.
std::string FakePlatform::ShownIcon() const {
  std::uint32_t icon = 0;
  for (const ShellCall& call : shell.calls) {
    if (call.message == kNimDelete) icon = 0;
    if (call.message != kNimDelete && (Flags(call.record) & kNifIcon)) icon = IconOf(call.record);
  }
  return icon ? FakeIcons::NameOf(Picture{Picture::Type::kIcon, icon}) : "";
}

std::string FakePlatform::ShownTip() const {
  std::string tip;
  for (const ShellCall& call : shell.calls) {
    if (call.message == kNimDelete) tip.clear();
    if (call.message != kNimDelete && (Flags(call.record) & kNifTip)) {
      tip = reinterpret_cast<const char*>(call.record.data() + 24);
    }
  }
  CodePage cp932;
  return cp932.ToUtf8(tip);
}

}  // namespace orvo::fake
