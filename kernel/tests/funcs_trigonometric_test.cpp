// Trigonometric bodies in each angle unit (exact values at the special angles, poles, inverse
// functions) and the hyperbolic bodies with their domain errors.
#include <cmath>

#include "FuncTestKit.h"

using namespace evalkern;
using namespace evalkern::funckit;

namespace {
const char* kErr = "ERROR:E_INVALIDARG";
}

TEST(TrigFuncs, DegreesAtTheSpecialAngles) {
  FuncSet set;
  set.SetAngle(amDegree);
  RunCallCases(set, {
      {L"sin", {I(0)}, "I8:0"},       {L"sin", {I(30)}, "R8:0.5"},
      {L"sin", {I(45)}, "R8:0.707106781186548"},
      {L"sin", {I(60)}, "R8:0.866025403784439"},
      {L"sin", {I(90)}, "I8:1"},      {L"sin", {I(180)}, "I8:0"},
      {L"sin", {I(270)}, "I8:-1"},    {L"sin", {I(360)}, "I8:0"},
      {L"cos", {I(0)}, "I8:1"},       {L"cos", {I(60)}, "R8:0.5"},
      {L"cos", {I(90)}, "I8:0"},      {L"cos", {I(180)}, "I8:-1"},
      {L"cos", {I(270)}, "I8:0"},     {L"cos", {I(360)}, "I8:1"},
      {L"tan", {I(0)}, "I8:0"},       {L"tan", {I(45)}, "I8:1"},
      {L"tg", {I(135)}, "I8:-1"},     {L"tan", {I(180)}, "I8:0"},
      {L"tan", {I(30)}, "R8:0.577350269189626"},
      {L"tan", {I(90)}, kErr, 14054, L"tan"},     // a pole, not a huge number
      {L"tan", {I(270)}, kErr, 14054, L"tan"},
      {L"ctan", {I(45)}, "I8:1"},     {L"cotg", {I(90)}, "I8:0"},
      {L"ctan", {I(0)}, kErr, 14054, L"ctan"},
      {L"ctg", {I(180)}, kErr, 14054, L"ctan"},
      {L"asin", {I(1)}, "I8:90"},     {L"arcsin", {F(0.5)}, "I8:30"},
      {L"acos", {I(0)}, "I8:90"},     {L"acos", {I(-1)}, "I8:180"},
      {L"atan", {I(1)}, "I8:45"},     {L"actan", {I(0)}, "I8:90"},
      {L"actan", {I(1)}, "I8:45"},
  });
}

TEST(TrigFuncs, GradsAndRadians) {
  FuncSet set;
  set.SetAngle(amGrade);
  RunCallCases(set, {
      {L"sin", {I(100)}, "I8:1"},  {L"sin", {I(200)}, "I8:0"},   {L"cos", {I(100)}, "I8:0"},
      {L"tan", {I(50)}, "I8:1"},   {L"tan", {I(100)}, kErr, 14054, L"tan"},
      {L"asin", {I(1)}, "I8:100"}, {L"acos", {I(0)}, "I8:100"}, {L"atan", {I(1)}, "I8:50"},
  });
  set.SetAngle(amRadian);
  RunCallCases(set, {
      {L"sin", {I(0)}, "I8:0"},
      {L"sin", {F(M_PI)}, "I8:0"},
      {L"cos", {F(M_PI / 2)}, "I8:0"},
      {L"tan", {F(M_PI / 2)}, kErr, 14054, L"tan"},
      {L"sin", {I(1)}, "R8:0.841470984807897"},
      {L"atan", {I(1)}, "R8:0.785398163397448"},
      {L"actan", {I(0)}, "R8:1.5707963267949"},
      {L"asin", {F(1.0000001)}, kErr, 14012},
      {L"acos", {I(-2)}, kErr, 14013},
      {L"asin", {F(NAN)}, kErr, 14012},
      // Beyond 2^63 radians no reduction is possible: an error, never a silent 0.
      {L"sin", {F(1e19)}, kErr, 14054, L"sin"},
      {L"cos", {F(-1e300)}, kErr, 14054, L"cos"},
      {L"sin", {B(true)}, "EMPTY", 14001},
      {L"sin", {I(1), I(2)}, kErr, 14007},
  });
}

