#include "app/count_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace orvo {

namespace {

// Just enough of an unsigned big integer for exact decimal conversion of a
// double: the floating-point tables behind std::to_chars(double) would treble
// the size of the program for a count that never needs them.
class Big {
 public:
  explicit Big(std::uint64_t v) {
    w_[0] = static_cast<std::uint32_t>(v);
    w_[1] = static_cast<std::uint32_t>(v >> 32);
  }
  void Times(std::uint32_t m) {
    std::uint64_t carry = 0;
    for (std::uint32_t& w : w_) {
      carry += std::uint64_t{w} * m;
      w = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
  }
  void Shift(int bits) {
    for (; bits > 0; bits -= 31) Times(std::uint32_t{1} << (bits < 31 ? bits : 31));
  }
  // Divides by d and returns the remainder.
  std::uint32_t DivMod(std::uint32_t d) {
    std::uint64_t rest = 0;
    for (int i = kWords - 1; i >= 0; --i) {
      rest = rest << 32 | w_[i];
      w_[i] = static_cast<std::uint32_t>(rest / d);
      rest %= d;
    }
    return static_cast<std::uint32_t>(rest);
  }
  bool Zero() const {
    for (std::uint32_t w : w_)
      if (w != 0) return false;
    return true;
  }
  Big& operator+=(const Big& o) {
    std::uint64_t carry = 0;
    for (int i = 0; i < kWords; ++i) {
      carry += std::uint64_t{w_[i]} + o.w_[i];
      w_[i] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    return *this;
  }
  Big& operator-=(const Big& o) {
    std::int64_t borrow = 0;
    for (int i = 0; i < kWords; ++i) {
      borrow += std::int64_t{w_[i]} - o.w_[i];
      w_[i] = static_cast<std::uint32_t>(borrow);
      borrow >>= 32;
    }
    return *this;
  }
  friend int Compare(const Big& a, const Big& b) {
    for (int i = kWords - 1; i >= 0; --i)
      if (a.w_[i] != b.w_[i]) return a.w_[i] < b.w_[i] ? -1 : 1;
    return 0;
  }
  friend Big operator+(Big a, const Big& b) { return a += b; }

 private:
  // The largest number met is under 2^1080: the smallest subnormal scaled
  // up to its first digit, times ten.
  static constexpr int kWords = 36;
  std::array<std::uint32_t, kWords> w_{};
};

char* Digits(std::uint64_t v, char* out) {
  char buf[20];
  char* p = buf + sizeof buf;
  do {
    *--p = static_cast<char>('0' + v % 10);
    v /= 10;
  } while (v != 0);
  return std::copy(p, buf + sizeof buf, out);
}

// The fewest decimal digits that read back as mantissa * 2^exponent (the
// closest such, ties to even); returns their count and sets point so that the
// value is 0.digits * 10^point. The free-format method of Steele and White.
int Shortest(std::uint64_t mantissa, int exponent, bool lower_closer, char* digits, int& point) {
  // value = r / s; the neighbours are half-way at r - low and r + high.
  Big r(mantissa * 2), s(2), high(1), low(1);
  if (lower_closer) {
    r.Times(2), s.Times(2), high.Times(2);
  }
  if (exponent >= 0) {
    r.Shift(exponent), high.Shift(exponent), low.Shift(exponent);
  } else {
    s.Shift(-exponent);
  }
  // A neighbour's half-way point reads back as the value itself when the
  // mantissa is even (reading rounds ties to even).
  const bool even = mantissa % 2 == 0;
  const auto above = [even](int c) { return even ? c >= 0 : c > 0; };
  point = 0;
  while (above(Compare(r + high, s))) s.Times(10), ++point;
  for (;;) {
    Big scaled = r + high;
    scaled.Times(10);
    if (above(Compare(scaled, s))) break;
    r.Times(10), high.Times(10), low.Times(10), --point;
  }
  int count = 0;
  for (;;) {
    r.Times(10), high.Times(10), low.Times(10);
    int digit = 0;
    while (Compare(r, s) >= 0) r -= s, ++digit;
    const int c_low = Compare(r, low);
    const bool down = even ? c_low <= 0 : c_low < 0;
    const bool up = above(Compare(r + high, s));
    if (!down && !up) {
      digits[count++] = static_cast<char>('0' + digit);
      continue;
    }
    if (down && up) {
      Big twice = r + r;
      const int c = Compare(twice, s);
      if (c > 0 || (c == 0 && digit % 2 == 1)) ++digit;
    } else if (up) {
      ++digit;
    }
    digits[count++] = static_cast<char>('0' + digit);
    return count;
  }
}

}  // namespace

char* AppendCount(double count, char* out) {
  if (count == 0) {
    *out++ = '0';
    return out;
  }
  const auto bits = std::bit_cast<std::uint64_t>(count);
  if (bits >> 63) *out++ = '-';
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0x7FF) {
    const char* name = mantissa != 0 ? "nan" : "inf";
    return std::copy(name, name + 3, out);
  }
  if (biased != 0) mantissa |= std::uint64_t{1} << 52;
  const int exponent = (biased != 0 ? biased : 1) - 1075;
  // Integers below 10^15 (every count the program reaches in practice).
  if (exponent >= -52 && exponent <= 0 && mantissa % (std::uint64_t{1} << -exponent) == 0 &&
      (mantissa >> -exponent) < 1'000'000'000'000'000) {
    return Digits(mantissa >> -exponent, out);
  }

  char digits[17];
  int point = 0;
  const int n =
      Shortest(mantissa, exponent, biased > 1 && mantissa == std::uint64_t{1} << 52, digits, point);
  const int sci_exponent = point - 1;
  const int abs_exponent = sci_exponent < 0 ? -sci_exponent : sci_exponent;
  const int sci_length = n + (n > 1) + 2 + (abs_exponent >= 100 ? 3 : 2);
  const int fixed_length = point >= n ? point : point <= 0 ? 2 - point + n : n + 1;
  if (fixed_length > sci_length) {
    *out++ = digits[0];
    if (n > 1) {
      *out++ = '.';
      out = std::copy(digits + 1, digits + n, out);
    }
    *out++ = 'e';
    *out++ = sci_exponent < 0 ? '-' : '+';
    if (abs_exponent < 10) *out++ = '0';
    return Digits(static_cast<std::uint64_t>(abs_exponent), out);
  }
  if (point >= n) {
    // A whole number: all its digits, exact, not the shortest ones padded.
    Big whole(exponent < 0 ? mantissa >> -exponent : mantissa);
    whole.Shift(exponent);
    char buf[32];
    char* p = buf + sizeof buf;
    do *--p = static_cast<char>('0' + whole.DivMod(10));
    while (!whole.Zero());
    return std::copy(p, buf + sizeof buf, out);
  }
  if (point <= 0) {
    *out++ = '0';
    *out++ = '.';
    for (int i = point; i < 0; ++i) *out++ = '0';
    return std::copy(digits, digits + n, out);
  }
  out = std::copy(digits, digits + point, out);
  *out++ = '.';
  return std::copy(digits + point, digits + n, out);
}

}  // namespace orvo
