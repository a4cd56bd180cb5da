// Result formatting: the text a user sees for one value. The pure pieces (general float
// format, format pictures, integer notations) take plain parameters; FormatValue reads the
// error sink and the settings and puts them together.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <string>

#include "Evalkern.h"

namespace evalkern {

// A finite long double as its exact decimal expansion: value = 0.d1d2...dn x 10^exponent,
// digits without leading or trailing zeros; zero has no digits.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};
DecimalDigits ExactDecimal(long double x);
// Rounds to `keep` significant digits (half away from zero); keep <= 0 may round to zero or
// to a single 1 one place up.
void RoundDigits(DecimalDigits& d, int keep);

// The general format with `precision` significant digits (the kernel uses 15): fixed notation
// while -3 <= E <= 15 (E as in DecimalDigits), else d.dddE[-]x; "INF", "-INF", "NAN", "-NAN"
// for the values that are not finite. Upper-case "E"; `decimalSep` is the decimal point.
std::wstring FloatToGeneralText(long double x, int precision = 15, wchar_t decimalSep = L'.');

// Separators a format picture uses: the decimal point is always "."; the thousands
// separator comes from the user's locale.
struct PictureSeparators {
  wchar_t decimal = L'.';
  std::wstring thousands = L",";
};
// The user's locale thousands separator with the fixed decimal point.
PictureSeparators LocaleSeparators();

// x formatted by a picture: 0 (digit always shown), # (digit when significant), . (decimal
// point), , (thousands grouping), E+ E- e+ e- (scientific), '...' and "..." (text copied),
// up to three sections "positive;negative;zero". Other characters are copied. Not trimmed.
std::wstring FormatFloatPicture(long double x, const std::wstring& picture,
                                const PictureSeparators& seps = PictureSeparators());

// Integer in a result notation (TFormatOut value; values above foRoman count as foRoman).
// A negative notation raises a KernelError "Range check error".
std::wstring FormatInteger(int64_t v, long notation, const std::wstring& intPicture,
                           const PictureSeparators& seps = PictureSeparators());

// Float result text: the picture when not empty, else the general format; INF/NAN either way;
// lower case.
std::wstring FormatFloat(long double x, const std::wstring& floatPicture,
                         const PictureSeparators& seps = PictureSeparators());

// The text of one result. `sink` and `settings` may be null. A set error flag on the sink
// wins over the value; a failure while formatting is reported on the sink (flag, then text)
// and its message returned.
std::wstring FormatValue(const VARIANT& value, IErrorEvents* sink, ISettings* settings);

}  // namespace evalkern
