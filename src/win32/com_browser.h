#pragma once

#include "platform/browser.h"

namespace orvo::win32 {

// The browser port over Internet Explorer's automation objects: the shell's
// ShellWindows collection, IWebBrowser2, and the HTML document and its script
// window by late binding. The calling thread must have entered a COM
// apartment.
class ComBrowserAutomation final : public BrowserAutomation {
 public:
  bool CanCallOut() override;
  HResult CreateShellWindows(Ref<ShellWindows>& collection) override;
  HResult OpenPage(std::string_view address) override;
};

}  // namespace orvo::win32
