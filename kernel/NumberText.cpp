#include "NumberText.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "Precision.h"

namespace evalkern {

namespace {

[[noreturn]] void NotInteger(const std::wstring& t) {
  throw EConvertError(t + L" is not a valid integer value");
}
[[noreturn]] void NotFloat(const std::wstring& t) {
  throw EConvertError(L"'" + t + L"' is not a valid floating point value");
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

int RomanLetter(wchar_t c) {
  switch (c) {
    case L'C': case L'c': return 100;
    case L'D': case L'd': return 500;
    case L'I': case L'i': return 1;
    case L'L': case L'l': return 50;
    case L'M': case L'm': return 1000;
    case L'V': case L'v': return 5;
    case L'X': case L'x': return 10;
    default: return 0;
  }
}

// Digits from `start` in base 2^bits; at most `maxDigits`. The result is the 64-bit pattern;
// a value wider than 64 bits is an overflow, a bad digit or too many digits a conversion error.
int64_t ReadPowerOfTwo(const std::wstring& t, size_t start, unsigned bits, size_t maxDigits) {
  if (t.size() - start > maxDigits) NotInteger(t);
  const unsigned radix = 1u << bits;
  for (size_t i = start; i < t.size(); ++i) {
    int d = HexDigit(t[i]);
    if (d < 0 || static_cast<unsigned>(d) >= radix) NotInteger(t);
  }
  uint64_t acc = 0;
  for (size_t i = start; i < t.size(); ++i) {
    if ((acc >> (64 - bits)) != 0) throw EIntOverflow();
    acc = (acc << bits) | static_cast<uint64_t>(HexDigit(t[i]));
  }
  return static_cast<int64_t>(acc);
}

// Roman letters after "0r", read from the right: a letter adds when it is at least the letter
// to its right, else it subtracts. Shapes are not checked (IIII is 4, IC is 99).
int64_t ReadRoman(const std::wstring& t, size_t start) {
  for (size_t i = start; i < t.size(); ++i)
    if (!RomanLetter(t[i])) NotInteger(t);
  int64_t sum = 0;
  int right = 0;
  for (size_t i = t.size(); i > start; --i) {
    int v = RomanLetter(t[i - 1]);
    if (v >= right) {
      if (sum > std::numeric_limits<int64_t>::max() - v) throw EIntOverflow();
      sum += v;
    } else {
      sum -= v;
    }
    right = v;
  }
  return sum;
}

// The prefixed notations. Returns false when the text is none of them.
bool ReadPrefixed(const std::wstring& t, int64_t& v) {
  if (t == L"0r") {  // the Roman text of zero
    v = 0;
    return true;
  }
  if (t.size() >= 3 && t[0] == L'0') {
    switch (t[1]) {
      case L'b': v = ReadPowerOfTwo(t, 2, 1, 64); return true;
      case L'o': v = ReadPowerOfTwo(t, 2, 3, 22); return true;
      case L'x': v = ReadPowerOfTwo(t, 2, 4, 16); return true;
      case L'r': v = ReadRoman(t, 2); return true;
      default: break;
    }
  }
  if (t.size() >= 2 && (t[0] == L'#' || t[0] == L'$')) {
    v = ReadPowerOfTwo(t, 1, 4, 16);
    return true;
  }
  return false;
}

// The standard signed integer conversion: leading spaces, a sign, decimal digits or
// hexadecimal digits after "$", "x", "X", "0x", "0X". Nothing may follow the digits.
bool ReadPlainInteger(const std::wstring& t, int64_t& out) {
  size_t i = 0, n = t.size();
  while (i < n && t[i] == L' ') ++i;
  bool neg = false;
  if (i < n && (t[i] == L'+' || t[i] == L'-')) neg = t[i++] == L'-';
  bool hex = false;
  if (i < n && (t[i] == L'$' || t[i] == L'x' || t[i] == L'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && t[i] == L'0' && (t[i + 1] == L'x' || t[i + 1] == L'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;
  uint64_t acc = 0;
  for (; i < n; ++i) {
    if (hex) {
      int d = HexDigit(t[i]);
      if (d < 0 || (acc >> 60) != 0) return false;
      acc = (acc << 4) | static_cast<uint64_t>(d);
    } else {
      if (t[i] < L'0' || t[i] > L'9') return false;
      uint64_t d = static_cast<uint64_t>(t[i] - L'0');
      if (acc > (std::numeric_limits<uint64_t>::max() - d) / 10) return false;
      acc = acc * 10 + d;
    }
  }
  if (hex) {  // a 64-bit pattern; the sign negates it
    out = static_cast<int64_t>(neg ? 0 - acc : acc);
    return true;
  }
  const uint64_t limit = neg ? (uint64_t{1} << 63) : (uint64_t{1} << 63) - 1;
  if (acc > limit) return false;
  out = neg ? static_cast<int64_t>(0 - acc) : static_cast<int64_t>(acc);
  return true;
}

// The standard floating-point conversion with "." as decimal point: blanks around, a sign,
// digits with an optional point, an optional exponent with at least one digit.
bool ReadPlainFloat(const std::wstring& t, long double& out, std::string& plain) {
  size_t i = 0, n = t.size();
  while (i < n && t[i] == L' ') ++i;
  while (n > i && t[n - 1] == L' ') --n;
  std::string s;
  if (i < n && (t[i] == L'+' || t[i] == L'-')) s += static_cast<char>(t[i++]);
  size_t mantissaDigits = 0;
  while (i < n && t[i] >= L'0' && t[i] <= L'9') s += static_cast<char>(t[i++]), ++mantissaDigits;
  if (i < n && t[i] == L'.') {
    s += '.';
    ++i;
    while (i < n && t[i] >= L'0' && t[i] <= L'9') s += static_cast<char>(t[i++]), ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < n && (t[i] == L'e' || t[i] == L'E')) {
    s += 'e';
    ++i;
    if (i < n && (t[i] == L'+' || t[i] == L'-')) s += static_cast<char>(t[i++]);
    size_t expDigits = 0;
    while (i < n && t[i] >= L'0' && t[i] <= L'9') s += static_cast<char>(t[i++]), ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != n) return false;
  out = __mingw_strtold(s.c_str(), nullptr);
  plain = s;
  return true;
}

// Every notation with the "%" rule; `isInt` tells whether the number came out as an integer.
struct ReadResult {
  bool isInt = false;
  int64_t i = 0;
  long double f = 0;
  bool percent = false;
  std::wstring text;  // the text without its "%"
  std::string plain;  // a decimal float as the digit reader took it
};

ReadResult ReadNumber(const std::wstring& text) {
  ReadResult r;
  r.text = text;
  if (!r.text.empty() && r.text.back() == L'%') {
    r.text.pop_back();
    r.percent = true;
  }
  if (ReadPrefixed(r.text, r.i) || ReadPlainInteger(r.text, r.i)) {
    r.isInt = true;
    if (r.percent) r.f = static_cast<long double>(r.i) / 100.0L;
    return r;
  }
  if (!ReadPlainFloat(r.text, r.f, r.plain)) NotFloat(r.text);
  if (r.percent) r.f /= 100.0L;
  return r;
}

}  // namespace

void StrToNumber(const std::wstring& text, VARIANT& out) {
  X87Precision precision;
  ReadResult r = ReadNumber(text);
  if (r.isInt && !r.percent) {
    VariantClear(&out);
    out.vt = VT_I8;
    out.llVal = r.i;
  } else if (std::fabs(r.f) < 1.6e308L) {
    // a plain decimal is read straight to the nearest double, not rounded twice
    double d = r.isInt || r.percent ? static_cast<double>(r.f)
                                    : __mingw_strtod(r.plain.c_str(), nullptr);
    VariantClear(&out);
    out.vt = VT_R8;
    out.dblVal = d;
  } else {
    BSTR b = SysAllocStringLen(r.text.data(), static_cast<UINT>(r.text.size()));
    if (!b) throw std::bad_alloc();
    VariantClear(&out);
    out.vt = VT_BSTR;
    out.bstrVal = b;
  }
}

long double StrToFloatValue(const std::wstring& text) {
  X87Precision precision;
  ReadResult r = ReadNumber(text);
  if (r.isInt && !r.percent) return static_cast<long double>(r.i);
  if (std::isinf(r.f)) NotFloat(r.text);  // beyond the extended range
  return r.f;
}

bool ReadInt64Value(const std::wstring& text, int64_t& v) {
  return ReadPrefixed(text, v) || ReadPlainInteger(text, v);
}

std::wstring NotIntegerText(const std::wstring& text) {
  return L"'" + text + L"' is not a valid integer value";
}

int64_t StrToInt64Value(const std::wstring& text) {
  int64_t v = 0;
  if (!ReadInt64Value(text, v)) throw EConvertError(NotIntegerText(text));
  return v;
}

namespace {

// The pattern in base 2^bits as `width` digits, then leading zeros dropped down to minDigits.
std::wstring PatternDigits(int64_t v, unsigned bits, int width, int minDigits) {
  static const wchar_t kDigits[] = L"0123456789ABCDEF";
  uint64_t u = static_cast<uint64_t>(v);
  std::wstring s(static_cast<size_t>(width), L'0');
  for (int i = width - 1; i >= 0; --i) {
    s[static_cast<size_t>(i)] = kDigits[u & ((1u << bits) - 1)];
    u >>= bits;
  }
  size_t keep = minDigits > 0 ? static_cast<size_t>(minDigits) : 1;
  size_t lead = 0;
  while (s.size() - lead > keep && s[lead] == L'0') ++lead;
  s.erase(0, lead);
  if (s.size() < keep) s.insert(0, keep - s.size(), L'0');
  return s;
}

}  // namespace

std::wstring Int64ToHex(int64_t v, int minDigits) { return PatternDigits(v, 4, 16, minDigits); }
std::wstring Int64ToOct(int64_t v, int minDigits) { return PatternDigits(v, 3, 22, minDigits); }
std::wstring Int64ToBin(int64_t v, int minDigits) { return PatternDigits(v, 1, 64, minDigits); }

std::wstring IntToRoman(int64_t v) {
  if (v > kRomanLimit || v < -kRomanLimit) RaiseError(std::to_wstring(v) + L", is not convert value");
  static const struct {
    const wchar_t* symbol;
    int value;
  } kSymbols[] = {{L"M", 1000}, {L"CM", 900}, {L"D", 500}, {L"CD", 400}, {L"C", 100},
                  {L"XC", 90},  {L"L", 50},   {L"XL", 40}, {L"X", 10},   {L"IX", 9},
                  {L"V", 5},    {L"IV", 4},   {L"I", 1}};
  std::wstring s = v < 0 ? L"-0r" : L"0r";
  int64_t n = v < 0 ? -v : v;
  for (const auto& sym : kSymbols) {
    while (sym.value <= n) {
      s += sym.symbol;
      n -= sym.value;
    }
  }
  return s;
}

long double LnGamma(long double x) {
  // Stirling-series coefficients B(2k) / (2k (2k - 1)), k = 1..20.
  static const long double kCoefficients[20] = {
      8.3333333333333333333333e-2L,  -2.7777777777777777777778e-3L,
      7.9365079365079365079365e-4L,  -5.9523809523809523809524e-4L,
      8.4175084175084175084175e-4L,  -1.9175269175269175269175e-3L,
      6.4102564102564102564103e-3L,  -2.9550653594771241830065e-2L,
      1.7964437236883057316494e-1L,  -1.3924322169059011164274e+0L,
      1.3402864044168391994479e+1L,  -1.5684828462600201730637e+2L,
      2.1931033333333333333333e+3L,  -3.6108771253724989357173e+4L,
      6.9147226885131306710840e+5L,  -1.5238221539407416192283e+7L,
      3.8290075139141414141414e+8L,  -1.0882266035784391089015e+10L,
      3.4732028376500225225225e+11L, -1.2369602142269274454252e+13L,
  };
  if (!(x > 0)) RaiseError(L"Negative argument logGamma(X): Error!");
  if (x == 1 || x == 2) return 0;
  if (std::isinf(x)) return x;
  X87Precision precision;
  long double c = 0;
  while (x < 7) {
    c += std::log(x);
    x += 1;
  }
  long double s = (x - 0.5L) * std::log(x) - x + 0.91893853320467274178L;
  long double d = x, x2 = x * x, t = s;
  for (long double k : kCoefficients) {
    t = s + k / d;
    if (t == s) break;
    s = t;
    d *= x2;
  }
  return t - c;
}

}  // namespace evalkern
