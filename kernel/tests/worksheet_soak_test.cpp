// Thousands of random worksheets through the registered worksheet interpreter: whatever the
// text, every call succeeds, and the output has exactly one line for every worksheet line.
#include <windows.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "Evalkern.h"
#include "WorksheetGenerator.h"
#include "WorksheetTestKit.h"
#include "WorksheetText.h"

using Microsoft::WRL::ComPtr;

namespace {

size_t CountOutputLines(const std::wstring& out) {
  size_t lines = 1;
  for (size_t i = 0; i + 1 < out.size(); ++i)
    if (out[i] == L'\r' && out[i + 1] == L'\n') ++lines;
  return lines;
}

void CheckWorksheet(IMultiLinesInterpreterOrlen* interp, const std::wstring& text) {
  ASSERT_HRESULT_SUCCEEDED(worksheetkit::PutText(interp, text));
  VARIANT_BOOL ok;
  ASSERT_HRESULT_SUCCEEDED(interp->Parsing(&ok));
  ASSERT_HRESULT_SUCCEEDED(interp->Calc(&ok));
  VARTYPE vt = VT_EMPTY;
  std::wstring out;
  ASSERT_HRESULT_SUCCEEDED(worksheetkit::GetOutput(interp, &vt, &out));
  ASSERT_EQ(VT_BSTR, vt);
  ASSERT_EQ(evalkern::SplitWorksheetLines(text).size(), CountOutputLines(out)) << "text: " << text.substr(0, 400);
  // Only the line breaks between lines: no bare CR or LF inside a line's results.
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] == L'\r') ASSERT_TRUE(i + 1 < out.size() && out[i + 1] == L'\n');
    if (out[i] == L'\n') ASSERT_TRUE(i > 0 && out[i - 1] == L'\r');
  }
}

TEST(WorksheetSoak, RandomWorksheetsAlwaysGiveOneResultLinePerLine) {
  ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  {
    ComPtr<IMultiLinesInterpreterOrlen> interp;
    ASSERT_HRESULT_SUCCEEDED(worksheetkit::NewWorksheetInterpreter(&interp));
    worksheetgen::Generator gen(20261210);
    for (int round = 0; round < 1500; ++round) {
      std::wstring text;
      int lines = 1 + gen.Pick(12);
      for (int i = 0; i < lines; ++i) {
        if (i) text += gen.Pick(5) == 0 ? L"\r" : gen.Pick(2) ? L"\r\n" : L"\n";
        text += gen.Pick(2) ? gen.RealisticLine(i) : gen.WildLine(60);
      }
      CheckWorksheet(interp.Get(), text);
      if (HasFatalFailure()) break;
    }
    // Very long lines: many statements, deep nesting, long operator chains.
    std::wstring manyStatements, deep, chain;
    for (int i = 0; i < 3000; ++i) manyStatements += L"1+" + std::to_wstring(i) + L";";
    for (int i = 0; i < 2000; ++i) deep += L"(";
    deep += L"1";
    for (int i = 0; i < 2000; ++i) deep += L")";
    for (int i = 0; i < 5000; ++i) chain += L"1+";
    chain += L"1";
    for (const std::wstring& text : {manyStatements, deep, chain, gen.WildLine(20000)})
      CheckWorksheet(interp.Get(), text);
  }
  CoUninitialize();
}

}  // namespace
