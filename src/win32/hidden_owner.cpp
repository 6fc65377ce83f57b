#include "win32/hidden_owner.h"

#include "win32/scoped.h"

namespace orvo::win32 {

namespace {

UniqueWindow g_owner;
int g_shares = 0;

}  // namespace

HiddenOwner::HiddenOwner(bool wanted) : held_(wanted) {
  if (held_ && g_shares++ == 0) {
    g_owner.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
  }
}

HiddenOwner::~HiddenOwner() {
  if (held_ && --g_shares == 0) g_owner.reset();
}

HWND HiddenOwner::hwnd() const { return held_ ? g_owner.get() : nullptr; }

}  // namespace orvo::win32
