// Molar mass of a chemical formula.
#include "MolarMass.h"

#include <cstdlib>
#include <cwchar>

#include "ArgAccess.h"

namespace evalkern {

namespace {

struct Element {
  const wchar_t* symbol;
  double mass;
};

// Standard atomic masses in g/mol; symbols are compared case-sensitively.
const Element kElements[] = {
    {L"B", 10.812},       {L"C", 12.0108},      {L"F", 18.9984},     {L"H", 1.00795},
    {L"I", 126.9045},     {L"K", 39.0983},      {L"N", 14.0067},     {L"O", 15.9994},
    {L"P", 30.97376},     {L"S", 32.06},        {L"U", 238},         {L"V", 50.9415},
    {L"W", 183.85},       {L"Y", 88.9059},
    {L"Ac", 227},         {L"Ag", 107.868},     {L"Al", 26.98154},   {L"Am", 243},
    {L"Ar", 39.948},      {L"As", 74.9216},     {L"At", 210},        {L"Au", 196.9665},
    {L"Ba", 137.33},      {L"Be", 9.01218},     {L"Bh", 269},        {L"Bi", 208.9},
    {L"Bk", 247},         {L"Br", 79.904},      {L"Ca", 40.08},      {L"Cd", 112.41},
    {L"Ce", 140.1},       {L"Cf", 251},         {L"Cl", 35.453},     {L"Cm", 247},
    {L"Co", 58.9332},     {L"Cr", 51.996},      {L"Cs", 132.9054},   {L"Cu", 63.546},
    {L"Db", 262},         {L"Ds", 271},         {L"Dy", 162.5},      {L"Er", 167.3},
    {L"Es", 252},         {L"Eu", 151.9},       {L"Fe", 55.847},     {L"Fm", 257},
    {L"Fr", 223},         {L"Ga", 69.72},       {L"Gd", 157.3},      {L"Ge", 72.59},
    {L"He", 4.002602},    {L"Hf", 178.49},      {L"Hg", 200.59},     {L"Ho", 164.9},
    {L"Hs", 269},         {L"In", 114.82},      {L"Ir", 192.22},     {L"Kr", 83.8},
    {L"La", 138.9},       {L"Li", 6.9412},      {L"Lr", 262},        {L"Lu", 174.9},
    {L"Md", 258},         {L"Mg", 24.305},      {L"Mn", 54.938},     {L"Mo", 95.94},
    {L"Mt", 268},         {L"Na", 22.98977},    {L"Nb", 92.9064},    {L"Nd", 144.2},
    {L"Ne", 20.179},      {L"Ni", 58.7},        {L"No", 259},        {L"Np", 237},
    {L"Os", 190.2},       {L"Pa", 231},         {L"Pb", 207.2},      {L"Pd", 106.4},
    {L"Pm", 145},         {L"Po", 209},         {L"Pr", 140.9},      {L"Pt", 195.09},
    {L"Pu", 244},         {L"Ra", 226},         {L"Rb", 85.4678},    {L"Re", 186.207},
    {L"Rf", 261},         {L"Rg", 272},         {L"Rh", 102.9055},   {L"Rn", 222},
    {L"Ru", 101.07},      {L"Sb", 121.75},      {L"Sc", 44.9559},    {L"Se", 78.96},
    {L"Sg", 266},         {L"Si", 28.086},      {L"Sm", 150.4},      {L"Sn", 118.69},
    {L"Sr", 87.62},       {L"Ta", 180.9479},    {L"Tb", 158.9},      {L"Tc", 98.9062},
    {L"Te", 127.6},       {L"Th", 232},         {L"Ti", 47.9},       {L"Tl", 204.37},
    {L"Tm", 168.9},       {L"Xe", 131.3},       {L"Yb", 173},        {L"Zn", 65.38},
    {L"Zr", 91.22},
};

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsSeparator(wchar_t c) { return c <= 32 || c == L'*' || c == L'-' || c == 0x00A0; }

// The mass of a run of element symbols read greedily from its start (a two-letter symbol wins
// over a one-letter one), with `count` applied to the last element only.
bool RunMass(const std::wstring& run, double count, double& mass, FormulaError& error) {
  double sum = 0, last = 0;
  for (size_t i = 0; i < run.size();) {
    double m = 0;
    if (i + 1 < run.size() && ElementMass(run.substr(i, 2), m)) {
      i += 2;
    } else if (ElementMass(run.substr(i, 1), m)) {
      i += 1;
    } else {
      error.id = msg::MolUnknownElementFmt;
      error.arg = run.substr(i);
      return false;
    }
    sum += last;
    last = m;
  }
  mass = sum + count * last;
  return true;
}

}  // namespace

bool ElementMass(const std::wstring& symbol, double& mass) {
  for (const Element& e : kElements)
    if (symbol == e.symbol) {
      mass = e.mass;
      return true;
    }
  return false;
}

bool TokenizeFormula(const std::wstring& formula, std::vector<FormulaToken>& tokens,
                     FormulaError& error) {
  tokens.clear();
  for (size_t i = 0; i < formula.size();) {
    wchar_t c = formula[i];
    if (IsSeparator(c)) {
      ++i;
    } else if (c == L'(' || c == L'[') {
      tokens.push_back({FormulaToken::Open, std::wstring(1, c)});
      ++i;
    } else if (c == L')' || c == L']') {
      tokens.push_back({FormulaToken::Close, std::wstring(1, c)});
      ++i;
    } else if (IsDigit(c) || IsAsciiLetter(c)) {
      bool digits = IsDigit(c);
      size_t j = i;
      while (j < formula.size() && (digits ? IsDigit(formula[j]) : IsAsciiLetter(formula[j]))) ++j;
      tokens.push_back({digits ? FormulaToken::Number : FormulaToken::Letters,
                        formula.substr(i, j - i)});
      i = j;
    } else {
      error.id = msg::BadCharacterFmt;
      // a character outside the basic plane is named whole, not by half of its surrogate pair
      const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < formula.size() &&
                        formula[i + 1] >= 0xDC00 && formula[i + 1] <= 0xDFFF;
      error.arg = formula.substr(i, pair ? 2 : 1);
      return false;
    }
  }
  return true;
}

bool MolarMass(const std::wstring& formula, double& mass, FormulaError& error) {
  std::vector<FormulaToken> t;
  if (!TokenizeFormula(formula, t, error)) return false;
  auto fail = [&error](int id) {
    error.id = id;
    error.arg.clear();
    return false;
  };

  // Read from the right: every close bracket opens a frame that its open bracket folds into the
  // frame below, multiplied by the count that stood right after the close bracket. Kept on an
  // explicit stack so that deep nesting cannot exhaust the call stack.
  struct Frame {
    double sum;
    double count;
  };
  std::vector<Frame> frames{{0, 1}};
  double pending = 1;  // the count waiting for the element or group to its left
  for (long p = static_cast<long>(t.size()) - 1; p >= 0; --p) {
    switch (t[p].kind) {
      case FormulaToken::Letters: {
        double m = 0;
        if (!RunMass(t[p].text, pending, m, error)) return false;
        frames.back().sum += m;
        pending = 1;
        break;
      }
      case FormulaToken::Number:
        if (p == 0) return fail(msg::MolStartsWithNumber);
        if (t[p - 1].kind == FormulaToken::Number) return fail(msg::MolTwoNumbers);
        if (t[p - 1].kind == FormulaToken::Open) return fail(msg::MolNumberAfterOpen);
        pending = std::wcstod(t[p].text.c_str(), nullptr);
        break;
      case FormulaToken::Close:
        if (p < 2)
          return fail(p == 1 && t[0].kind == FormulaToken::Open ? msg::EmptyBrackets
                                                                : msg::MolCloseAtStart);
        if (t[p - 1].kind == FormulaToken::Open) return fail(msg::EmptyBrackets);
        frames.push_back({0, pending});
        pending = 1;
        break;
      case FormulaToken::Open: {
        if (frames.size() < 2) return fail(msg::MolOpenNeverClosed);
        Frame inner = frames.back();
        frames.pop_back();
        frames.back().sum += inner.count * inner.sum;
        break;
      }
    }
  }
  if (frames.size() != 1) return fail(msg::UnbalancedBrackets);
  mass = frames.back().sum;
  return true;
}

}  // namespace evalkern