// Within about 3e-7 of a multiple of pi the cosine snaps to 1; the tangent is still the quotient
// of the exact sine and cosine, snapped only when it is itself within 5e-14 of 0 or 1. Values
// computed with 50 digits outside the kernel, rounded to the 15 that are shown.
TEST(TrigFuncs, TangentsSnapOnlyTheirOwnResult) {
  FuncSet set;
  set.SetAngle(amRadian);
  RunCallCases(set, {
      {L"tan", {F(3e-7)}, "R8:3.00000000000009e-07"},
      {L"ctan", {F(3e-7)}, "R8:3333333.33333323"},
      {L"sin", {F(3e-7)}, "R8:2.99999999999995e-07"},
      {L"cos", {F(3e-7)}, "I8:1"},
      {L"tan", {F(-2.5e-7)}, "R8:-2.50000000000005e-07"},
      {L"ctan", {F(-2.5e-7)}, "R8:-3999999.99999992"},
      {L"tan", {F(3.1e-7)}, "R8:3.1000000000001e-07"},
      {L"ctan", {F(3.1e-7)}, "R8:3225806.4516128"},
      {L"tan", {F(1e-14)}, "I8:0"},  // the tangent itself within 5e-14 of 0
      {L"ctan", {F(1e-14)}, kErr, 14054, L"ctan"},
  });
  set.SetAngle(amDegree);
  RunCallCases(set, {
      {L"tan", {F(1.7e-5)}, "R8:2.96705972839045e-07"},
      {L"ctan", {F(1.7e-5)}, "R8:3370339.97135768"},
  });
}

TEST(TrigFuncs, TheUnitIsReadAtEveryCall) {
  FuncSet set;
  set.SetAngle(amDegree);
  EXPECT_EQ(set.Call(L"sin", {I(90)}).result, "I8:1");
  set.SetAngle(amGrade);
  EXPECT_EQ(set.Call(L"sin", {I(90)}).result, "R8:0.987688340595138");
  // Without settings the set counts in radians.
  FuncSet bare;
  EXPECT_EQ(bare.Call(L"asin", {I(1)}).result, "R8:1.5707963267949");
}

TEST(HyperbolicFuncs, ValuesAndDomainErrors) {
  FuncSet set;
  set.SetAngle(amDegree);  // plain numbers whatever the unit
  RunCallCases(set, {
      {L"sinh", {I(0)}, "I8:0"},
      {L"sinh", {I(1)}, "R8:1.1752011936438"},
      {L"sinh", {I(12000)}, kErr, 14054, L"sinh"},
      {L"cosh", {I(0)}, "I8:1"},
      {L"cosh", {I(-12000)}, kErr, 14054, L"cosh"},
      {L"tanh", {I(5000)}, "I8:1"},
      {L"tgh", {I(-5000)}, "I8:-1"},
      {L"tanh", {F(0.5)}, "R8:0.46211715726001"},
      {L"ctanh", {I(0)}, kErr, 14054, L"ctanh"},
      {L"ctanh", {F(1e-7)}, "R8:10000000"},
      {L"ctanh", {I(1)}, "R8:1.31303528549933"},
      {L"asinh", {I(0)}, "I8:0"},
      {L"arcsinh", {I(1)}, "R8:0.881373587019543"},
      {L"asinh", {F(-1e10)}, "R8:-23.7189981105004"},  // no cancellation for large negatives
      {L"acosh", {I(1)}, "I8:0"},
      {L"acosh", {I(2)}, "R8:1.31695789692482"},
      {L"acosh", {F(0.5)}, kErr, 14054, L"acosh"},
      {L"atanh", {F(0.5)}, "R8:0.549306144334055"},
      {L"atanh", {I(1)}, kErr, 14054, L"atanh"},
      {L"atanh", {I(2)}, kErr, 14054, L"atanh"},
      {L"actanh", {I(2)}, "R8:0.549306144334055"},
      {L"actanh", {I(-1)}, kErr, 14054, L"actanh"},
      {L"actanh", {F(0.5)}, kErr, 14054, L"actanh"},
  });
}
