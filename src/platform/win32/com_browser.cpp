#include "platform/win32/com_browser.h"

// Placeholder until the COM adapter lands.
namespace orvo::win32 {
HResult ComBrowserAutomation::CreateShellWindows(Ref<ShellWindows>&) { return kNotImpl; }
HResult ComBrowserAutomation::OpenPage(std::string_view) { return kNotImpl; }
}  // namespace orvo::win32
