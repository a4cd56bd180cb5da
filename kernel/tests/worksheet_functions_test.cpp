// The trigonometric, conversion, computer, text, progression and molar-mass functions as a
// worksheet shows them: expression lines in, result texts out, through the registered
// BasicMultiLinesInterpreterOrlen in each angle unit.
#include <windows.h>
#include <gtest/gtest.h>
#include <wrl/client.h>

#include <cmath>
#include <string>
#include <vector>

#include "Evalkern.h"
#include "Messages.h"
#include "WorksheetTestKit.h"

using Microsoft::WRL::ComPtr;
using evalkern::GetMessageText;
using evalkern::GetMessageTextFmt;

namespace {

const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComApartment);

std::string Narrow(const std::wstring& s) {
  std::string r;
  for (wchar_t c : s) r += c < 128 ? static_cast<char>(c) : '?';
  return r;
}

// One worksheet line and the result text it must show; a text beginning with "~" asks for that
// number give or take one unit in the 15th digit.
struct Line {
  std::wstring expression;
  std::wstring shown;
};

class WorksheetFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_HRESULT_SUCCEEDED(worksheetkit::NewWorksheetInterpreter(&interp));
    ASSERT_HRESULT_SUCCEEDED(interp->get_Settings(&settings));
  }

  // Runs the lines as one worksheet and gives the result line of each.
  std::vector<std::wstring> Run(const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& l : lines) text += l + L"\n";
    EXPECT_HRESULT_SUCCEEDED(worksheetkit::PutText(interp.Get(), text));
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_HRESULT_SUCCEEDED(interp->Parsing(&ok));
    EXPECT_HRESULT_SUCCEEDED(interp->Calc(&ok));
    VARTYPE vt = VT_EMPTY;
    std::wstring out;
    EXPECT_HRESULT_SUCCEEDED(worksheetkit::GetOutput(interp.Get(), &vt, &out));
    std::vector<std::wstring> shown;
    for (size_t from = 0;;) {
      size_t end = out.find(L"\r\n", from);
      shown.push_back(out.substr(from, end == std::wstring::npos ? end : end - from));
      if (end == std::wstring::npos) break;
      from = end + 2;
    }
    return shown;
  }

  void Check(TAngleMeasurement unit, const std::vector<Line>& lines) {
    settings->put_AngleMeasurement(unit);
    std::vector<std::wstring> expressions;
    for (const Line& l : lines) expressions.push_back(l.expression);
    std::vector<std::wstring> shown = Run(expressions);
    ASSERT_GE(shown.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::wstring& want = lines[i].shown;
      if (!want.empty() && want[0] == L'~')
        EXPECT_NEAR(std::stod(want.substr(1)), std::stod(shown[i]), 2e-15)
            << Narrow(lines[i].expression);
      else
        EXPECT_EQ(Narrow(want), Narrow(shown[i])) << Narrow(lines[i].expression);
    }
  }

  ComPtr<IMultiLinesInterpreterOrlen> interp;
  ComPtr<ISettings> settings;
};

std::wstring NotFinite(const wchar_t* fn) { return GetMessageTextFmt(14054, fn); }

// sin, cos, tan and ctan at 0, 30, 45, 60, 90, 180, 270 and 360 degrees, written in each unit.
struct SpecialAngle {
  const wchar_t* degrees;
  const wchar_t* radians;
  const wchar_t* grads;
  const wchar_t* sin;
  const wchar_t* cos;
  const wchar_t* tan;   // nullptr: a pole
  const wchar_t* ctan;  // nullptr: a pole
};
const SpecialAngle kSpecialAngles[] = {
    {L"0", L"0", L"0", L"0", L"1", L"0", nullptr},
    {L"30", L"pi/6", L"100/3", L"0.5", L"0.866025403784439", L"0.577350269189626",
     L"1.73205080756888"},
    {L"45", L"pi/4", L"50", L"0.707106781186548", L"0.707106781186548", L"1", L"1"},
    {L"60", L"pi/3", L"200/3", L"0.866025403784439", L"0.5", L"1.73205080756888",
     L"0.577350269189626"},
    {L"90", L"pi/2", L"100", L"1", L"0", nullptr, L"0"},
    {L"180", L"pi", L"200", L"0", L"-1", L"0", nullptr},
    {L"270", L"3*pi/2", L"300", L"-1", L"0", nullptr, L"0"},
    {L"360", L"2*pi", L"400", L"0", L"1", L"0", nullptr},
};

