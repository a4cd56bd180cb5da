#include "ExpressionAnalyzer.h"

#include "Messages.h"
#include "Nodes.h"
#include "Scanner.h"
#include "TreeBuilder.h"

namespace evalkern {

namespace {

constexpr int kMsgEmptyExpression = 14038;

// The analyser's error step: the result becomes an error node with the message, and the sink
// gets the text and then the flag.
void SetParseError(const std::wstring& message, AnalysisSink& sink, INodeParsing** root) {
  *root = MakeErrorNode(message);
  sink.Report(message);
}

// The result becomes an error node holding the sink's current text.
void MakeErrorNode(AnalysisSink& sink, INodeParsing** root) {
  if (*root) {
    (*root)->Release();
    *root = nullptr;
  }
  *root = evalkern::MakeErrorNode(sink.ErrorText());
}

}  // namespace

void AnalyzeExpression(const std::wstring& text, IErrorEvents* sink, INodeParsing** root) {
  if (!root) RaiseError(L"No place for the parse tree", E_POINTER);
  if (*root) {
    (*root)->Release();
    *root = nullptr;
  }
  // Number literals are always read with "." as the decimal point (NumberText reads them so
  // whatever the locale says), so there is no separator to set here.
  AnalysisSink errors(sink);
  std::vector<TBracket> table;
  try {
    const std::wstring trimmed = TrimExpression(text);
    if (trimmed.empty()) throw ParseError{GetMessageText(kMsgEmptyExpression)};
    TokenList tokens = ScanExpression(trimmed);
    // Blanks the trimming keeps (no-break spaces) can leave nothing to analyse either.
    if (tokens.empty()) throw ParseError{GetMessageText(kMsgEmptyExpression)};
    ClassifyKeywords(tokens);
    RewriteOperators(tokens);
    table = ConvertLiterals(tokens, errors);
  } catch (const ParseError& e) {
    SetParseError(e.message, errors, root);
    return;
  }
  if (errors.ErrorFlag()) return MakeErrorNode(errors, root);
  *root = BuildNodeTree(table, 0, errors);
  if (errors.ErrorFlag()) MakeErrorNode(errors, root);
}

}  // namespace evalkern
