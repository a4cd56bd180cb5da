// Molar mass of a chemical formula: the element table, the formula tokenizer and the evaluator
// behind `mol`, as pure functions.
#pragma once

#include <string>
#include <vector>

namespace evalkern {

// Atomic mass of an element symbol (case-sensitive: "Co" is cobalt, "CO" is no symbol); false
// when the symbol is not in the table.
bool ElementMass(const std::wstring& symbol, double& mass);

// One token of a formula.
struct FormulaToken {
  enum Kind { Letters, Number, Open, Close } kind;
  std::wstring text;  // the letters or digits; the bracket itself for Open and Close
};

// A failure of the formula: the message id and the text that fills its "%s" (if any).
struct FormulaError {
  int id = 0;
  std::wstring arg;
};

// Splits a formula into tokens. Blanks, control characters, "*", "-" and the no-break space
// separate tokens; "(" and "[" open, ")" and "]" close (the shapes need not match); a run of
// digits is a number and a run of ASCII letters one letters token. Any other character fails
// with 14044 and that character.
bool TokenizeFormula(const std::wstring& formula, std::vector<FormulaToken>& tokens,
                     FormulaError& error);

// The molar mass of a formula, read from right to left. A count multiplies only the element or
// bracket group right before it (CO2 = C + 2 O). Of several faults the rightmost one is
// reported; an empty formula weighs 0.
bool MolarMass(const std::wstring& formula, double& mass, FormulaError& error);

}  // namespace evalkern
