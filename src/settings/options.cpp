#include "settings/options.h"

namespace orvo {

namespace {
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

// Decides "equals 1" on the decimal text itself, so that no rounding and no
// locale can make 0.99999999999999999 or 1,0 count.
bool IsOn(std::string_view text) noexcept {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  int digits = 0;          // mantissa digits seen
  int int_digits = 0;      // of which before the decimal point
  int first_nonzero = -1;  // index of the first non-zero digit
  int nonzero = 0;
  char lead = '0';
  bool fraction = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      if (c != '0') {
        if (first_nonzero < 0) {
          first_nonzero = digits;
          lead = c;
        }
        ++nonzero;
      }
      ++digits;
      if (!fraction) ++int_digits;
    } else if (c == '.' && !fraction) {
      fraction = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;

  int exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    ++i;
    bool exp_negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) exp_negative = text[i++] == '-';
    if (i == text.size() || !IsDigit(text[i])) return false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    if (exp_negative) exponent = -exponent;
  }
  if (i != text.size()) return false;

  // 1 is a single significant digit 1 standing in the units place.
  if (negative || nonzero != 1 || lead != '1') return false;
  return int_digits - 1 - first_nonzero + exponent == 0;
}

}  // namespace orvo
