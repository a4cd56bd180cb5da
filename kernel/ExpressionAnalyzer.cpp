#include "ExpressionAnalyzer.h"

#include <memory>

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

// The token list and the bracket table of an analysis. Allocating them anew for every statement
// of a long worksheet costs more than the analysis itself, so each thread keeps one pair for
// the next analysis; an analysis started while another runs on the thread (a host's error sink
// that analyses something) makes its own.
struct Workspace {
  TokenList tokens;
  std::wstring tokenTexts;
  std::vector<TBracket> table;
};

thread_local std::unique_ptr<Workspace> t_spare;

class BorrowedWorkspace {
 public:
  BorrowedWorkspace() : w_(t_spare ? std::move(t_spare) : std::make_unique<Workspace>()) {}
  ~BorrowedWorkspace() {
    // A very long expression does not leave its large buffers behind.
    constexpr size_t kKeptEntries = 1024;
    if (w_->tokens.capacity() > kKeptEntries || w_->table.capacity() > kKeptEntries ||
        w_->tokenTexts.capacity() > kKeptEntries)
      return;
    w_->tokens.clear();
    w_->tokenTexts.clear();
    w_->table.clear();
    if (!t_spare) t_spare = std::move(w_);
  }
  BorrowedWorkspace(const BorrowedWorkspace&) = delete;
  BorrowedWorkspace& operator=(const BorrowedWorkspace&) = delete;
  Workspace& operator*() { return *w_; }

 private:
  std::unique_ptr<Workspace> w_;
};

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
  BorrowedWorkspace workspace;
  TokenList& tokens = (*workspace).tokens;
  std::vector<TBracket>& table = (*workspace).table;
  try {
    // Most statements come trimmed already: only the others are copied.
    std::wstring trimmedCopy;
    const bool untrimmed = !text.empty() && (text.front() <= L' ' || text.back() <= L' ');
    if (untrimmed) trimmedCopy = TrimExpression(text);
    const std::wstring& trimmed = untrimmed ? trimmedCopy : text;
    if (trimmed.empty()) throw ParseError{GetMessageText(kMsgEmptyExpression)};
    ScanExpression(trimmed, tokens, (*workspace).tokenTexts);
    // Blanks the trimming keeps (no-break spaces) can leave nothing to analyse either.
    if (tokens.empty()) throw ParseError{GetMessageText(kMsgEmptyExpression)};
    ClassifyKeywords(tokens);
    RewriteOperators(tokens);
    ConvertLiterals(tokens, errors, table);
  } catch (const ParseError& e) {
    SetParseError(e.message, errors, root);
    return;
  }
  if (errors.ErrorFlag()) return MakeErrorNode(errors, root);
  *root = BuildNodeTree(table, 0, errors);
  if (errors.ErrorFlag()) MakeErrorNode(errors, root);
}

}  // namespace evalkern
