#include "res/layout/label_text.h"

namespace orvo::layout {

namespace {

// The ideographic space pads lines as the ASCII one does.
bool IsSpace(wchar_t c) { return c == L' ' || c == L'\u3000'; }

bool CanBreakBefore(std::wstring_view text, std::size_t at) {
  if (at == 0 || at >= text.size()) return false;
  if (std::wstring_view(L"、。，．）」』！？").find(text[at]) != std::wstring_view::npos) {
    return false;
  }
  const wchar_t before = text[at - 1], here = text[at];
  return IsSpace(here) || IsSpace(before) || before >= 0x80 || here >= 0x80;
}

}  // namespace

std::vector<std::wstring_view> BreakLines(std::wstring_view text, int width, const FitCount& fit) {
  std::vector<std::wstring_view> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t newline = text.find(L'\n', pos);
    const std::size_t end = newline == std::wstring_view::npos ? text.size() : newline;
    const std::size_t fits = fit(text.substr(pos, end - pos), width);
    std::size_t stop = end;
    if (pos + fits < end) {
      stop = pos;
      for (std::size_t at = pos + fits; at > pos; --at) {
        if (CanBreakBefore(text, at)) {
          stop = at;
          break;
        }
      }
      if (stop == pos) {
        stop = pos + 1;
        while (stop < end && !CanBreakBefore(text, stop)) ++stop;
      }
    }
    std::wstring_view line = text.substr(pos, stop - pos);
    while (!line.empty() && (IsSpace(line.back()) || line.back() == L'\r')) line.remove_suffix(1);
    lines.push_back(line);
    pos = stop;
    if (pos == newline) ++pos;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
  }
  return lines;
}

bool WantsLightText(std::uint32_t face) {
  const std::uint32_t red = face & 0xFF, green = (face >> 8) & 0xFF, blue = (face >> 16) & 0xFF;
  return red * 299 + green * 587 + blue * 114 < 128 * 1000;
}

}  // namespace orvo::layout
