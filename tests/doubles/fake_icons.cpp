#include "doubles/fake_icons.h"

#include <cstddef>

#include "res/resource_names.h"

namespace orvo::fake {
namespace {

constexpr std::uintptr_t kFirstHandle = 0x1C00;

}  // namespace

Picture FakeIcons::PictureOf(std::string_view name) {
  for (std::size_t i = 0; i < res::kTrayIcons.size(); ++i)
    if (res::kTrayIcons[i].group == name) return {Picture::Type::kIcon, kFirstHandle + i};
  return {};
}

std::string FakeIcons::NameOf(const Picture& picture) {
  for (const res::TrayIconEntry& e : res::kTrayIcons)
    if (PictureOf(e.group) == picture) return std::string(e.group);
  return "";
}

HResult FakeIcons::LoadNamedIcon(std::string_view name, Picture& icon) {
  auto it = loads_.find(name);
  if (it == loads_.end()) it = loads_.emplace(std::string(name), 0).first;
  ++it->second;
  const Picture picture = PictureOf(name);
  // ERROR_RESOURCE_NAME_NOT_FOUND, as the adapter reports it.
  constexpr HResult kNotFound = static_cast<HResult>(0x80070716u);
  if (picture.type == Picture::Type::kNone || (!failing_.empty() && name == failing_))
    return kNotFound;
  icon = picture;
  return kOk;
}

int FakeIcons::Loads(std::string_view name) const {
  const auto it = loads_.find(name);
  return it == loads_.end() ? 0 : it->second;
}

int FakeIcons::TotalLoads() const {
  int total = 0;
  for (const auto& [name, n] : loads_) total += n;
  return total;
}

}  // namespace orvo::fake
