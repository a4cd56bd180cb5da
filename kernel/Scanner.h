// The analyser's first stage: the text of one expression becomes a flat list of tokens, and the
// keyword pass gives the words that are operators or Boolean literals their kinds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace evalkern {

enum TokenKind : std::uint8_t {
  tkPostfix = 0,         // "!" "%"
  tkSign = 1,            // "+" "-"
  tkMultiplicative = 2,  // "*" "/" "^" div mod
  tkComma = 3,           // ","
  tkOpen = 4,            // "("
  tkClose = 5,           // ")"
  tkComparison = 6,      // "=" "<>" "<" ">" "<=" ">=" eq ne lt gt le ge
  tkNot = 7,             // not
  tkLogical = 8,         // "~" "&" "&&" "|" "||" "<<" ">>" and or xor shl shr
  tkLiteral = 9,         // number literals, true, false
  tkName = 10,           // an identifier
  tkCall = 11,           // an identifier with its "(" (the text is the identifier alone)
  tkString = 12,         // a quoted text (the text is the content)
};

// A token's text is a view: into the expression, into a constant of the analyser (the
// operators and brackets that the rewriting adds), or into the analysis's own texts. Tokens are
// moved about a lot while operators are rewritten, so they stay small and plain.
struct Token {
  std::wstring_view text;
  TokenKind kind;
};

using TokenList = std::vector<Token>;

// Kinds that can end an operand (the token before an infix or postfix operator) and that can
// start one (the token after an infix operator).
inline bool IsOperandEnd(TokenKind k) {
  return k == tkPostfix || k == tkClose || k == tkLiteral || k == tkName || k == tkString;
}
inline bool IsOperandStart(TokenKind k) {
  return k == tkSign || k == tkOpen || k == tkNot || k == tkLiteral || k == tkName ||
         k == tkCall || k == tkString;
}

// A fault found by any stage of the analysis: the finished message text.
struct ParseError {
  std::wstring message;
};
// Raises the ParseError of message `id` (with its "%s" filled by `arg`).
[[noreturn]] void FailParse(int id);
[[noreturn]] void FailParse(int id, std::wstring_view arg);

// Removes leading and trailing characters with codes 0 to 32.
std::wstring TrimExpression(const std::wstring& text);

// Scans a trimmed, non-empty text into `tokens` (emptied first; its buffer is reused). Raises
// ParseError for a character that starts no token, a lone ".", and a notation prefix without
// digits. The tokens view `text`, and `ownTexts` (emptied first) for the few texts that differ
// from what the expression holds; both must outlive them.
void ScanExpression(const std::wstring& text, TokenList& tokens, std::wstring& ownTexts);

// Classifies the keywords among names and calls ("not(" gets its own "(" token). Quoted texts
// are never keywords.
void ClassifyKeywords(TokenList& tokens);

}  // namespace evalkern
