#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Format.h"
#include "KernelObject.h"
#include "Messages.h"
#include "Precision.h"

using namespace evalkern;

namespace {

// ---- test doubles: an error sink that records what is put on it, and plain settings ----

class RecordingSink : public IErrorEvents {
 public:
  VARIANT_BOOL flag = VARIANT_FALSE;
  std::wstring text;
  std::vector<std::wstring> log;  // "flag=<v>" and "text=<t>", in call order

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IErrorEvents) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP get_ErrorFlag(VARIANT_BOOL* v) override {
    *v = flag;
    return S_OK;
  }
  STDMETHODIMP put_ErrorFlag(VARIANT_BOOL v) override {
    flag = v;
    log.push_back(L"flag=" + std::to_wstring(v));
    return S_OK;
  }
  STDMETHODIMP get_ErrorText(BSTR* v) override {
    *v = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
  }
  STDMETHODIMP put_ErrorText(BSTR v) override {
    text = v ? std::wstring(v, SysStringLen(v)) : std::wstring();
    log.push_back(L"text=" + text);
    return S_OK;
  }
};

class PlainSettings : public ISettings {
 public:
  TFormatOut integerFormat = foDecimal;
  std::wstring intPicture, floatPicture;
  bool failReads = false;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_ISettings) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP get_AngleMeasurement(TAngleMeasurement* v) override {
    *v = amRadian;
    return S_OK;
  }
  STDMETHODIMP put_AngleMeasurement(TAngleMeasurement) override { return E_NOTIMPL; }
  STDMETHODIMP get_IntegerFormatOut(TFormatOut* v) override {
    *v = integerFormat;
    return S_OK;
  }
  STDMETHODIMP put_IntegerFormatOut(TFormatOut) override { return E_NOTIMPL; }
  STDMETHODIMP get_IntFormatStr(BSTR* v) override { return Give(intPicture, v); }
  STDMETHODIMP put_IntFormatStr(BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP get_FloatFormatOut(TFormatOut* v) override {
    *v = foDecimal;
    return S_OK;
  }
  STDMETHODIMP put_FloatFormatOut(TFormatOut) override { return E_NOTIMPL; }
  STDMETHODIMP get_FloatFormatStr(BSTR* v) override { return Give(floatPicture, v); }
  STDMETHODIMP put_FloatFormatStr(BSTR) override { return E_NOTIMPL; }

 private:
  HRESULT Give(const std::wstring& s, BSTR* v) {
    if (failReads) return E_FAIL;
    *v = SysAllocString(s.c_str());
    return S_OK;
  }
};

struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
};

Variant I8(int64_t x) {
  Variant r;
  r.v.vt = VT_I8;
  r.v.llVal = x;
  return r;
}
Variant R8(double x) {
  Variant r;
  r.v.vt = VT_R8;
  r.v.dblVal = x;
  return r;
}

// ---- the general float format ----

