// The shared settings object, the kernel's error sink, and the two reporting orders as a host's
// sink sees them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ComTestKit.h"
#include "ErrorEvents.h"
#include "Settings.h"

using namespace evalkern;

TEST(Settings, FreshObjectHasTheDefaults) {
  ISettings* s = NewSettings();
  TAngleMeasurement angle = amGrade;
  TFormatOut intOut = foHex, floatOut = foHex;
  BSTR intStr = nullptr, floatStr = nullptr;
  EXPECT_EQ(s->get_AngleMeasurement(&angle), S_OK);
  EXPECT_EQ(s->get_IntegerFormatOut(&intOut), S_OK);
  EXPECT_EQ(s->get_FloatFormatOut(&floatOut), S_OK);
  EXPECT_EQ(s->get_IntFormatStr(&intStr), S_OK);
  EXPECT_EQ(s->get_FloatFormatStr(&floatStr), S_OK);
  EXPECT_EQ(angle, amRadian);
  EXPECT_EQ(intOut, foDecimal);
  EXPECT_EQ(floatOut, foDecimal);
  ASSERT_NE(intStr, nullptr);  // an empty text, not a null string
  EXPECT_EQ(TakeBstr(intStr), L"");
  EXPECT_EQ(TakeBstr(floatStr), L"");
  EXPECT_EQ(s->Release(), 0u);
}

TEST(Settings, PutsStoreValuesUncheckedAndIndependently) {
  ISettings* s = NewSettings();
  EXPECT_EQ(s->put_AngleMeasurement(static_cast<TAngleMeasurement>(-5)), S_OK);
  EXPECT_EQ(s->put_IntegerFormatOut(static_cast<TFormatOut>(7)), S_OK);
  EXPECT_EQ(s->put_FloatFormatOut(foOct), S_OK);
  BSTR pic = SysAllocString(L"#,##0.00");
  EXPECT_EQ(s->put_FloatFormatStr(pic), S_OK);
  SysFreeString(pic);  // the object keeps its own copy
  EXPECT_EQ(s->put_IntFormatStr(nullptr), S_OK);

  TAngleMeasurement angle;
  TFormatOut intOut, floatOut;
  BSTR intStr = nullptr, floatStr = nullptr;
  s->get_AngleMeasurement(&angle);
  s->get_IntegerFormatOut(&intOut);
  s->get_FloatFormatOut(&floatOut);
  s->get_IntFormatStr(&intStr);
  s->get_FloatFormatStr(&floatStr);
  EXPECT_EQ(angle, -5);
  EXPECT_EQ(intOut, 7);
  EXPECT_EQ(floatOut, foOct);
  EXPECT_EQ(TakeBstr(intStr), L"");
  EXPECT_EQ(TakeBstr(floatStr), L"#,##0.00");
  EXPECT_EQ(s->get_AngleMeasurement(nullptr), E_POINTER);
  EXPECT_EQ(s->get_FloatFormatStr(nullptr), E_POINTER);
  s->Release();
}

TEST(Settings, AnswersOnlyItsOwnInterfaces) {
  ISettings* s = NewSettings();
  IUnknown* unk = nullptr;
  IErrorEvents* sink = nullptr;
  EXPECT_EQ(s->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unk)), S_OK);
  EXPECT_EQ(s->QueryInterface(IID_IErrorEvents, reinterpret_cast<void**>(&sink)), E_NOINTERFACE);
  EXPECT_EQ(sink, nullptr);
  unk->Release();
  EXPECT_EQ(s->Release(), 0u);
}

TEST(ErrorEvents, StartsClearAndKeepsTheTextWhenTheFlagIsCleared) {
  IErrorEvents* e = NewErrorEvents();
  VARIANT_BOOL flag = VARIANT_TRUE;
  BSTR text = nullptr;
  EXPECT_EQ(e->get_ErrorFlag(&flag), S_OK);
  EXPECT_EQ(flag, VARIANT_FALSE);
  EXPECT_EQ(e->get_ErrorText(&text), S_OK);
  EXPECT_EQ(TakeBstr(text), L"");

  ReportTextThenFlag(e, L"Unknown identifier: x");
  e->get_ErrorFlag(&flag);
  EXPECT_EQ(flag, VARIANT_TRUE);
  EXPECT_EQ(e->put_ErrorFlag(VARIANT_FALSE), S_OK);
  e->get_ErrorFlag(&flag);
  e->get_ErrorText(&text);
  EXPECT_EQ(flag, VARIANT_FALSE);
  EXPECT_EQ(TakeBstr(text), L"Unknown identifier: x");

  // Any non-zero flag is stored as given; readers test for non-zero.
  e->put_ErrorFlag(1);
  e->get_ErrorFlag(&flag);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(e->Release(), 0u);
}

namespace {

// A host's sink that records every call and what it saw at that moment.
class RecordingSink : public IErrorEvents {
 public:
  std::vector<std::wstring> calls;
  HRESULT failText = S_OK;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IErrorEvents)) {
      *out = this;
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP get_ErrorFlag(VARIANT_BOOL* v) override { *v = flag_; return S_OK; }
  STDMETHODIMP put_ErrorFlag(VARIANT_BOOL v) override {
    flag_ = v;
    calls.push_back(L"flag " + std::to_wstring(v) + L" with text '" + text_ + L"'");
    return S_OK;
  }
  STDMETHODIMP get_ErrorText(BSTR* v) override { *v = SysAllocString(text_.c_str()); return S_OK; }
  STDMETHODIMP put_ErrorText(BSTR v) override {
    if (FAILED(failText)) return failText;
    text_ = v ? v : L"";
    calls.push_back(L"text '" + text_ + L"'");
    return S_OK;
  }

 private:
  VARIANT_BOOL flag_ = VARIANT_FALSE;
  std::wstring text_;
};

}  // namespace

TEST(ErrorReporting, TheTwoOrdersAsAHostSinkSeesThem) {
  RecordingSink sink;
  ReportTextThenFlag(&sink, L"Unknown identifier: q");
  ASSERT_EQ(sink.calls.size(), 2u);
  EXPECT_EQ(sink.calls[0], L"text 'Unknown identifier: q'");
  EXPECT_EQ(sink.calls[1], L"flag -1 with text 'Unknown identifier: q'");

  sink.calls.clear();
  ReportFlagThenText(&sink, L"Division by zero");
  ASSERT_EQ(sink.calls.size(), 2u);
  // The flag turns on while the previous text is still in place.
  EXPECT_EQ(sink.calls[0], L"flag -1 with text 'Unknown identifier: q'");
  EXPECT_EQ(sink.calls[1], L"text 'Division by zero'");
}

TEST(ErrorReporting, NoSinkIsNoReportAndAFailingSinkRaises) {
  EXPECT_NO_THROW(ReportTextThenFlag(nullptr, L"x"));
  EXPECT_NO_THROW(ReportFlagThenText(nullptr, L"x"));
  RecordingSink sink;
  sink.failText = E_ACCESSDENIED;
  try {
    ReportTextThenFlag(&sink, L"x");
    ADD_FAILURE() << "no failure raised";
  } catch (const KernelError& e) {
    EXPECT_EQ(e.hr, E_ACCESSDENIED);
  }
  EXPECT_TRUE(sink.calls.empty());  // the flag is not set after the text failed
}