TEST_F(WorksheetFunctions, SpecialAnglesInEveryUnit) {
  struct Unit {
    TAngleMeasurement am;
    const wchar_t* SpecialAngle::*angle;
  } units[] = {{amDegree, &SpecialAngle::degrees},
               {amRadian, &SpecialAngle::radians},
               {amGrade, &SpecialAngle::grads}};
  for (const Unit& u : units) {
    SCOPED_TRACE(u.am);
    std::vector<Line> lines;
    for (const SpecialAngle& a : kSpecialAngles) {
      std::wstring x = a.*(u.angle);
      // pi/4 travels to sin as the double just below it, whose sine is rounded to a double
      // once more before it is shown: the last digit may be one lower.
      bool nearOnly = u.am == amRadian && x == L"pi/4";
      lines.push_back({L"sin(" + x + L")", (nearOnly ? L"~" : L"") + std::wstring(a.sin)});
      lines.push_back({L"cos(" + x + L")", a.cos});
      lines.push_back({L"tan(" + x + L")", a.tan ? a.tan : NotFinite(L"tan")});
      lines.push_back({L"ctan(" + x + L")", a.ctan ? a.ctan : NotFinite(L"ctan")});
    }
    Check(u.am, lines);
  }
}

// Degrees and grads are exact whole numbers however many turns they hold: a million turns (or
// 10^12) on top of a special angle must still show its exact value or its pole.
TEST_F(WorksheetFunctions, WholeTurnsKeepSpecialAnglesExact) {
  struct Unit {
    TAngleMeasurement am;
    const wchar_t* SpecialAngle::*angle;
    const wchar_t* turns[2];
  } units[] = {{amDegree, &SpecialAngle::degrees, {L"360000000+", L"-360000000000000+"}},
               {amGrade, &SpecialAngle::grads, {L"400000000+", L"-400000000000000+"}}};
  for (const Unit& u : units) {
    SCOPED_TRACE(u.am);
    std::vector<Line> lines;
    for (const wchar_t* turns : u.turns) {
      for (const SpecialAngle& a : kSpecialAngles) {
        std::wstring x = a.*(u.angle);
        if (x.find(L'/') != std::wstring::npos) continue;  // not a whole number of units
        x = turns + x;
        lines.push_back({L"sin(" + x + L")", a.sin});
        lines.push_back({L"cos(" + x + L")", a.cos});
        lines.push_back({L"tan(" + x + L")", a.tan ? a.tan : NotFinite(L"tan")});
        lines.push_back({L"ctan(" + x + L")", a.ctan ? a.ctan : NotFinite(L"ctan")});
      }
    }
    Check(u.am, lines);
  }
  // 10^20 degrees is 280 degrees past a whole turn.
  Check(amDegree, {{L"sin(1e20)", L"-0.984807753012208"}, {L"cos(-1e20)", L"0.17364817766693"}});
}

// Large radian values are exact numbers too; every shown digit must be right.
TEST_F(WorksheetFunctions, LargeRadianAnglesShowFifteenCorrectDigits) {
  Check(amRadian, {
      {L"sin(1e6)", L"-0.349993502171293"},
      {L"cos(1e8)", L"-0.363385089355691"},
      {L"sin(1e10)", L"-0.487506025087511"},
      {L"sin(1e15)", L"0.858272793170236"},
      {L"sin(-1e15)", L"-0.858272793170236"},
      {L"cos(-1e15)", L"-0.51319373778697"},
      {L"tan(1e15)", L"-1.67241478212758"},
      {L"sin(1e18)", L"-0.992969320740405"},
      {L"sin(2^62)", L"-0.702922443619209"},
      {L"sin(1e20)", NotFinite(L"sin")},
  });
}

