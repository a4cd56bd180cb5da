// Number texts: the readers of number literals in every notation the language knows
// (decimal, "0b", "0o", "0x"/"0X", "#", "$", Roman after "0r", a trailing "%"), the writers of
// the integer notations and Roman numerals, and LnGamma.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

#include "KernelObject.h"

namespace evalkern {

// A text that is not a number of the expected kind. The message is the user-facing text, e.g.
// "0b2 is not a valid integer value" or "'abc' is not a valid floating point value".
struct EConvertError : KernelError {
  explicit EConvertError(const std::wstring& msg) : KernelError{msg, DISP_E_TYPEMISMATCH} {}
};

// An integer literal whose value does not fit into 64 bits ("Integer overflow").
struct EIntOverflow : KernelError {
  EIntOverflow() : KernelError{L"Integer overflow", DISP_E_OVERFLOW} {}
};

// ---- reading ----

// One number literal as the analyser and the argument readers see it: VT_I8 for an integer,
// VT_R8 for a fraction or a percentage, VT_BSTR (the text itself, without a "%") for a decimal
// number of magnitude 1.6e308 or more. On success `out` is cleared and then set; on failure an
// EConvertError or EIntOverflow is raised and `out` is left as it was.
void StrToNumber(const std::wstring& text, VARIANT& out);

// The same notations and "%" rule, as an extended float.
long double StrToFloatValue(const std::wstring& text);

// The same prefixed notations without the "%" rule; a decimal text must be a 64-bit integer.
int64_t StrToInt64Value(const std::wstring& text);

// StrToInt64Value for callers that handle a text which is no integer at all themselves: false
// then, and NotIntegerText(text) is what StrToInt64Value raises for it. A prefixed notation
// with a bad digit or too many of them is still raised.
bool ReadInt64Value(const std::wstring& text, int64_t& v);
std::wstring NotIntegerText(const std::wstring& text);

// ---- writing ----

// Digits of the 64-bit two's-complement pattern, no prefix, leading zeros dropped down to
// `minDigits` (the kernel passes 2). Hexadecimal digits are upper case.
std::wstring Int64ToHex(int64_t v, int minDigits);
std::wstring Int64ToOct(int64_t v, int minDigits);
std::wstring Int64ToBin(int64_t v, int minDigits);

// Largest magnitude IntToRoman accepts.
constexpr int64_t kRomanLimit = 100000;

// "0r" and the Roman letters, "-0r..." for a negative value; 0 gives "0r". Raises a KernelError
// "<v>, is not convert value" when |v| > kRomanLimit (callers check the range first).
std::wstring IntToRoman(int64_t v);

// ---- LnGamma ----

// Natural logarithm of the gamma function for x > 0; raises a KernelError
// "Negative argument logGamma(X): Error!" otherwise (NaN included).
long double LnGamma(long double x);

}  // namespace evalkern
