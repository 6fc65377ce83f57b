#include "app/frmMain.h"

namespace orvo {

void frmMain::Timer2_Timer() { WalkShellWindows(&frmMain::JudgeWindow); }

// Decides one window. Every piece of evidence is this window's own, read
// afresh; whatever cannot be read or tested leaves the window open.
void frmMain::JudgeWindow() {
  Ref<Document> document;
  if (Failed(BrowserWin->ReadDocument(document)) || !document) return;
  bool html = false;
  if (Failed(document->TestHtml(html)) || !html) return;
  // Only a page that another page opened can be a pop-up.
  if (!OpenerIsObject(*document)) return;

  if (IsFlagSet(flags_.NewWindowFlag)) {
    BlockWindow(false);
    return;
  }

  if (IsFlagSet(flags_.NoToolbarFlag)) {
    bool menu_bar = false;
    if (Failed(BrowserWin->ReadMenuBar(menu_bar)) || menu_bar) return;
    BlockWindow(true);
    return;
  }

  if (!OpenerIsObject(*document)) return;
  ValueKind parent = ValueKind::kEmpty;
  ValueKind opener = ValueKind::kEmpty;
  Ref<ScriptWindow> window;
  if (Failed(document->ReadParentWindow(window)) || !window || Failed(window->ReadParent(parent))) {
    return;
  }
  if (Failed(document->ReadParentWindow(window)) || !window || Failed(window->ReadOpener(opener))) {
    return;
  }
  if (!IsObject(parent) || !IsObject(opener)) return;
  BlockWindow(true);
}

bool frmMain::OpenerIsObject(Document& document) {
  Ref<ScriptWindow> window;
  ValueKind opener = ValueKind::kEmpty;
  return Succeeded(document.ReadParentWindow(window)) && window &&
         Succeeded(window->ReadOpener(opener)) && IsObject(opener);
}

// `beep_rule`: whether the rule that closes the window beeps when asked to;
// the new-window rule never does.
void frmMain::BlockWindow(bool beep_rule) {
  if (beep_rule && IsFlagSet(flags_.BeepFlag)) platform_.sound.Beep();
  // An animation that cannot start must not keep a pop-up open.
  (void)StartBlockAnimation();
  BlockCount += 1;
  (void)BrowserWin->Quit();
}

}  // namespace orvo
