#include "scan/popup_scan.h"

namespace orvo {

namespace {

bool OpenerIsObject(Document& document) {
  Ref<ScriptWindow> window;
  ValueKind opener = ValueKind::kEmpty;
  return Succeeded(document.ReadParentWindow(window)) && window &&
         Succeeded(window->ReadOpener(opener)) && IsObject(opener);
}

bool ShowsHtml(BrowserWindow& window) {
  Ref<Document> document;
  bool html = false;
  return Succeeded(window.ReadDocument(document)) && document &&
         Succeeded(document->TestHtml(html)) && html;
}

}  // namespace

PopupScan::PopupScan(BrowserAutomation& browser, TimerPort& timers, Sound& sound,
                     const Options& options, std::function<void()> blocked)
    : browser_(browser),
      sound_(sound),
      options_(options),
      blocked_(std::move(blocked)),
      timer_(timers.CreateTimer(kIntervalMs, true, [this] { ScanOnce(); })) {}

void PopupScan::ScanOnce() {
  Walk([this](BrowserWindow& window) { Judge(window); });
}

// The scan pauses for the walk and is left as it was found: a user who
// switched blocking off from the tray keeps it off.
void PopupScan::CloseAll() {
  const bool scanning = running();
  SetRunning(false);
  Walk([](BrowserWindow& window) {
    // A window that refuses to quit is the user's to close.
    if (ShowsHtml(window)) (void)window.Quit();
  });
  if (scanning) SetRunning(true);
}

template <class Visit>
void PopupScan::Walk(Visit visit) {
  // Every call would be refused; the next tick scans.
  if (walking_ || !browser_.CanCallOut()) return;
  walking_ = true;
  WalkCollection(visit);
  walking_ = false;
}

template <class Visit>
void PopupScan::WalkCollection(Visit& visit) {
  // Without a collection the next walk tries again to make one.
  if (!collection_ && Failed(browser_.CreateShellWindows(collection_))) return;
  if (!collection_) return;
  Ref<WindowEnumerator> items;
  const HResult listed = collection_->Enumerate(items);
  // The collection of a shell that has gone (Explorer restarted) answers
  // nothing ever again: the next walk makes a new one.
  if (ServerGone(listed)) collection_.reset();
  if (Failed(listed) || !items) return;
  // Holds on to no window between walks: it may be gone by the next one.
  Ref<BrowserWindow> window;
  while (items->Next(window) == kOk) {
    if (window) visit(*window);
  }
}

// Every piece of evidence is this window's own, read afresh; whatever cannot
// be read or tested leaves the window open.
void PopupScan::Judge(BrowserWindow& window) {
  Ref<Document> document;
  if (Failed(window.ReadDocument(document)) || !document) return;
  bool html = false;
  if (Failed(document->TestHtml(html)) || !html) return;
  // Only a page that another page opened can be a pop-up.
  if (!OpenerIsObject(*document)) return;

  if (IsOn(options_.new_window)) {
    Block(window, false);
    return;
  }

  if (IsOn(options_.no_menu_bar)) {
    bool menu_bar = false;
    if (Failed(window.ReadMenuBar(menu_bar)) || menu_bar) return;
    Block(window, true);
    return;
  }

  if (!OpenerIsObject(*document)) return;
  ValueKind parent = ValueKind::kEmpty;
  ValueKind opener = ValueKind::kEmpty;
  Ref<ScriptWindow> script;
  if (Failed(document->ReadParentWindow(script)) || !script || Failed(script->ReadParent(parent))) {
    return;
  }
  if (Failed(document->ReadParentWindow(script)) || !script || Failed(script->ReadOpener(opener))) {
    return;
  }
  if (!IsObject(parent) || !IsObject(opener)) return;
  Block(window, true);
}

// `beep_rule`: whether the rule that closes the window beeps when asked to;
// the new-window rule never does.
void PopupScan::Block(BrowserWindow& window, bool beep_rule) {
  if (beep_rule && IsOn(options_.beep)) sound_.Beep();
  blocked_();
  // Counted already: a window that refuses to quit is tried again next tick.
  (void)window.Quit();
}

}  // namespace orvo
