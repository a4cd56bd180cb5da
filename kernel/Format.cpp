#include "Format.h"

#include <cmath>
#include <cstring>
#include <exception>
#include <vector>

#include "KernelObject.h"
#include "Messages.h"
#include "NumberText.h"
#include "Precision.h"

namespace evalkern {

// ---- exact decimal expansion ----

namespace {

// Unsigned big number in base 10^9, least significant limb first.
class BigDecimal {
 public:
  explicit BigDecimal(uint64_t v) {
    limbs_.reserve(8);  // the usual results need no more
    do {
      limbs_.push_back(static_cast<uint32_t>(v % kBase));
      v /= kBase;
    } while (v);
  }
  void Multiply(uint32_t m) {
    uint64_t carry = 0;
    for (uint32_t& limb : limbs_) {
      uint64_t p = uint64_t{limb} * m + carry;
      limb = static_cast<uint32_t>(p % kBase);
      carry = p / kBase;
    }
    while (carry) {
      limbs_.push_back(static_cast<uint32_t>(carry % kBase));
      carry /= kBase;
    }
  }
  std::string Digits() const {
    std::string s = std::to_string(limbs_.back());
    s.reserve(s.size() + 9 * (limbs_.size() - 1));
    for (size_t i = limbs_.size() - 1; i-- > 0;) {
      char part[9];
      uint32_t limb = limbs_[i];
      for (int k = 8; k >= 0; --k, limb /= 10) part[k] = static_cast<char>('0' + limb % 10);
      s.append(part, 9);
    }
    return s;
  }

 private:
  static constexpr uint32_t kBase = 1000000000u;
  std::vector<uint32_t> limbs_;
};

}  // namespace

DecimalDigits ExactDecimal(long double x) {
  DecimalDigits d;
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &x, sizeof(long double));
  uint64_t significand;
  uint16_t signExp;
  std::memcpy(&significand, bytes, 8);
  std::memcpy(&signExp, bytes + 8, 2);
  d.negative = (signExp & 0x8000) != 0;
  int biased = signExp & 0x7FFF;
  if (significand == 0 || biased == 0x7FFF) return d;  // zero (infinities and NaN have no digits)
  int e2 = (biased == 0 ? 1 : biased) - 16383 - 63;   // x = significand * 2^e2
  BigDecimal n(significand);
  int scale = 0;  // x = n * 10^-scale
  if (e2 > 0) {
    for (; e2 >= 29; e2 -= 29) n.Multiply(1u << 29);
    if (e2) n.Multiply(1u << e2);
  } else if (e2 < 0) {
    scale = -e2;  // significand / 2^k = significand * 5^k / 10^k
    int k = scale;
    for (; k >= 13; k -= 13) n.Multiply(1220703125u);  // 5^13
    uint32_t rest = 1;
    while (k-- > 0) rest *= 5;
    n.Multiply(rest);
  }
  d.digits = n.Digits();
  d.exponent = static_cast<int>(d.digits.size()) - scale;
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

void RoundDigits(DecimalDigits& d, int keep) {
  if (d.digits.empty() || keep >= static_cast<int>(d.digits.size())) return;
  bool up = keep >= 0 && d.digits[static_cast<size_t>(keep)] >= '5';
  if (keep <= 0) {
    d.digits = up ? "1" : "";
    d.exponent = up ? d.exponent + 1 : 0;
    return;
  }
  d.digits.resize(static_cast<size_t>(keep));
  if (up) {
    size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9') d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.exponent;
    } else {
      ++d.digits[i - 1];
    }
  }
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// ---- general float format ----

namespace {

// Appends the digits of `digits` from `from` on (to its end, or `count` of them), as wide
// characters, without an intermediate string.
void AppendDigits(std::wstring& text, const std::string& digits, size_t from,
                  size_t count = std::string::npos) {
  const size_t end = count == std::string::npos ? digits.size() : std::min(digits.size(), from + count);
  text.append(digits.begin() + static_cast<std::ptrdiff_t>(from),
              digits.begin() + static_cast<std::ptrdiff_t>(end));
}

bool NotFinite(long double x, std::wstring& text) {
  if (std::isnan(x)) {
    text = std::signbit(x) ? L"-NAN" : L"NAN";
    return true;
  }
  if (std::isinf(x)) {
    text = x < 0 ? L"-INF" : L"INF";
    return true;
  }
  return false;
}

}  // namespace

std::wstring FloatToGeneralText(long double x, int precision, wchar_t decimalSep) {
  std::wstring text;
  if (NotFinite(x, text)) return text;
  DecimalDigits d = ExactDecimal(x);
  RoundDigits(d, precision);
  if (d.digits.empty()) return L"0";
  if (d.negative) text = L"-";
  const int n = static_cast<int>(d.digits.size());
  const int e = d.exponent;
  if (e >= -3 && e <= 15) {
    if (e <= 0) {
      text += L'0';
    } else {
      AppendDigits(text, d.digits, 0, static_cast<size_t>(std::min(e, n)));
      if (n < e) text.append(static_cast<size_t>(e - n), L'0');
    }
    if (n > e) {
      text += decimalSep;
      if (e < 0) text.append(static_cast<size_t>(-e), L'0');
      AppendDigits(text, d.digits, static_cast<size_t>(std::max(e, 0)));
    }
  } else {
    text += static_cast<wchar_t>(d.digits[0]);
    if (n > 1) {
      text += decimalSep;
      AppendDigits(text, d.digits, 1);
    }
    text += L'E';
    if (e - 1 < 0) text += L'-';
    text += std::to_wstring(e - 1 < 0 ? 1 - e : e - 1);
  }
  return text;
}

// ---- format pictures ----

PictureSeparators LocaleSeparators() {
  PictureSeparators seps;
  wchar_t buf[16] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buf, 16) > 0) seps.thousands = buf;
  return seps;
}

