#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/icons.h"

namespace orvo::fake {

// The ten tray icon names, each with its own fixed picture; any other name
// fails as a missing resource does. One name can be made to fail, and every
// load is counted per name (failed ones included).
class FakeIcons final : public Icons {
 public:
  HResult LoadNamedIcon(std::string_view name, Picture& icon) override;

  // What a successful load of `name` gives: a distinct icon per name, so a
  // test can tell "02" from "NOTFLAG"; a kNone picture for unknown names.
  static Picture PictureOf(std::string_view name);
  // The name that PictureOf gave `picture`, or "" for none of them.
  static std::string NameOf(const Picture& picture);

  // From now on loading `name` fails; "" makes every name load again.
  void FailOn(std::string_view name) { failing_ = name; }
  int Loads(std::string_view name) const;
  int TotalLoads() const;

 private:
  std::string failing_;
  std::map<std::string, int, std::less<>> loads_;
};

}  // namespace orvo::fake
