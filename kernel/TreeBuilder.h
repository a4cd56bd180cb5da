// The analyser's second stage: every operator of the token list is rewritten into a call token
// with an explicit bracket group, in a fixed order of passes (that order is the operator
// precedence); the list is then grouped into a table of bracket entries, literals are read into
// values, and the node tree is built from the table.
#pragma once

#include <string>
#include <vector>

#include "KernelObject.h"
#include "Scanner.h"

namespace evalkern {

// The error sink as the analyser sees it. Reports put ErrorText, then ErrorFlag TRUE. Without a
// sink the state is kept here, so an analysis still knows that it failed and why.
class AnalysisSink {
 public:
  explicit AnalysisSink(IErrorEvents* sink) : sink_(sink) {}
  void Report(const std::wstring& text);
  bool ErrorFlag() const;
  std::wstring ErrorText() const;

 private:
  IErrorEvents* sink_;
  bool flag_ = false;
  std::wstring text_;
};

// Stages up to the bracket check: placement checks, sign merging, the ends of the expression,
// unary signs, "not", postfix operators, the binary operator passes, bracket and adjacency
// checks. Afterwards the list holds only calls, brackets, commas and operands. Raises
// ParseError at the first fault.
void RewriteOperators(TokenList& tokens);

// One rewriting pass for one operator spelling: every token of `kind` whose text equals `op`
// (ignoring case) becomes a comma inside a call named `op`. The calls view `op`, which must
// outlive the tokens.
void ConvertBinaryOperator(TokenList& tokens, TokenKind kind, std::wstring_view op);

// One entry of the bracket table.
struct TBracket {
  enum EntryKind : unsigned char { bkNew = 0, bkValue = 1, bkName = 2, bkFunction = 3 };
  TBracket();
  TBracket(const TBracket& other);
  TBracket& operator=(const TBracket&) = delete;
  ~TBracket();

  VARIANT Value;  // a value entry's value, else Empty
  long Level = -1;
  std::wstring Name;  // a name entry's identifier, a function entry's name ("(" for a bracket)
  EntryKind Kind = bkNew;
  // A function entry's children in order, as a chain of entries through NextSibling, so that
  // building the table allocates nothing per entry.
  long ChildCount = 0;
  long FirstChild = -1;
  long LastChild = -1;
  long NextSibling = -1;
};

// Groups the rewritten list into the bracket table `table` (emptied first; its buffer is
// reused); entry 0 is the "(" around everything. Faults (an unreadable literal, a misplaced
// comma, a bracket closed before it opens) are reported to the sink; the table is then
// incomplete.
void ConvertLiterals(const TokenList& tokens, AnalysisSink& sink, std::vector<TBracket>& table);

// The node of entry `index` with its subtree, or null when the sink's flag got set meanwhile.
INodeParsing* BuildNodeTree(const std::vector<TBracket>& table, long index, AnalysisSink& sink);

}  // namespace evalkern