namespace {

// Splits a picture into its sections at ";" outside quoted text.
std::vector<std::wstring> SplitSections(const std::wstring& picture) {
  std::vector<std::wstring> sections(1);
  wchar_t quote = 0;
  for (wchar_t c : picture) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == L'\'' || c == L'"') {
      quote = c;
    } else if (c == L';') {
      if (sections.size() < 3) {
        sections.emplace_back();
        continue;
      }
      break;  // a fourth section is ignored
    }
    sections.back() += c;
  }
  return sections;
}

bool IsExponentAt(const std::wstring& s, size_t i) {
  return (s[i] == L'E' || s[i] == L'e') && i + 1 < s.size() && (s[i + 1] == L'+' || s[i + 1] == L'-');
}

// What a section asks for, found by a first pass over it.
struct SectionLayout {
  int intPlaces = 0;      // digit placeholders before the point
  int minIntDigits = 0;   // from the first "0" before the point on
  int maxDecimals = 0;    // placeholders after the point
  int minDecimals = 0;    // up to the last "0" after the point
  bool grouping = false;
  bool scientific = false;
  int expDigits = 0;
};

SectionLayout ScanSection(const std::wstring& s) {
  SectionLayout l;
  bool afterPoint = false;
  wchar_t quote = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    wchar_t c = s[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == L'\'' || c == L'"') {
      quote = c;
    } else if (c == L'0' || c == L'#') {
      if (afterPoint) {
        ++l.maxDecimals;
        if (c == L'0') l.minDecimals = l.maxDecimals;
      } else {
        ++l.intPlaces;
        if (c == L'0' && l.minIntDigits == 0) l.minIntDigits = 1;
        else if (l.minIntDigits > 0) ++l.minIntDigits;
      }
    } else if (c == L'.') {
      afterPoint = true;
    } else if (c == L',') {
      l.grouping = true;
    } else if (IsExponentAt(s, i)) {
      l.scientific = true;
      i += 2;
      while (i < s.size() && s[i] == L'0') ++l.expDigits, ++i;
      break;  // everything after the exponent digits is literal text
    }
  }
  return l;
}

