// Text, progression and molar-mass bodies: char, aprog, aprogs, gprog, gprogs, mol.
#include <cmath>
#include <cstdint>
#include <string>

#include "BasicSetFuncs.h"
#include "Messages.h"
#include "MolarMass.h"

namespace evalkern {

namespace {

// ---- char ----

std::wstring VariantText(const VARIANT& v) {
  return v.bstrVal ? std::wstring(v.bstrVal, SysStringLen(v.bstrVal)) : std::wstring();
}

// The ANSI code of one character, or -1 when the code page has no single byte for it.
int AnsiCode(wchar_t c) {
  char bytes[8];
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, sizeof bytes, nullptr, &usedDefault);
  if (n != 1 || usedDefault) return -1;
  return static_cast<unsigned char>(bytes[0]);
}

// The character an ANSI code stands for.
wchar_t AnsiChar(int code) {
  char byte = static_cast<char>(code);
  wchar_t c = 0;
  if (MultiByteToWideChar(CP_ACP, 0, &byte, 1, &c, 1) != 1) c = static_cast<wchar_t>(code);
  return c;
}

int DigitValue(wchar_t c, int base) {
  int d = -1;
  if (c >= L'0' && c <= L'9') d = c - L'0';
  else if (c >= L'a' && c <= L'f') d = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') d = c - L'A' + 10;
  return d < base ? d : -1;
}

// The value of `count` digits of `base` from s[from]; -1 when one of them is not such a digit.
int DigitsValue(const std::wstring& s, size_t from, size_t count, int base) {
  int v = 0;
  for (size_t i = from; i < from + count; ++i) {
    int d = DigitValue(s[i], base);
    if (d < 0) return -1;
    v = v * base + d;
  }
  return v;
}

struct ControlName {
  int code;
  const wchar_t* prefix;  // an empty prefix: apostrophe, the character itself, "/* "
  int nameId;
};
const ControlName kControlNames[] = {
    {0, L"'\\x00 /* ", 15004}, {7, L"'\\a /* ", 15006},  {8, L"'\\b /* ", 15007},
    {9, L"'\\t /* ", 15002},   {10, L"'\\n /* ", 15000}, {11, L"'\\v /* ", 15005},
    {12, L"'\\f /* ", 15008},  {13, L"'\\r /* ", 15001}, {32, L"", 15003},
    {160, L"", 15003},
};

// The display of a code: its escape and name for the control characters and the blanks, else
// the character between apostrophes; codes outside 0..255 report 14016.
void SetCharDisplay(IErrorEvents* sink, VARIANT* result, int64_t code) {
  if (code < 0 || code > 255) {
    ReportMessageFmt(sink, msg::OutOfRangeFmt, L"char");
    return;
  }
  const int c = static_cast<int>(code);
  for (const ControlName& n : kControlNames) {
    if (n.code != c) continue;
    std::wstring prefix = *n.prefix ? std::wstring(n.prefix)
                                    : std::wstring(L"'") + AnsiChar(c) + L"/* ";
    SetTextResult(result, prefix + GetMessageText(n.nameId) + L" */'");
    return;
  }
  SetTextResult(result, std::wstring(L"'") + AnsiChar(c) + L"'");
}

void SetCode(VARIANT* result, int code) {
  VariantClear(result);
  result->vt = VT_I4;
  result->lVal = code;
}

// The code of a one-character text; a character without a single ANSI byte reports 14016.
void SetCharCode(IErrorEvents* sink, VARIANT* result, wchar_t c) {
  int code = AnsiCode(c);
  if (code < 0) ReportMessageFmt(sink, msg::OutOfRangeFmt, L"char");
  else SetCode(result, code);
}

// The text forms of char; false when the text is to be read as a number instead.
bool CharOfText(IErrorEvents* sink, VARIANT* result, std::wstring s) {
  if (s != L" " && s != L"\t") {
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= 32) ++b;
    while (e > b && s[e - 1] <= 32) --e;
    s = s.substr(b, e - b);
  }
  if (s.empty()) {
    ReportMessage(sink, msg::CharEmptyText);
    return true;
  }
  if (s.size() == 4 && s[0] == L'\\') {
    int v = s[1] == L'x' ? DigitsValue(s, 2, 2, 16) : DigitsValue(s, 1, 3, 8);
    if (v >= 0) {
      SetCharDisplay(sink, result, v);
      return true;
    }
    return false;
  }
  if (s.size() == 6 && s[0] == L'\\' && s[1] == L'x') {
    int v = DigitsValue(s, 2, 4, 16);
    if (v >= 0) {
      SetCharDisplay(sink, result, v);
      return true;
    }
    return false;
  }
  if (s.size() == 2 && s[0] == L'\\') {
    switch (s[1]) {
      case L'a': SetCode(result, 7); return true;
      case L'b': SetCode(result, 8); return true;
      case L'f': SetCode(result, 12); return true;
      case L'n': SetCode(result, 10); return true;
      case L'r': SetCode(result, 13); return true;
      case L't': SetCode(result, 9); return true;
      case L'v': SetCode(result, 11); return true;
      default: SetCharCode(sink, result, s[1]); return true;
    }
  }
  if (s.size() == 1) {
    SetCharCode(sink, result, s[0]);
    return true;
  }
  if (s.size() == 3 && s[0] == s[2] && (s[0] == L'\'' || s[0] == L'"')) {
    SetCharCode(sink, result, s[1]);
    return true;
  }
  return false;
}

