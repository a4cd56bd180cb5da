#include "WorksheetText.h"

namespace evalkern {

std::vector<std::wstring> SplitWorksheetLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstring current;
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\n' || c == L'\r') {
      lines.push_back(std::move(current));
      current.clear();
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      current.push_back(c);
    }
  }
  lines.push_back(std::move(current));
  return lines;
}

size_t FindUnquoted(const std::wstring& s, const wchar_t* what, size_t from) {
  const size_t n = std::char_traits<wchar_t>::length(what);
  wchar_t quote = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    wchar_t c = s[i];
    if (quote) {
      if (c == quote) quote = 0;  // a doubled quote closes and reopens: still inside
      continue;
    }
    if (c == L'\'' || c == L'"') {
      quote = c;
      continue;
    }
    if (i >= from && s.compare(i, n, what) == 0) return i;
  }
  return std::wstring::npos;
}

std::wstring TrimControls(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= L' ') ++b;
  while (e > b && s[e - 1] <= L' ') --e;
  return s.substr(b, e - b);
}

std::vector<std::wstring> SplitLineStatements(const std::wstring& rawLine) {
  std::wstring line = TrimControls(rawLine);
  size_t comment = FindUnquoted(line, L"//");
  if (comment != std::wstring::npos) line.erase(comment);
  std::vector<std::wstring> statements;
  size_t start = 0;
  for (;;) {
    size_t semi = FindUnquoted(line, L";", start);
    if (semi == std::wstring::npos) break;
    statements.push_back(line.substr(start, semi - start));
    start = semi + 1;
  }
  statements.push_back(TrimControls(line.substr(start)));
  return statements;
}

bool IsAsciiIdentifier(const std::wstring& s) {
  auto letter = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_'; };
  if (s.empty() || !letter(s[0])) return false;
  for (wchar_t c : s)
    if (!letter(c) && !(c >= L'0' && c <= L'9')) return false;
  return true;
}

StatementParts SplitAssignment(const std::wstring& statement) {
  StatementParts parts;
  size_t op = FindUnquoted(statement, L":=");
  if (op == std::wstring::npos) {
    parts.expression = statement;
    return parts;
  }
  std::wstring name = TrimControls(statement.substr(0, op));
  std::wstring rest = statement.substr(op + 2);
  if (FindUnquoted(rest, L":=") != std::wstring::npos)
    parts.error = 14030;
  else if (name.empty())
    parts.error = 14031;
  else if (!IsAsciiIdentifier(name))
    parts.error = 14032;
  if (parts.error) {
    parts.name = name;  // kept for the message text; the caller drops it
    return parts;
  }
  parts.name = name;
  parts.expression = rest;
  return parts;
}

}  // namespace evalkern