// The digits to show: integer digits (already padded to the minimum) and decimals.
struct Rendered {
  std::string intDigits;
  std::string decimals;
  int exponent = 0;  // scientific only
  bool zero = true;  // the shown value is zero
};

Rendered RenderDigits(long double magnitude, const SectionLayout& l) {
  Rendered r;
  DecimalDigits d = ExactDecimal(magnitude);
  d.negative = false;
  if (l.scientific) {
    // as many leading digits as the picture has integer places, the exponent takes the rest
    const int places = l.intPlaces;
    RoundDigits(d, places + l.maxDecimals);
    std::string all = d.digits;
    all.resize(static_cast<size_t>(places + l.maxDecimals), '0');
    r.intDigits = all.substr(0, static_cast<size_t>(places));
    r.decimals = all.substr(static_cast<size_t>(places));
    r.exponent = d.digits.empty() ? 0 : d.exponent - places;
    r.zero = d.digits.empty();
  } else {
    RoundDigits(d, d.exponent + l.maxDecimals);
    r.zero = d.digits.empty();
    const int e = d.digits.empty() ? 0 : d.exponent;
    const int n = static_cast<int>(d.digits.size());
    if (e > 0) {
      r.intDigits = d.digits.substr(0, static_cast<size_t>(std::min(e, n)));
      if (n < e) r.intDigits.append(static_cast<size_t>(e - n), '0');
    }
    std::string frac;
    if (e < 0) frac.assign(static_cast<size_t>(-e), '0');
    if (n > std::max(e, 0)) frac += d.digits.substr(static_cast<size_t>(std::max(e, 0)));
    frac.resize(static_cast<size_t>(l.maxDecimals), '0');
    r.decimals = frac;
  }
  // trailing zeros beyond the minimum decimals are not shown
  while (static_cast<int>(r.decimals.size()) > l.minDecimals && r.decimals.back() == '0')
    r.decimals.pop_back();
  if (static_cast<int>(r.intDigits.size()) < l.minIntDigits)
    r.intDigits.insert(0, static_cast<size_t>(l.minIntDigits) - r.intDigits.size(), '0');
  return r;
}

std::wstring ApplySection(const std::wstring& s, const SectionLayout& l, const Rendered& r,
                          const PictureSeparators& seps) {
  std::wstring out;
  bool anyDigit = false;
  const int intCount = static_cast<int>(r.intDigits.size());
  int intPlaceSeen = 0;  // integer placeholders met so far
  int nextInt = 0;       // next integer digit to write
  size_t nextDec = 0;
  bool afterPoint = false;

  auto writeIntDigit = [&](int index) {
    out += static_cast<wchar_t>(r.intDigits[static_cast<size_t>(index)]);
    anyDigit = true;
    int fromRight = intCount - 1 - index;
    if (l.grouping && fromRight > 0 && fromRight % 3 == 0) out += seps.thousands;
  };

  for (size_t i = 0; i < s.size(); ++i) {
    wchar_t c = s[i];
    if (c == L'\'' || c == L'"') {
      size_t end = s.find(c, i + 1);
      if (end == std::wstring::npos) end = s.size();
      out.append(s, i + 1, end - i - 1);
      i = end;
    } else if ((c == L'0' || c == L'#') && !afterPoint) {
      // the first placeholder takes the digits the picture has no place for
      if (intPlaceSeen == 0)
        for (; nextInt < intCount - l.intPlaces; ++nextInt) writeIntDigit(nextInt);
      int placeFromRight = l.intPlaces - 1 - intPlaceSeen;
      ++intPlaceSeen;
      int index = intCount - 1 - placeFromRight;
      if (index >= 0 && index >= nextInt) writeIntDigit(index), nextInt = index + 1;
    } else if ((c == L'0' || c == L'#') && afterPoint) {
      if (nextDec < r.decimals.size()) {
        out += static_cast<wchar_t>(r.decimals[nextDec++]);
        anyDigit = true;
      }
    } else if (c == L'.') {
      if (!afterPoint) {
        afterPoint = true;
        if (!r.decimals.empty()) out += seps.decimal;
      }
    } else if (c == L',') {
      // grouping is a property of the whole section
    } else if (l.scientific && IsExponentAt(s, i)) {
      out += c;
      const bool negExp = r.exponent < 0;
      if (s[i + 1] == L'+') out += negExp ? L'-' : L'+';
      else if (negExp) out += L'-';
      std::wstring digits = std::to_wstring(negExp ? -r.exponent : r.exponent);
      if (static_cast<int>(digits.size()) < l.expDigits)
        digits.insert(0, static_cast<size_t>(l.expDigits) - digits.size(), L'0');
      out += digits;
      i += 2;
      while (i < s.size() && s[i] == L'0') ++i;
      out.append(s, i, std::wstring::npos);  // the rest is literal text
      break;
    } else {
      out += c;
    }
  }
  // a picture of "#" placeholders only still shows a zero
  if (!anyDigit && (l.intPlaces > 0 || l.maxDecimals > 0)) {
    size_t at = out.find(seps.decimal);
    out.insert(at == std::wstring::npos ? out.size() : at, 1, L'0');
  }
  return out;
}

