// The formula reader behind mol as pure functions: the element table, the tokenizer, the
// right-to-left evaluation with its counts and brackets, and every fault it reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArgAccess.h"
#include "MolarMass.h"

using namespace evalkern;

TEST(ElementTable, SymbolsAreCaseSensitiveAndComplete) {
  double m = 0;
  EXPECT_TRUE(ElementMass(L"Co", m));
  EXPECT_DOUBLE_EQ(m, 58.9332);
  EXPECT_TRUE(ElementMass(L"He", m));
  EXPECT_DOUBLE_EQ(m, 4.002602);
  EXPECT_TRUE(ElementMass(L"U", m));
  EXPECT_DOUBLE_EQ(m, 238);
  for (const wchar_t* absent : {L"CO", L"co", L"h", L"Xx", L"J", L"", L"Hee"})
    EXPECT_FALSE(ElementMass(absent, m)) << absent;

  // Every one- and two-letter symbol the table knows: 14 + 97 = 111.
  int count = 0;
  for (wchar_t a = L'A'; a <= L'Z'; ++a) {
    if (ElementMass(std::wstring(1, a), m)) ++count;
    for (wchar_t b = L'a'; b <= L'z'; ++b)
      if (ElementMass(std::wstring{a, b}, m)) ++count;
  }
  EXPECT_EQ(count, 111);
}

TEST(FormulaTokenizer, RunsBracketsAndSeparators) {
  std::vector<FormulaToken> t;
  FormulaError e;
  ASSERT_TRUE(TokenizeFormula(L" NaCl*2-[Fe(CN)6]\u00a012\t", t, e));
  std::wstring seen;
  for (const FormulaToken& k : t) {
    const wchar_t* kinds = L"LNOC";
    seen += kinds[k.kind];
    seen += L':' + k.text + L' ';
  }
  EXPECT_EQ(seen, L"L:NaCl N:2 O:[ L:Fe O:( L:CN C:) N:6 C:] N:12 ");

  for (const wchar_t* bad : {L"H$O", L"H2O.", L"H\u00e9", L"H2O#"}) {
    ASSERT_FALSE(TokenizeFormula(bad, t, e)) << bad;
    EXPECT_EQ(e.id, 14044) << bad;
    EXPECT_EQ(e.arg.size(), 1u);
  }
  TokenizeFormula(L"H\u00e9O", t, e);
  EXPECT_EQ(e.arg, L"\u00e9");
}

TEST(MolarMassOf, CountsBracketsAndNesting) {
  struct Case {
    const wchar_t* formula;
    double mass;
  } cases[] = {
      {L"", 0},
      {L"  ", 0},
      {L"H", 1.00795},
      {L"H2O", 2 * 1.00795 + 15.9994},
      {L"CO", 12.0108 + 15.9994},
      {L"Co", 58.9332},
      {L"CO2", 12.0108 + 2 * 15.9994},  // the count belongs to the element right before it
      {L"H2SO4", 2 * 1.00795 + 32.06 + 4 * 15.9994},
      {L"NaCl", 22.98977 + 35.453},
      {L"Ca(OH)2", 40.08 + 2 * (15.9994 + 1.00795)},
      {L"Ca[OH]2", 40.08 + 2 * (15.9994 + 1.00795)},
      {L"Ca(OH]2", 40.08 + 2 * (15.9994 + 1.00795)},  // the shapes need not match
      {L"(NH4)2SO4", 2 * (14.0067 + 4 * 1.00795) + 32.06 + 4 * 15.9994},
      {L"K4[Fe(CN)6]", 4 * 39.0983 + 55.847 + 6 * (12.0108 + 14.0067)},
      {L"[[H]2]3", 6 * 1.00795},
      {L"C6H12O6", 6 * 12.0108 + 12 * 1.00795 + 6 * 15.9994},
      {L"H0", 0},
  };
  for (const Case& c : cases) {
    double m = -1;
    FormulaError e;
    ASSERT_TRUE(MolarMass(c.formula, m, e)) << c.formula << " fails with " << e.id;
    EXPECT_NEAR(m, c.mass, 1e-9) << c.formula;
  }
  // Held and summed as doubles: water shows as 18.0153 to 15 digits, not a float's 18.01529...
  double water = 0;
  FormulaError e;
  MolarMass(L"H2O", water, e);
  EXPECT_EQ(RoundTo15Digits(water), 18.0153L);
}

TEST(MolarMassOf, FaultsAndTheirIds) {
  struct Case {
    const wchar_t* formula;
    int id;
    const wchar_t* arg;
  } cases[] = {
      {L"2H", 14061, L""},      {L"H2 3", 14060, L""},     {L"(2H)", 14063, L""},
      {L"(H", 14059, L""},      {L"H(", 14059, L""},       {L"H)", 14058, L""},
      {L")", 14058, L""},       {L"()", 14027, L""},       {L"H()", 14027, L""},
      {L"(H))", 14046, L""},    {L"((H)", 14059, L""},     {L"h", 14062, L"h"},
      {L"NaXy", 14062, L"Xy"},  {L"HeLLo", 14062, L"LLo"}, {L"H2O$", 14044, L"$"},
      {L"H\xD83D\xDE00O", 14044, L"\xD83D\xDE00"},
      // Read from the right, so of several faults the rightmost one is reported.
      {L"h2o", 14062, L"o"},    {L"2Xx", 14062, L"Xx"},    {L"(2H)o", 14062, L"o"},
  };
  for (const Case& c : cases) {
    double m = 0;
    FormulaError e;
    EXPECT_FALSE(MolarMass(c.formula, m, e)) << c.formula;
    EXPECT_EQ(e.id, c.id) << c.formula;
    EXPECT_EQ(e.arg, c.arg) << c.formula;
  }
}

TEST(MolarMassOf, DeepNestingDoesNotExhaustTheStack) {
  const int depth = 200000;
  std::wstring f = std::wstring(depth, L'(') + L"H" + std::wstring(depth, L')');
  double m = 0;
  FormulaError e;
  ASSERT_TRUE(MolarMass(f, m, e));
  EXPECT_DOUBLE_EQ(m, 1.00795);
  ASSERT_FALSE(MolarMass(f + L")", m, e));
  EXPECT_EQ(e.id, 14046);
}