TEST_F(WorksheetFunctions, InverseFunctionsAnswerInTheUnit) {
  Check(amDegree, {
      {L"asin(0.5)", L"30"}, {L"asin(1)", L"90"}, {L"asin(-1)", L"-90"},
      {L"acos(0.5)", L"60"}, {L"acos(0)", L"90"}, {L"acos(-1)", L"180"},
      {L"atan(1)", L"45"},   {L"atan(-1)", L"-45"}, {L"actan(1)", L"45"}, {L"actan(0)", L"90"},
      {L"sin(asin(0.3))", L"0.3"},
      {L"asin(1.0000001)", GetMessageText(14012)},
      {L"acos(-2)", GetMessageText(14013)},
  });
  Check(amGrade, {
      {L"asin(1)", L"100"}, {L"acos(0)", L"100"}, {L"atan(1)", L"50"}, {L"actan(0)", L"100"},
      {L"asin(0.5)", L"33.3333333333333"},
  });
  Check(amRadian, {
      {L"asin(1)", L"1.5707963267949"}, {L"acos(-1)", L"3.14159265358979"},
      {L"atan(1)", L"0.785398163397448"}, {L"actan(0)", L"1.5707963267949"},
      {L"asin(0)", L"0"}, {L"acos(1)", L"0"},
      // near 1, 1 - x^2 must not cancel away the digits of the small angle
      {L"acos(0.99999999)", L"0.000141421356710465"},
      {L"acos(0.9999999999999)", L"4.4728311955344e-7"},
  });
}

TEST_F(WorksheetFunctions, HyperbolicFunctionsIgnoreTheUnit) {
  for (TAngleMeasurement am : {amRadian, amDegree}) {
    SCOPED_TRACE(am);
    Check(am, {
        {L"sinh(1)", L"1.1752011936438"},      {L"sinh(0)", L"0"},
        {L"cosh(1)", L"1.54308063481524"},     {L"cosh(0)", L"1"},
        {L"tanh(0.5)", L"0.46211715726001"},   {L"tanh(5000)", L"1"},
        {L"tanh(-5000)", L"-1"},               {L"ctanh(1)", L"1.31303528549933"},
        {L"asinh(1)", L"0.881373587019543"},   {L"acosh(2)", L"1.31695789692482"},
        {L"atanh(0.5)", L"0.549306144334055"}, {L"actanh(2)", L"0.549306144334055"},
        {L"sinh(12000)", NotFinite(L"sinh")},  {L"ctanh(0)", NotFinite(L"ctanh")},
        {L"acosh(0.5)", NotFinite(L"acosh")},  {L"atanh(2)", NotFinite(L"atanh")},
        {L"atanh(1)", NotFinite(L"atanh")},    {L"actanh(-1)", NotFinite(L"actanh")},
    });
  }
  // Near their zero the formulas subtract nearly equal numbers; every shown digit must survive.
  Check(amRadian, {
      {L"sinh(1e-10)", L"1e-10"},   {L"tanh(-1e-10)", L"-1e-10"},
      {L"asinh(1e-10)", L"1e-10"},  {L"asinh(-1e-10)", L"-1e-10"},
      {L"atanh(1e-10)", L"1e-10"},  {L"actanh(1e10)", L"1e-10"},
      {L"asinh(-1e10)", L"-23.7189981105004"},
      {L"acosh(1.0000000001)", L"1.41421362086759e-5"},
      {L"ctanh(1.1e-6)", L"909090.909091276"},
  });
}

TEST_F(WorksheetFunctions, ConversionsReadBackAsTheSameNumber) {
  Check(amRadian, {
      {L"hex(255)", L"0xff"},
      {L"hex(5)", L"0x05"},
      {L"hex(-1)", L"0xffffffffffffffff"},
      {L"bin(5)", L"0b101"},
      {L"oct(8)", L"0o10"},
      {L"roman(1994)", L"0rMCMXCIV"},
      {L"roman(-4)", L"-0rIV"},
      {L"decimal('0xff')", L"255"},
      {L"decimal(hex(-1))", L"-1"},
      {L"decimal(bin(12345))", L"12345"},
      {L"decimal(oct(-77))", L"-77"},
      {L"decimal(roman(1994))", L"1994"},
      {L"hex(255)+1", L"256"},
      {L"decimal(2.5)", GetMessageText(14002)},
      {L"roman(100001)", GetMessageText(14067)},
      {L"rgb(255, 0, 0)", L"16711680"},
      {L"rgb(0, 0, 255)", L"255"},
      {L"rgb(16711680)", L"'(" + GetMessageText(10064) + L": 255, " + GetMessageText(10065) +
                              L": 0, " + GetMessageText(10066) + L": 0)'"},
      {L"rgb(256, 0, 0)", GetMessageTextFmt(14016, L"rgb")},
      {L"rgb(16777216)", GetMessageText(14017)},
      {L"random() <> random()", L"true"},  // seeded once, then stepped
      {L"winerror(0x2FFFFFF1)", L"\"\""},
  });
}