std::wstring Trim(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= L' ') ++b;
  while (e > b && s[e - 1] <= L' ') --e;
  return s.substr(b, e - b);
}

std::wstring Lower(std::wstring s) {
  if (!s.empty()) CharLowerBuffW(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

}  // namespace

std::wstring FormatFloatPicture(long double x, const std::wstring& picture,
                                const PictureSeparators& seps) {
  std::wstring text;
  if (NotFinite(x, text)) return text;
  const std::vector<std::wstring> sections = SplitSections(picture);
  auto present = [&](size_t i) { return i < sections.size() && !sections[i].empty(); };
  const bool negative = x < 0;
  const long double magnitude = std::fabs(x);

  size_t section = 0;
  if (magnitude == 0 && present(2)) section = 2;
  else if (negative && present(1)) section = 1;
  SectionLayout layout = ScanSection(sections[section]);
  Rendered r = RenderDigits(magnitude, layout);
  if (r.zero && section != 2 && present(2)) {  // rounds to zero: the zero section
    section = 2;
    layout = ScanSection(sections[2]);
    r = RenderDigits(0, layout);
  }
  text = ApplySection(sections[section], layout, r, seps);
  if (negative && section == 0 && !r.zero) text.insert(0, 1, L'-');
  return text;
}

std::wstring FormatInteger(int64_t v, long notation, const std::wstring& intPicture,
                           const PictureSeparators& seps) {
  if (notation < 0) RaiseError(L"Range check error", DISP_E_OVERFLOW);
  auto decimal = [&]() -> std::wstring {
    if (intPicture.empty()) return std::to_wstring(v);
    uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    std::wstring s = Trim(FormatFloatPicture(static_cast<long double>(mag), intPicture, seps));
    return v < 0 ? L"-" + s : s;
  };
  switch (notation) {
    case foDecimal: return Lower(decimal());
    case foBinary: return L"0b" + Int64ToBin(v, 2);
    case foHex: return L"0x" + Lower(Int64ToHex(v, 2));
    case foOct: return L"0o" + Int64ToOct(v, 2);
    default:
      if (v >= -kRomanLimit && v <= kRomanLimit) return IntToRoman(v);
      return decimal();
  }
}

std::wstring FormatFloat(long double x, const std::wstring& floatPicture,
                         const PictureSeparators& seps) {
  std::wstring text;
  if (!NotFinite(x, text))
    text = floatPicture.empty() ? FloatToGeneralText(x) : Trim(FormatFloatPicture(x, floatPicture, seps));
  return Lower(std::move(text));
}

// ---- FormatValue ----

namespace {

// Takes ownership of a BSTR out-parameter.
struct OwnedBstr {
  BSTR b = nullptr;
  ~OwnedBstr() { SysFreeString(b); }
  std::wstring str() const { return b ? std::wstring(b, SysStringLen(b)) : std::wstring(); }
};

std::wstring SinkText(IErrorEvents* sink) {
  OwnedBstr text;
  Check(sink->get_ErrorText(&text.b));
  return text.str();
}

std::wstring TimeOfDay(DATE date) {
  SYSTEMTIME st;
  if (!VariantTimeToSystemTime(date, &st)) RaiseError(L"Invalid date", DISP_E_OVERFLOW);
  wchar_t buf[128];
  int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, 128);
  if (n <= 0) RaiseError(L"Invalid date", DISP_E_OVERFLOW);
  return std::wstring(buf, static_cast<size_t>(n - 1));
}

std::wstring AnsiText(const char* s) {
  if (!s || !*s) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s, -1, &w[0], n);
  w.resize(static_cast<size_t>(n - 1));
  return w;
}

