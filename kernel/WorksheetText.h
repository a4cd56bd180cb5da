// Cutting a worksheet into lines, statements and assignments, before any statement is analysed.
// Quoted text ('...' or "...") is opaque: "//", ";" and ":=" inside it belong to the string.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "BlockPool.h"

namespace evalkern {

// Lines end at LF, at CR LF and at a lone CR; n line ends give n + 1 lines.
std::vector<std::wstring> SplitWorksheetLines(const std::wstring& text);
// The same lines as views into `text`, which must outlive them.
PooledVector<std::wstring_view> WorksheetLineViews(std::wstring_view text);

// Position of `what` outside quotes at or after `from`, or npos.
size_t FindUnquoted(const std::wstring& s, const wchar_t* what, size_t from = 0);

// Trims blanks and control characters (codes 32 and below) at both ends.
std::wstring TrimControls(const std::wstring& s);

// One line made ready for analysis: trimmed, its comment cut off, split at ";" (the last
// statement trimmed, the others as they stand).
std::vector<std::wstring> SplitLineStatements(std::wstring_view line);
// The same into `statements`, emptied first, so that one list can serve every line of a text.
void SplitLineStatements(std::wstring_view line, std::vector<std::wstring>& statements);

// A statement split at its ":=". `error` is 0, or the message id of a bad assignment
// (14030 second ":=", 14031 no name, 14032 not an identifier); `name` is empty when the
// statement assigns nothing. Whether the name is a constant is the caller's question.
struct StatementParts {
  std::wstring expression;
  std::wstring name;
  int error = 0;
};
StatementParts SplitAssignment(std::wstring statement);

// An identifier of ASCII letters, digits and "_", starting with a letter or "_".
bool IsAsciiIdentifier(const std::wstring& s);

}  // namespace evalkern