TEST_F(WorksheetFunctions, ComputerFunctionsKeepTheirShapes) {
  std::vector<std::wstring> shown =
      Run({L"random()", L"random(10)", L"random(5, 6)", L"guid()", L"winerror(2)"});
  double u = std::stod(shown[0]), t = std::stod(shown[1]), w = std::stod(shown[2]);
  EXPECT_TRUE(u >= 0 && u < 1) << u;
  EXPECT_TRUE(t >= 0 && t < 10) << t;
  EXPECT_TRUE(w >= 5 && w < 6) << w;
  ASSERT_EQ(shown[3].size(), 38u);
  EXPECT_EQ(shown[3].front(), L'{');
  EXPECT_EQ(shown[3].back(), L'}');
  const std::wstring& text = shown[4];
  ASSERT_GT(text.size(), 2u);
  EXPECT_EQ(text.front(), L'"');
  EXPECT_EQ(text.back(), L'"');
  EXPECT_NE(text[1], L' ');
  EXPECT_NE(text[text.size() - 2], L' ');
}

TEST_F(WorksheetFunctions, CharBothWays) {
  auto named = [](const wchar_t* prefix, int id) {
    return prefix + GetMessageText(id) + L" */'";
  };
  Check(amRadian, {
      {L"char('A')", L"65"},
      {L"char(' ')", L"32"},
      {L"char('\\n')", L"10"},
      {L"char('\\t')", L"9"},
      {L"char(\"'x'\")", L"120"},
      {L"char(65)", L"'A'"},
      {L"char('\\x41')", L"'A'"},
      {L"char('\\101')", L"'A'"},
      {L"char(10)", named(L"'\\n /* ", 15000)},
      {L"char(13)", named(L"'\\r /* ", 15001)},
      {L"char(0)", named(L"'\\x00 /* ", 15004)},
      {L"char(32)", named(L"' /* ", 15003)},
      {L"char(char('Z'))", L"'Z'"},
      {L"char(256)", GetMessageTextFmt(14016, L"char")},
      {L"char('')", GetMessageText(14066)},
  });
}

TEST_F(WorksheetFunctions, ProgressionsAndMolarMass) {
  Check(amRadian, {
      {L"aprog(1, 2, 3)", L"7"},
      {L"aprogs(1, 2, 3)", L"16"},
      {L"gprog(1, 2, 10)", L"1024"},
      {L"gprogs(1, 2, 3)", L"15"},
      {L"gprogs(1, 1.000000001, 100)", L"101.000005050001"},  // a ratio near 1 keeps its digits
      {L"gprogs(-2, 0.99, 7)", L"-15.451061114416"},
      {L"gprog(1, 0.5, 3)", L"0.125"},
      {L"aprog(1, 2, -1)", GetMessageTextFmt(14056, L"aprog")},
      {L"gprog(10, 10, 5000)", NotFinite(L"gprog")},
      {L"mol('H2O')", L"18.0153"},
      {L"mol('CO2')", L"44.0096"},
      {L"mol('H2SO4')", L"98.0735"},
      {L"mol('Ca(OH)2')", L"74.0947"},
      {L"mol('Ca[OH]2')", L"74.0947"},
      {L"mol('[Cu(NH3)4]SO4')", L"227.7258"},
      {L"mol('')", L"0"},
      {L"mol('h2o')", GetMessageTextFmt(14062, L"o")},
      {L"mol('2H')", GetMessageText(14061)},
      {L"mol('(H')", GetMessageText(14059)},
      {L"mol('H)')", GetMessageText(14058)},
      {L"mol('()')", GetMessageText(14027)},
      {L"mol('(H))')", GetMessageText(14046)},
      {L"mol('H2 3')", GetMessageText(14060)},
      {L"mol('(2H)')", GetMessageText(14063)},
      {L"mol('H+O')", GetMessageTextFmt(14044, L"+")},
      {L"mol(5)", GetMessageTextFmt(14057, L"mol")},
  });
}

}  // namespace
