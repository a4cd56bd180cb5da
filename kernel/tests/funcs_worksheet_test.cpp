// The built-in functions and operators as a user meets them: worksheet text in, result text out,
// through the registered worksheet interpreter with its preloaded built-in sets.
#include <windows.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "Evalkern.h"
#include "Messages.h"
#include "WorksheetTestKit.h"

using Microsoft::WRL::ComPtr;
using evalkern::GetMessageText;
using evalkern::GetMessageTextFmt;

namespace {

const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComApartment);

class BuiltinsInWorksheet : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(worksheetkit::NewWorksheetInterpreter(&interp));
  }

  std::wstring Run(const std::wstring& text) {
    EXPECT_HRESULT_SUCCEEDED(worksheetkit::PutText(interp.Get(), text));
    VARIANT_BOOL ok;
    EXPECT_HRESULT_SUCCEEDED(interp->Parsing(&ok));
    EXPECT_HRESULT_SUCCEEDED(interp->Calc(&ok));
    VARTYPE vt = VT_EMPTY;
    std::wstring s;
    EXPECT_HRESULT_SUCCEEDED(worksheetkit::GetOutput(interp.Get(), &vt, &s));
    return vt == VT_BSTR ? s : L"?";
  }

  void SetAngle(TAngleMeasurement am) {
    ComPtr<ISettings> settings;
    ASSERT_HRESULT_SUCCEEDED(interp->get_Settings(&settings));
    settings->put_AngleMeasurement(am);
  }

  struct Case {
    const wchar_t* text;
    std::wstring output;
  };
  void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) EXPECT_EQ(c.output, Run(c.text)) << c.text;
  }

  ComPtr<IMultiLinesInterpreterOrlen> interp;
};

std::wstring M(int id) { return GetMessageText(id); }
std::wstring M(int id, const wchar_t* arg) { return GetMessageTextFmt(id, arg); }

}  // namespace

TEST_F(BuiltinsInWorksheet, FractionsTravelAsNumbersAndShowFifteenDigits) {
  Check({
      {L"1/3*3", L"1"},
      {L"x := 1/3; x*3", L"0.333333333333333; 1"},
      {L"2/3", L"0.666666666666667"},
      {L"0.1+0.2 = 0.3", L"true"},
      {L"0.1*3 = 0.3", L"true"},
      {L"sqrt(2)^2", L"2"},
      {L"1e-20", L"1e-20"},
      {L"9223372036854775807+1", L"9.22337203685478e18"},
      {L"1e400*10", L"1E401"},
      {L"20!", L"2432902008176640000"},
      {L"21!", L"5.10909421717094e19"},
      {L"10!/9!", L"10"},
  });
}

// A fraction that is shown as a whole number (0.29*100 is 28.999...96) is that whole number
// wherever a whole number is wanted, as it already is in comparisons.
TEST_F(BuiltinsInWorksheet, FractionsShownWholeAreWholeNumbers) {
  Check({
      {L"x := 0.29*100; hex(x)", L"29; 0x1d"},
      {L"int(0.29*100); rounddn(0.29*100); round(0.29*100)", L"29; 29; 29"},
      {L"frac(4.35*100)", L"0"},
      {L"roundup(sqrt(2)^2); roundup(sqrt(2)^2, 0)", L"2; 2"},
      {L"(0.1*3*10) div 2; (0.1*3*10) mod 2", L"1; 1"},
      {L"not (0.1*3*10); 1 shl (0.1*3*10)", L"-4; 8"},
      {L"0.29*100 = 29", L"true"},
      // still fractions as shown
      {L"hex(2.9999999)", M(14002)},
      {L"not 2.5", M(14004)},
      {L"int(2.9999999)", L"2"},
  });
}

TEST_F(BuiltinsInWorksheet, RoundingWithDigitsCutsAtFifteenDigitsFirst) {
  Check({
      {L"rounddn(0.29, 2)", L"0.29"},
      {L"roundup(1.1, 1)", L"1.1"},
      {L"round(2.675, 2)", L"2.68"},
      {L"round(1234, -2)", L"1200"},
      {L"round(-2.5)", L"-3"},
      {L"int(1e30)", L"Integer overflow"},
  });
}

TEST_F(BuiltinsInWorksheet, OperatorsAndTheirErrors) {
  Check({
      {L"2^-2", L"0.25"},
      {L"7 mod -2", L"1"},
      {L"-7 div 2", L"-3"},
      {L"(-9223372036854775807-1) div -1", L"Integer overflow"},
      {L"(-9223372036854775807-1) mod -1", L"Integer overflow"},
      {L"1/0", M(14009)},
      {L"5!", L"120"},
      {L"50%", L"0.5"},
      {L"1 shl 63", L"-9223372036854775808"},
      {L"-1 shr 60", L"15"},
      {L"1 shl 64", L"0"},
      {L"8 shr -1", M(14014)},
      {L"1e19 and 1", M(14004)},
      {L"1e19 shl 1", M(14004)},
      {L"6 & 3", L"2"},
      {L"0x10 and 3", L"0"},
      {L"true xor true", L"false"},
      {L"not 0", L"-1"},
      {L"true = 1", M(14006)},
      {L"'2' < 10", L"true"},
      {L"3 > 2", L"true"},
  });
}

TEST_F(BuiltinsInWorksheet, FunctionsAndTheirErrors) {
  Check({
      {L"if(true, 1, nosuch)", L"1"},  // the branch not taken is never evaluated
      {L"if(1, 2, 3)", M(14003)},
      {L"sum()", L"0"},
      {L"average(1, 2)", L"1.5"},
      {L"stdev(1)", M(14025, L"stdev")},  // no entry takes one: the evaluator reports
      {L"average(1, 'x')", L"'x' is not a valid floating point value"},
      {L"permut(5, 2)", L"20"},
      {L"permut(100000, 3)", L"999970000200000"},  // beyond the factorial table, still exact
      {L"permut(2000, 1999)", M(14054, L"permut")},
      {L"lngamma(0)", M(14064, L"lngamma")},
      {L"sqrt(-1)", M(14015, L"sqrt")},
      {L"ln(0)", M(14010)},
      {L"log(2, 8)", L"3"},
      {L"power(2, 0.5)", L"1.4142135623731"},
      {L"power(-8, 1/3)", M(14054, L"power")},
      {L"sin(pi)", L"0"},
      {L"exp*1", L"2.71828182845905"},
      {L"hex(255)", L"0xff"},
  });
}

TEST_F(BuiltinsInWorksheet, AngleUnitOfTheSettings) {
  SetAngle(amDegree);
  Check({
      {L"sin(30)", L"0.5"},
      {L"tan(45)", L"1"},
      {L"tan(90)", M(14054, L"tan")},
      {L"asin(1)", L"90"},
  });
  SetAngle(amGrade);
  Check({{L"sin(100)", L"1"}, {L"acos(0)", L"100"}});
}
