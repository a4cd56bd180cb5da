// The answer of a keyboard action, built from its template.
//
// A template is copied character by character; "%" and one character form a placeholder:
//   %%  "%"                  %s  the selected text (the source)
//   %d  the result in decimal       %b  ... binary ("0b")      %o  ... octal ("0o")
//   %h  ... hexadecimal ("0x")      %r  ... Roman ("0r")
//   %e  kept for ExpandSubExpressions, which replaces %e[expression] by its value
//   any other pair disappears; a "%" at the very end stays.
// Placeholder letters are taken in either case. The notations rewrite only the integer
// literals of the result; real numbers, names and everything else stay as they are.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace numbrook {

enum class IntegerNotation { Decimal, Binary, Octal, Hexadecimal, Roman };

// Values above this are written in decimal where Roman notation is asked for, as the kernel
// does for its own results.
constexpr uint64_t kLargestRomanValue = 100000;

// A 64-bit value, read as unsigned, in a notation: "0b101", "5", "0o5", "0x1f", "0rV".
std::wstring IntegerText(uint64_t value, IntegerNotation notation);

// The text with each of its integer literals (decimal, "0x", "0o", "0b", "0r") rewritten in
// the notation; an integer too large for 64 bits is kept as written.
std::wstring ConvertLiterals(std::wstring_view text, IntegerNotation notation);

// The answer for the template (see above).
std::wstring FormatAnswer(std::wstring_view answerTemplate, std::wstring_view source,
                          std::wstring_view result);

// One evaluation of an expression: its result text, or the error text when it failed.
struct Evaluation {
  std::wstring text;
  bool failed = false;
};
using Evaluator = std::function<Evaluation(const std::wstring& expression)>;

// Replaces every %e[expression] (or %E[...]) of `text` by the value of the expression. A group
// that holds further brackets is expanded on its own and written as text; "%e" with an empty
// group or none vanishes; a "%e[" whose group is never closed stays as it is.
// The first failed evaluation makes its error text the whole answer: `failed` is set then.
Evaluation ExpandSubExpressions(std::wstring_view text, const Evaluator& evaluate);

// The selection as it is evaluated: carriage returns, line feeds, tabs and ";" removed from
// both ends.
std::wstring TrimSelection(std::wstring_view text);

// True when the (trimmed) selection is one expression: no line break and no ";" inside.
bool IsSingleExpression(std::wstring_view text);

}  // namespace numbrook
