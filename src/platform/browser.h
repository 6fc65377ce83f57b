#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ref.h"
#include "platform/result.h"

// The browser automation port: the shell's collection of browser windows and
// the few things the program asks of each window, its document and the
// document's script window. Every operation may fail (a window that closes
// while it is examined, a page still loading, a document that refuses access);
// failures come back as values and the callers decide what follows.
namespace orvo {

// The kind of a late-bound property value, as far as the object test cares.
enum class ValueKind : std::uint8_t {
  kObject,       // an object reference
  kEmptyObject,  // an object-typed value that refers to nothing
  kNull,
  kEmpty,
  kScalar,  // numbers, strings, booleans, arrays ...
};

// The object test: object-typed values count, an empty reference included.
constexpr bool IsObject(ValueKind kind) {
  return kind == ValueKind::kObject || kind == ValueKind::kEmptyObject;
}

// The page's script window (the document's parentWindow).
class ScriptWindow : public RefCounted {
 public:
  [[nodiscard]] virtual HResult ReadOpener(ValueKind& opener) = 0;
  [[nodiscard]] virtual HResult ReadParent(ValueKind& parent) = 0;

 protected:
  ~ScriptWindow() = default;
};

class Document : public RefCounted {
 public:
  // The HTML-document test: succeeds with `html` telling the answer, or fails
  // when the document cannot be asked.
  [[nodiscard]] virtual HResult TestHtml(bool& html) = 0;
  // Succeeds only with a script window to work on.
  [[nodiscard]] virtual HResult ReadParentWindow(Ref<ScriptWindow>& window) = 0;

 protected:
  ~Document() = default;
};

class BrowserWindow : public RefCounted {
 public:
  // May succeed with no document (an empty reference).
  [[nodiscard]] virtual HResult ReadDocument(Ref<Document>& document) = 0;
  [[nodiscard]] virtual HResult ReadMenuBar(bool& shown) = 0;
  [[nodiscard]] virtual HResult Quit() = 0;

 protected:
  ~BrowserWindow() = default;
};

class WindowEnumerator : public RefCounted {
 public:
  // kOk with the next item, kFalse when none is left, a failure otherwise.
  // An item that is not a browser window comes back as kOk with an empty
  // reference.
  [[nodiscard]] virtual HResult Next(Ref<BrowserWindow>& window) = 0;

 protected:
  ~WindowEnumerator() = default;
};

class ShellWindows : public RefCounted {
 public:
  [[nodiscard]] virtual HResult Enumerate(Ref<WindowEnumerator>& items) = 0;

 protected:
  ~ShellWindows() = default;
};

class BrowserAutomation {
 public:
  // Whether a call into another process can be made now: not while this
  // thread handles a message sent from another thread, as the tray icon's
  // menu does, opened from the shell's callback.
  virtual bool CanCallOut() = 0;
  [[nodiscard]] virtual HResult CreateShellWindows(Ref<ShellWindows>& collection) = 0;
  // Opens `address` (UTF-8) in a new, visible browser window.
  [[nodiscard]] virtual HResult OpenPage(std::string_view address) = 0;

 protected:
  ~BrowserAutomation() = default;
};

}  // namespace orvo
