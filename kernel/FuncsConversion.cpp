// Conversion bodies (integer notations, Roman, decimal) and computer bodies (rgb, random,
// guid, winerror).
#include <cwctype>
#include <string>

#include "BasicSetFuncs.h"
#include "KernelObject.h"
#include "Messages.h"
#include "NumberText.h"

namespace evalkern {

namespace {

std::wstring Lower(std::wstring s) {
  for (wchar_t& c : s)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return s;
}

// The process-wide 32-bit linear congruential generator of random.
struct RandomState {
  uint32_t s = 0;
  bool seeded = false;
};
RandomState g_random;

void SeedOnce() {
  if (g_random.seeded) return;
  LARGE_INTEGER counter;
  g_random.s = QueryPerformanceCounter(&counter) ? static_cast<uint32_t>(counter.QuadPart)
                                                 : static_cast<uint32_t>(GetTickCount());
  g_random.seeded = true;
}

uint32_t Step() {
  g_random.s = g_random.s * 134775813u + 1u;
  return g_random.s;
}

// A whole number in 0..n-1.
uint32_t Below(uint32_t n) {
  return static_cast<uint32_t>((static_cast<uint64_t>(Step()) * n) >> 32);
}

}  // namespace

void FuncHex(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t v;
  if (OneInt(sink, args, result, v)) SetTextResult(result, L"0x" + Lower(Int64ToHex(v, 2)));
}

void FuncBin(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t v;
  if (OneInt(sink, args, result, v)) SetTextResult(result, L"0b" + Int64ToBin(v, 2));
}

void FuncOct(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t v;
  if (OneInt(sink, args, result, v)) SetTextResult(result, L"0o" + Int64ToOct(v, 2));
}

void FuncRoman(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t v;
  if (!OneInt(sink, args, result, v)) return;
  if (v < -kRomanLimit || v > kRomanLimit) {
    ReportMessage(sink, msg::RomanRange);  // the result stays Empty
    return;
  }
  SetTextResult(result, IntToRoman(v));
}

void FuncDecimal(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t v;
  if (OneInt(sink, args, result, v)) SetTextResult(result, std::to_wstring(v));
}

void FuncRgb(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long n = ArgCount(args);
  if (n == 3) {
    int64_t r = Int64ArgAt(args, 0, sink);
    int64_t g = Int64ArgAt(args, 1, sink);
    int64_t b = Int64ArgAt(args, 2, sink);
    if (ErrorPending(sink)) return;
    auto inByte = [](int64_t c) { return c >= 0 && c <= 255; };
    if (!inByte(r) || !inByte(g) || !inByte(b)) {
      ReportMessageFmt(sink, msg::OutOfRangeFmt, L"rgb");  // the result stays Empty
      return;
    }
    VariantClear(result);
    result->vt = VT_I4;
    result->lVal = static_cast<LONG>(r * 65536 + g * 256 + b);
  } else if (n == 1) {
    int64_t v = Int64ArgAt(args, 0, sink);
    if (ErrorPending(sink)) return;
    if (v < 0 || v > 0xFFFFFF) {
      ReportMessage(sink, msg::RgbValueRange);
      return;
    }
    SetTextResult(result, L"'(" + GetMessageText(10064) + L": " + std::to_wstring((v >> 16) & 255) +
                              L", " + GetMessageText(10065) + L": " +
                              std::to_wstring((v >> 8) & 255) + L", " + GetMessageText(10066) +
                              L": " + std::to_wstring(v & 255) + L")'");
  } else {
    ReportCountError3(sink, result, n);
  }
}

// Seeded once from the clock, then stepped: two calls in one recalculation differ.
void FuncRandom(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  long n = ArgCount(args);
  if (n < 0 || n > 2) {
    ReportCountError2(sink, result, n);
    return;
  }
  long double a = 0, b = 0;
  if (n >= 1) {
    a = FloatArgAt(args, 0, sink);
    if (ErrorPending(sink)) return;
  }
  if (n == 2) {
    b = FloatArgAt(args, 1, sink);
    if (ErrorPending(sink)) return;
  }
  SeedOnce();
  long double r;
  if (n == 0) {
    r = static_cast<long double>(Step()) / 4294967296.0L;
  } else {
    long double k = Below(2147483647u);
    r = n == 1 ? k * a / 2147483647 : k * (b - a) / 2147483647 + a;
  }
  SetFloatResult(result, r);
}

void FuncGuid(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  if (ArgCount(args) != 0) {
    ReportTooManyArgs(sink, result);
    return;
  }
  GUID g;
  Check(CoCreateGuid(&g));
  wchar_t text[64];
  if (!StringFromGUID2(g, text, 64)) RaiseFault(L"GUID could not be written");
  SetTextResult(result, text);
}

// The system's text for an error code, on one line and in double quotes; "" when it has none.
void FuncWinerror(IErrorEvents* sink, ISettings*, IArguments* args, VARIANT* result) {
  int64_t code;
  if (!OneInt(sink, args, result, code)) return;
  if (code < 0 || code > 0xFFFFFFFFLL) RaiseFault(L"Range check error");
  wchar_t* buffer = nullptr;
  DWORD len = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, static_cast<DWORD>(code), 0,
                             reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (len && buffer) text.assign(buffer, len);
  if (buffer) LocalFree(buffer);
  for (wchar_t& c : text)
    if (c <= 31) c = L' ';
  size_t first = text.find_first_not_of(L' ');
  size_t last = text.find_last_not_of(L' ');
  text = first == std::wstring::npos ? std::wstring() : text.substr(first, last - first + 1);
  SetTextResult(result, L"\"" + text + L"\"");
}

}  // namespace evalkern