constexpr VARTYPE kAnsiString = 256;  // an 8-bit string held by pointer

std::wstring FormatIntegerValue(int64_t v, ISettings* settings) {
  TFormatOut notation = foDecimal;
  OwnedBstr picture;
  if (settings) {
    Check(settings->get_IntegerFormatOut(&notation));
    Check(settings->get_IntFormatStr(&picture.b));
  }
  return FormatInteger(v, static_cast<long>(notation), picture.str(), LocaleSeparators());
}

std::wstring FormatFloatValue(long double x, ISettings* settings) {
  OwnedBstr picture;
  if (settings) Check(settings->get_FloatFormatStr(&picture.b));
  return FormatFloat(x, picture.str(), LocaleSeparators());
}

std::wstring FormatValueUnguarded(const VARIANT& value, IErrorEvents* sink, ISettings* settings) {
  if (sink) {
    VARIANT_BOOL flag = VARIANT_FALSE;
    Check(sink->get_ErrorFlag(&flag));
    if (flag) return SinkText(sink);
  }
  switch (value.vt) {
    case VT_EMPTY: return L"Empty";
    case VT_NULL: return L"Null";
    case VT_I2: return FormatIntegerValue(value.iVal, settings);
    case VT_I4: return FormatIntegerValue(value.lVal, settings);
    case VT_I1: return FormatIntegerValue(static_cast<signed char>(value.cVal), settings);
    case VT_UI1: return FormatIntegerValue(value.bVal, settings);
    case VT_UI2: return FormatIntegerValue(value.uiVal, settings);
    case VT_UI4: return FormatIntegerValue(value.ulVal, settings);
    case VT_I8: return FormatIntegerValue(value.llVal, settings);
    case VT_R4: return FormatFloatValue(value.fltVal, settings);
    case VT_R8: return FormatFloatValue(value.dblVal, settings);
    case VT_CY: return FormatFloatValue(static_cast<long double>(value.cyVal.int64) / 10000.0L, settings);
    case VT_DATE: return TimeOfDay(value.date);
    case VT_BSTR:
      return value.bstrVal ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal)) : std::wstring();
    case kAnsiString: return AnsiText(static_cast<const char*>(value.byref));
    case VT_DISPATCH: return L"IDispatch";
    case VT_ERROR: {
      std::wstring text = sink ? SinkText(sink) : std::wstring();
      return text.empty() ? L"Error" : text;
    }
    case VT_BOOL: return value.boolVal ? L"true" : L"false";
    case VT_VARIANT: return L"Variant";
    case VT_UNKNOWN: return L"IUnknown";
    default: return GetMessageText(14029);
  }
}

}  // namespace

std::wstring FormatValue(const VARIANT& value, IErrorEvents* sink, ISettings* settings) {
  X87Precision precision;
  std::wstring message;
  try {
    return FormatValueUnguarded(value, sink, settings);
  } catch (const KernelError& e) {
    message = e.text;
  } catch (const std::bad_alloc&) {
    message = L"Out of memory";
  } catch (const std::exception& e) {
    const std::string what = e.what();
    message = std::wstring(what.begin(), what.end());
  }
  if (sink) {
    sink->put_ErrorFlag(VARIANT_TRUE);
    BSTR b = SysAllocStringLen(message.data(), static_cast<UINT>(message.size()));
    sink->put_ErrorText(b);
    SysFreeString(b);
  }
  return message;
}

}  // namespace evalkern