TEST(FloatToGeneralText, FifteenSignificantDigitsAndTheSwitchToExponentForm) {
  X87Precision precision;
  struct {
    long double x;
    const wchar_t* text;
  } cases[] = {
      {0.0L, L"0"},
      {1.0L, L"1"},
      {-2.5L, L"-2.5"},
      {0.1L + 0.2L, L"0.3"},
      {0.1 + 0.2, L"0.3"},  // in double the sum is 0.30000000000000004
      {1.0L / 3, L"0.333333333333333"},
      {2.0L / 3, L"0.666666666666667"},
      {-2.0L / 3, L"-0.666666666666667"},
      {123456789012345.0L, L"123456789012345"},  // 15 integer digits stay fixed
      {1234567890123456.0L, L"1.23456789012346E15"},
      {9.22337203685478e18L, L"9.22337203685478E18"},
      {9223372036854775807.0L, L"9.22337203685478E18"},
      {1e15L, L"1E15"},
      {999999999999999.0L, L"999999999999999"},
      {999999999999999.5L, L"1E15"},  // rounding carries into a new digit
      {0.0001L, L"0.0001"},
      {0.00012345L, L"0.00012345"},
      {0.00001L, L"1E-5"},
      {0.000099999999999999999L, L"0.0001"},
      {-1.5e-300L, L"-1.5E-300"},
      {1e308L, L"1E308"},
      {1.7976931348623157e308L, L"1.79769313486232E308"},
      {1e4000L, L"1E4000"},
      {std::numeric_limits<long double>::denorm_min(), L"3.64519953188247E-4951"},
      {std::numeric_limits<long double>::infinity(), L"INF"},
      {-std::numeric_limits<long double>::infinity(), L"-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), L"NAN"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToGeneralText(c.x), c.text) << static_cast<double>(c.x);
}

TEST(ExactDecimal, DigitsAndRounding) {
  DecimalDigits d = ExactDecimal(0.125L);
  EXPECT_EQ(d.digits, "125");
  EXPECT_EQ(d.exponent, 0);
  RoundDigits(d, 2);  // half away from zero
  EXPECT_EQ(d.digits, "13");
  d = ExactDecimal(0.1);  // the double nearest to 0.1, exactly
  EXPECT_EQ(d.digits, "1000000000000000055511151231257827021181583404541015625");
  EXPECT_EQ(d.exponent, 0);
  d = ExactDecimal(-96.0L);
  EXPECT_TRUE(d.negative);
  EXPECT_EQ(d.digits, "96");
  EXPECT_EQ(d.exponent, 2);
  RoundDigits(d, 0);
  EXPECT_EQ(d.digits, "1");
  EXPECT_EQ(d.exponent, 3);
  d = ExactDecimal(0.04L);
  RoundDigits(d, -1);
  EXPECT_TRUE(d.digits.empty());
}

// ---- format pictures ----

TEST(FormatFloatPicture, Pictures) {
  X87Precision precision;
  PictureSeparators seps;  // "." and ","
  struct {
    long double x;
    const wchar_t* picture;
    const wchar_t* text;
  } cases[] = {
      {1.5L, L"0.000E+00", L"1.500E+00"},
      {1234.5L, L"0.00E+00", L"1.23E+03"},
      {0.00012L, L"0.0E-0", L"1.2E-4"},
      {12345.0L, L"0.0E-0", L"1.2E4"},
      {12345.0L, L"00.0E+0", L"12.3E+3"},
      {-5.0L, L"0.00", L"-5.00"},
      {3.14159L, L"0.00", L"3.14"},
      {0.125L, L"0.00", L"0.13"},  // an exact half rounds away from zero
      {0.5L, L"#.##", L".5"},
      {5.0L, L"#.##", L"5"},
      {0.0L, L"#.##", L"0"},
      {0.0L, L"0.00", L"0.00"},
      {7.0L, L"000", L"007"},
      {1234.0L, L"0", L"1234"},
      {1234567.891L, L"#,##0.00", L"1,234,567.89"},
      {999.999L, L"#,##0.00", L"1,000.00"},
      {123.0L, L"#,##0", L"123"},
      {1234567.0L, L"#,#", L"1,234,567"},
      {42.0L, L"'n = '0", L"n = 42"},
      {42.0L, L"0\" kg\"", L"42 kg"},
      {42.0L, L"0 units", L"42 units"},
      {-3.0L, L"0.0;(0.0);zero", L"(3.0)"},
      {3.0L, L"0.0;(0.0);zero", L"3.0"},
      {0.0L, L"0.0;(0.0);'nothing'", L"nothing"},
      {0.01L, L"0.0;(0.0);zero", L"zero"},  // rounds to zero
      {-0.01L, L"0.0", L"0.0"},               // no "-0.0"
      {-3.0L, L"0.0;;zero", L"-3.0"},          // empty negative section: the positive one
      {0.5L, L"0", L"1"},
      {1e20L, L"0", L"100000000000000000000"},
      {std::numeric_limits<long double>::infinity(), L"0.00", L"INF"},
      {-std::numeric_limits<long double>::infinity(), L"0.00", L"-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloatPicture(c.x, c.picture, seps), c.text) << c.picture;
  PictureSeparators spaced;
  spaced.thousands = L"\u00a0";
  EXPECT_EQ(FormatFloatPicture(1234567.0L, L"#,##0", spaced), L"1\u00a0234\u00a0567");
}

// Any picture a user may type formats without failing: odd mixes of the picture characters.
TEST(FormatFloatPicture, OddPicturesNeverFail) {
  std::mt19937 rng(12345);
  const std::wstring alphabet = L"0#.,Ee+-;'\" x";
  const long double values[] = {0, 1, -1, 0.5L, -0.05L, 1234567.891L, 1e-30L, 1e30L, -1e300L};
  for (int i = 0; i < 3000; ++i) {
    std::wstring picture;
    for (int k = static_cast<int>(rng() % 12); k > 0; --k) picture += alphabet[rng() % alphabet.size()];
    for (long double v : values) EXPECT_NO_THROW(FormatFloatPicture(v, picture)) << picture;
  }
}

// ---- integers in the five notations ----

TEST(FormatInteger, Notations) {
  struct {
    int64_t v;
    long notation;
    const wchar_t* picture;
    std::wstring text;
  } cases[] = {
      {0, foDecimal, L"", L"0"},
      {-42, foDecimal, L"", L"-42"},
      {std::numeric_limits<int64_t>::min(), foDecimal, L"", L"-9223372036854775808"},
      {-5, foDecimal, L"0.00", L"-5.00"},
      {std::numeric_limits<int64_t>::min(), foDecimal, L"#,##0", L"-9,223,372,036,854,775,808"},
      {1234, foDecimal, L" 0 'ABC' ", L"1234 abc"},  // trimmed, then lower-cased
      {5, foBinary, L"", L"0b101"},
      {1, foBinary, L"", L"0b01"},
      {-5, foBinary, L"", L"0b" + std::wstring(61, L'1') + L"011"},
      {0, foHex, L"", L"0x00"},
      {10, foHex, L"", L"0x0a"},
      {-1, foHex, L"", L"0x" + std::wstring(16, L'f')},
      {5, foOct, L"", L"0o05"},
      {-1, foOct, L"", L"0o1" + std::wstring(21, L'7')},
      {1994, foRoman, L"", L"0rMCMXCIV"},
      {-4, foRoman, L"", L"-0rIV"},
      {0, foRoman, L"", L"0r"},
      {100000, foRoman, L"", L"0r" + std::wstring(100, L'M')},
      {100001, foRoman, L"", L"100001"},
      {-100001, foRoman, L"'N'0", L"-N100001"},  // fallback keeps its case
      {7, 9, L"", L"0rVII"},                      // larger values count as Roman
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatInteger(c.v, c.notation, c.picture), c.text) << c.v << " " << c.notation;
  try {
    FormatInteger(1, -1, L"");
    ADD_FAILURE();
  } catch (const KernelError& e) {
    EXPECT_EQ(e.text, L"Range check error");
  }
}

TEST(FormatFloat, LowerCaseAndNonFinite) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(FormatFloat(1e-5, L""), L"1e-5");
  EXPECT_EQ(FormatFloat(1e15, L""), L"1e15");
  EXPECT_EQ(FormatFloat(1.5, L"0.000E+00"), L"1.500e+00");
  EXPECT_EQ(FormatFloat(inf, L""), L"inf");
  EXPECT_EQ(FormatFloat(-inf, L"0.00"), L"-inf");
  EXPECT_EQ(FormatFloat(std::numeric_limits<double>::quiet_NaN(), L""), L"nan");
}

// ---- FormatValue ----

TEST(FormatValue, EveryVariantTypeWithoutSinkOrSettings) {
  Variant v;
  EXPECT_EQ(FormatValue(v.v, nullptr, nullptr), L"Empty");
  v.v.vt = VT_NULL;
  EXPECT_EQ(FormatValue(v.v, nullptr, nullptr), L"Null");
  struct {
    VARTYPE vt;
    int64_t raw;  // stored into the member of that type
    const wchar_t* text;
  } ints[] = {
      {VT_I2, -7, L"-7"}, {VT_I4, -70000, L"-70000"}, {VT_I1, -8, L"-8"},
      {VT_UI1, 200, L"200"}, {VT_UI2, 60000, L"60000"}, {VT_UI4, 4000000000LL, L"4000000000"},
      {VT_I8, -9000000000000000000LL, L"-9000000000000000000"},
  };
  for (const auto& c : ints) {
    Variant x;
    x.v.vt = c.vt;
    switch (c.vt) {
      case VT_I2: x.v.iVal = static_cast<SHORT>(c.raw); break;
      case VT_I4: x.v.lVal = static_cast<LONG>(c.raw); break;
      case VT_I1: x.v.cVal = static_cast<CHAR>(c.raw); break;
      case VT_UI1: x.v.bVal = static_cast<BYTE>(c.raw); break;
      case VT_UI2: x.v.uiVal = static_cast<USHORT>(c.raw); break;
      case VT_UI4: x.v.ulVal = static_cast<ULONG>(c.raw); break;
      default: x.v.llVal = c.raw; break;
    }
    EXPECT_EQ(FormatValue(x.v, nullptr, nullptr), c.text) << c.vt;
  }
  EXPECT_EQ(FormatValue(R8(0.0001).v, nullptr, nullptr), L"0.0001");
  EXPECT_EQ(FormatValue(R8(0.00001).v, nullptr, nullptr), L"1e-5");
  EXPECT_EQ(FormatValue(R8(1e15).v, nullptr, nullptr), L"1e15");
  EXPECT_EQ(FormatValue(R8(123456789012345.0).v, nullptr, nullptr), L"123456789012345");
  EXPECT_EQ(FormatValue(R8(0.1 + 0.2).v, nullptr, nullptr), L"0.3");
  Variant r4;
  r4.v.vt = VT_R4;
  r4.v.fltVal = 0.5f;
  EXPECT_EQ(FormatValue(r4.v, nullptr, nullptr), L"0.5");
  Variant cy;
  cy.v.vt = VT_CY;
  cy.v.cyVal.int64 = -12345;  // -1.2345
  EXPECT_EQ(FormatValue(cy.v, nullptr, nullptr), L"-1.2345");

  Variant s;
  s.v.vt = VT_BSTR;
  s.v.bstrVal = SysAllocString(L"Gr\u00fc\u00dfe \u4e16\u754c \u0394");  // kept in UTF-16
  EXPECT_EQ(FormatValue(s.v, nullptr, nullptr), L"Gr\u00fc\u00dfe \u4e16\u754c \u0394");
  Variant ansi;
  ansi.v.vt = 256;
  ansi.v.byref = const_cast<char*>("narrow");
  EXPECT_EQ(FormatValue(ansi.v, nullptr, nullptr), L"narrow");
  ansi.v.vt = VT_EMPTY;

  struct {
    VARTYPE vt;
    const wchar_t* text;
  } named[] = {{VT_DISPATCH, L"IDispatch"}, {VT_ERROR, L"Error"}, {VT_VARIANT, L"Variant"},
               {VT_UNKNOWN, L"IUnknown"}};
  for (const auto& c : named) {
    VARIANT x;
    VariantInit(&x);
    x.vt = c.vt;  // payload not looked at; not cleared
    EXPECT_EQ(FormatValue(x, nullptr, nullptr), c.text);
  }
  Variant b;
  b.v.vt = VT_BOOL;
  b.v.boolVal = VARIANT_TRUE;
  EXPECT_EQ(FormatValue(b.v, nullptr, nullptr), L"true");
  b.v.boolVal = VARIANT_FALSE;
  EXPECT_EQ(FormatValue(b.v, nullptr, nullptr), L"false");

  // types no evaluation produces: the message for an unknown result type
  for (VARTYPE vt : {VARTYPE(VT_I4 | VT_BYREF), VARTYPE(VT_I4 | VT_ARRAY), VARTYPE(VT_DECIMAL),
                     VARTYPE(VT_UI8), VARTYPE(VT_INT)}) {
    VARIANT x;
    VariantInit(&x);
    x.vt = vt;
    EXPECT_EQ(FormatValue(x, nullptr, nullptr), GetMessageText(14029)) << vt;
  }
}

TEST(FormatValue, DateShowsTheTimeOfDay) {
  Variant d;
  d.v.vt = VT_DATE;
  d.v.date = 45000.75;  // 18:00
  SYSTEMTIME st = {};
  st.wYear = 2023;
  st.wMonth = 3;
  st.wDay = 15;
  st.wHour = 18;
  wchar_t buf[64];
  int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, 64);
  ASSERT_GT(n, 0);
  EXPECT_EQ(FormatValue(d.v, nullptr, nullptr), std::wstring(buf));
}

TEST(FormatValue, SettingsChooseNotationAndPictures) {
  PlainSettings settings;
  settings.integerFormat = foHex;
  EXPECT_EQ(FormatValue(I8(255).v, nullptr, &settings), L"0xff");
  settings.integerFormat = foBinary;
  EXPECT_EQ(FormatValue(I8(5).v, nullptr, &settings), L"0b101");
  settings.integerFormat = foOct;
  EXPECT_EQ(FormatValue(I8(8).v, nullptr, &settings), L"0o10");
  settings.integerFormat = foRoman;
  EXPECT_EQ(FormatValue(I8(100000).v, nullptr, &settings), L"0r" + std::wstring(100, L'M'));
  EXPECT_EQ(FormatValue(I8(100001).v, nullptr, &settings), L"100001");
  settings.integerFormat = foDecimal;
  settings.intPicture = L"0.00";
  EXPECT_EQ(FormatValue(I8(-5).v, nullptr, &settings), L"-5.00");
  settings.intPicture = L"#,##0";  // grouping with the user's separator
  const std::wstring sep = LocaleSeparators().thousands;
  EXPECT_EQ(FormatValue(I8(1234567).v, nullptr, &settings), L"1" + sep + L"234" + sep + L"567");
  settings.floatPicture = L"0.000E+00";
  EXPECT_EQ(FormatValue(R8(1.5).v, nullptr, &settings), L"1.500e+00");
  EXPECT_EQ(FormatValue(R8(-std::numeric_limits<double>::infinity()).v, nullptr, &settings),
            L"-inf");
}

TEST(FormatValue, ErrorSink) {
  // a set flag wins over every value
  RecordingSink sink;
  sink.flag = VARIANT_TRUE;
  sink.text = L"Unknown identifier";
  EXPECT_EQ(FormatValue(I8(5).v, &sink, nullptr), L"Unknown identifier");
  EXPECT_TRUE(sink.log.empty());

  // an error value shows the sink's text when there is one
  Variant err;
  err.v.vt = VT_ERROR;
  RecordingSink quiet;
  EXPECT_EQ(FormatValue(err.v, &quiet, nullptr), L"Error");
  quiet.text = L"Division by zero";
  EXPECT_EQ(FormatValue(err.v, &quiet, nullptr), L"Division by zero");
  EXPECT_EQ(FormatValue(I8(5).v, &quiet, nullptr), L"5");
}

// A failure while formatting is reported on the sink, flag first, and returned as the text.
TEST(FormatValue, FailuresAreReportedFlagThenText) {
  PlainSettings settings;
  settings.integerFormat = static_cast<TFormatOut>(-1);
  RecordingSink sink;
  EXPECT_EQ(FormatValue(I8(5).v, &sink, &settings), L"Range check error");
  EXPECT_EQ(sink.log, (std::vector<std::wstring>{L"flag=-1", L"text=Range check error"}));
  EXPECT_EQ(FormatValue(I8(5).v, nullptr, &settings), L"Range check error");

  PlainSettings broken;
  broken.failReads = true;
  RecordingSink sink2;
  std::wstring text = FormatValue(R8(1.5).v, &sink2, &broken);
  EXPECT_FALSE(text.empty());
  ASSERT_EQ(sink2.log.size(), 2u);
  EXPECT_EQ(sink2.log[0], L"flag=-1");
  EXPECT_EQ(sink2.log[1], L"text=" + text);
}

}  // namespace
