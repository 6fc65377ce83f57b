#include "doubles/fake_desktop.h"

#include <numeric>

namespace orvo::fake {

const char* OpName(Op op) {
  switch (op) {
    case Op::kDocument:
      return "Document";
    case Op::kTestHtml:
      return "TestHtml";
    case Op::kParentWindow:
      return "parentWindow";
    case Op::kOpener:
      return "opener";
    case Op::kParent:
      return "Parent";
    case Op::kMenuBar:
      return "MenuBar";
    case Op::kQuit:
      return "Quit";
    case Op::kCount:
      break;
  }
  return "?";
}

WindowSpec Page() { return {}; }
WindowSpec Popup(bool menu_bar) {
  WindowSpec spec;
  spec.opener = ValueKind::kObject;
  spec.menu_bar = menu_bar;
  return spec;
}
WindowSpec FolderView() {
  WindowSpec spec;
  spec.content = Content::kOtherDocument;
  return spec;
}

FakeWindow::FakeWindow(FakeDesktop& desktop, int id, const WindowSpec& spec)
    : desktop_(desktop), id_(id), spec_(spec) {}

int FakeWindow::total_calls() const { return std::accumulate(calls_.begin(), calls_.end(), 0); }

// A call to a window that is gone fails the way a disconnected object does.
HResult FakeWindow::Call(Op op) {
  ++calls_[static_cast<std::size_t>(op)];
  return closed_ || failing_[static_cast<std::size_t>(op)] ? kFail : kOk;
}

HResult FakeWindow::ReadDocument(Ref<Document>& document) {
  if (HResult hr = Call(Op::kDocument); Failed(hr)) return hr;
  document = spec_.content == Content::kNoDocument ? nullptr : Ref<Document>(&document_);
  return kOk;
}

HResult FakeWindow::ReadMenuBar(bool& shown) {
  if (HResult hr = Call(Op::kMenuBar); Failed(hr)) return hr;
  shown = spec_.menu_bar;
  return kOk;
}

HResult FakeWindow::Quit() {
  if (HResult hr = Call(Op::kQuit); Failed(hr)) return hr;
  if (desktop_.on_quit) desktop_.on_quit(*this);
  ++quits_;
  closed_ = true;
  return kOk;
}

HResult FakeWindow::FakeDocument::TestHtml(bool& html) {
  if (HResult hr = w_.Call(Op::kTestHtml); Failed(hr)) return hr;
  html = w_.spec_.content == Content::kHtml;
  return kOk;
}

HResult FakeWindow::FakeDocument::ReadParentWindow(Ref<ScriptWindow>& window) {
  if (HResult hr = w_.Call(Op::kParentWindow); Failed(hr)) return hr;
  // Only an HTML page has a script window; asking another document fails
  // as late binding on a name it does not know does.
  if (w_.spec_.content != Content::kHtml) return kFail;
  window = Ref<ScriptWindow>(&w_.script_window_);
  return kOk;
}

HResult FakeWindow::FakeScriptWindow::ReadOpener(ValueKind& opener) {
  if (HResult hr = w_.Call(Op::kOpener); Failed(hr)) return hr;
  opener = w_.spec_.opener;
  return kOk;
}

HResult FakeWindow::FakeScriptWindow::ReadParent(ValueKind& parent) {
  if (HResult hr = w_.Call(Op::kParent); Failed(hr)) return hr;
  parent = w_.spec_.parent;
  return kOk;
}

FakeDesktop::FakeDesktop() = default;

FakeWindow& FakeDesktop::Open(const WindowSpec& spec) {
  return windows_.emplace_back(*this, static_cast<int>(windows_.size()), spec);
}

std::size_t FakeDesktop::open_count() const {
  std::size_t n = 0;
  for (const FakeWindow& w : windows_) n += w.closed() ? 0 : 1;
  return n;
}

HResult FakeDesktop::CreateShellWindows(Ref<ShellWindows>& collection) {
  ++creates_;
  if (fail_create) return kFail;
  collection = Ref<ShellWindows>(&collection_);
  return kOk;
}

HResult FakeDesktop::OpenPage(std::string_view address) {
  if (fail_open_page) return kFail;
  opened_pages_.emplace_back(address);
  return kOk;
}

HResult FakeDesktop::Collection::Enumerate(Ref<WindowEnumerator>& items) {
  ++d_.enumerations_;
  if (Failed(d_.enumerate_result)) return d_.enumerate_result;
  d_.enumerator_.position = 0;
  d_.enumerator_.nexts = 0;
  items = Ref<WindowEnumerator>(&d_.enumerator_);
  return kOk;
}

// Closed windows have left the shell's list.
HResult FakeDesktop::Enumerator::Next(Ref<BrowserWindow>& window) {
  if (nexts++ == d_.fail_next_at) return kFail;
  while (position < d_.windows_.size() && d_.windows_[position].closed()) ++position;
  if (position == d_.windows_.size()) {
    window = nullptr;
    return kFalse;
  }
  FakeWindow& w = d_.windows_[position++];
  window = w.spec().content == Content::kNotABrowser ? nullptr : Ref<BrowserWindow>(&w);
  return kOk;
}

}  // namespace orvo::fake