// ---- progressions ----

struct ProgressionArgs {
  long double first, step;
  int64_t n;
};

// The three arguments of a progression; false when the body must stop.
bool ReadProgression(IErrorEvents* sink, IArguments* args, VARIANT* result, const wchar_t* name,
                     ProgressionArgs& p) {
  long count = ArgCount(args);
  if (count != 3) {
    ReportCountError3(sink, result, count);
    return false;
  }
  p.first = FloatArgAt(args, 0, sink);
  p.step = FloatArgAt(args, 1, sink);
  p.n = Int64ArgAt(args, 2, sink);
  if (ErrorPending(sink)) return false;
  if (p.n < 0) {
    ReportMessageFmt(sink, msg::ProgressionIndexFmt, name);
    return false;
  }
  return true;
}

// q to the power n by repeated squaring; n must fit a 32-bit signed integer.
long double PowerBySquaring(long double q, int64_t n) {
  if (n > INT32_MAX) RaiseFault(L"Range check error");
  long double r = 1;
  for (uint32_t k = static_cast<uint32_t>(n); k; k >>= 1) {
    if (k & 1) r *= q;
    q *= q;
  }
  return r;
}

void SetProgressionResult(IErrorEvents* sink, VARIANT* result, const wchar_t* name,
                          long double x) {
  if (!IsFiniteValue(x)) ReportNotFinite(sink, result, name);
  else SetFloatResult(result, x);
}

// ---- mol ----

// The molar mass is always a double, also 0 for an empty formula and -9999 after an error.
void SetMassResult(VARIANT* result, double mass) {
  VariantClear(result);
  result->vt = VT_R8;
  result->dblVal = mass;
}

}  // namespace

void FuncChar(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  if (!CountIs(sink, args, result, 1)) return;
  OwnedVariant v = FetchArg(args, 0);
  if (ErrorPending(sink)) return;
  if (v.Type() == VT_BSTR && CharOfText(sink, result, VariantText(v.Get()))) return;
  int64_t code = ArgAsInt64(v.Get(), sink);
  if (ErrorPending(sink)) return;
  if (code < INT32_MIN || code > INT32_MAX) RaiseFault(L"Range check error");
  SetCharDisplay(sink, result, code);
}

void FuncAprog(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  ProgressionArgs p;
  if (!ReadProgression(sink, args, result, L"aprog", p)) return;
  SetProgressionResult(sink, result, L"aprog", p.first + p.n * p.step);
}

void FuncAprogs(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  ProgressionArgs p;
  if (!ReadProgression(sink, args, result, L"aprogs", p)) return;
  const long double n = static_cast<long double>(p.n);
  SetProgressionResult(sink, result, L"aprogs", (n * p.step / 2 + p.first) * (n + 1));
}

void FuncGprog(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  ProgressionArgs p;
  if (!ReadProgression(sink, args, result, L"gprog", p)) return;
  SetProgressionResult(sink, result, L"gprog", p.first * PowerBySquaring(p.step, p.n));
}

void FuncGprogs(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  ProgressionArgs p;
  if (!ReadProgression(sink, args, result, L"gprogs", p)) return;
  if (p.n >= INT32_MAX) RaiseFault(L"Integer overflow");
  // A ratio of 1 makes every term the first one: n + 1 of them, not 0/0. Near 1, 1 - q^(n+1)
  // cancels; q^(n+1) - 1 is then taken as expm1((n+1) ln q), with q - 1 exact.
  const long double d = p.step - 1;
  long double sum =
      p.step == 1 ? p.first * (p.n + 1)
      : ::fabsl(d) < 0.5L
          ? p.first * ::expm1l(static_cast<long double>(p.n + 1) * ::log1pl(d)) / d
          : p.first * (1 - PowerBySquaring(p.step, p.n + 1)) / (1 - p.step);
  SetProgressionResult(sink, result, L"gprogs", sum);
}

void FuncMol(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  if (!CountIs(sink, args, result, 1)) return;
  OwnedVariant v = FetchArg(args, 0);
  if (ErrorPending(sink)) return;
  if (v.Type() == VT_EMPTY || v.Type() == VT_ERROR) {
    ReportMessage(sink, msg::ArgNoValue);
    return;
  }
  if (v.Type() != VT_BSTR) {
    ReportMessageFmt(sink, msg::MolArgKindFmt, L"mol");
    SetErrorResult(result);
    return;
  }
  double mass = 0;
  FormulaError error;
  if (!MolarMass(VariantText(v.Get()), mass, error)) {
    if (error.id == msg::MolUnknownElementFmt || error.id == msg::BadCharacterFmt)
      ReportMessageFmt(sink, error.id, error.arg);
    else
      ReportMessage(sink, error.id);
    SetMassResult(result, static_cast<double>(kFailureFloat));
    return;
  }
  if (!IsFiniteValue(mass)) {
    ReportNotFinite(sink, result, L"mol");
    return;
  }
  SetMassResult(result, mass);
}

}  // namespace evalkern
