#include "WorksheetText.h"

namespace evalkern {

PooledVector<std::wstring_view> WorksheetLineViews(std::wstring_view all) {
  // Counted first, so that the list is made once at its size.
  size_t count = 1;
  for (size_t i = 0; i < all.size(); ++i)
    if (all[i] == L'\n' || (all[i] == L'\r' && (i + 1 == all.size() || all[i + 1] != L'\n'))) ++count;
  PooledVector<std::wstring_view> lines;
  lines.reserve(count);
  size_t start = 0;
  for (size_t i = 0; i < all.size(); ++i) {
    wchar_t c = all[i];
    if (c != L'\n' && c != L'\r') continue;
    lines.push_back(all.substr(start, i - start));
    if (c == L'\r' && i + 1 < all.size() && all[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  lines.push_back(all.substr(start));
  return lines;
}

std::vector<std::wstring> SplitWorksheetLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::wstring_view line : WorksheetLineViews(text)) lines.emplace_back(line);
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
    if (i >= from && (n == 0 || c == what[0]) && s.compare(i, n, what) == 0) return i;
  }
  return std::wstring::npos;
}

std::wstring TrimControls(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] <= L' ') ++b;
  while (e > b && s[e - 1] <= L' ') --e;
  return s.substr(b, e - b);
}

// One pass over the trimmed line with the quote rule of FindUnquoted: the comment ends the scan,
// and every ";" before it ends a statement.
void SplitLineStatements(std::wstring_view line, std::vector<std::wstring>& statements) {
  size_t b = 0, e = line.size();
  while (b < e && line[b] <= L' ') ++b;
  while (e > b && line[e - 1] <= L' ') --e;
  statements.clear();
  size_t start = b, end = e;
  wchar_t quote = 0;
  for (size_t i = b; i < e; ++i) {
    wchar_t c = line[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == L'\'' || c == L'"') {
      quote = c;
    } else if (c == L'/' && i + 1 < e && line[i + 1] == L'/') {
      end = i;
      break;
    } else if (c == L';') {
      statements.emplace_back(line.substr(start, i - start));
      start = i + 1;
    }
  }
  while (start < end && line[start] <= L' ') ++start;
  while (end > start && line[end - 1] <= L' ') --end;
  statements.emplace_back(line.substr(start, end - start));
}

std::vector<std::wstring> SplitLineStatements(std::wstring_view line) {
  std::vector<std::wstring> statements;
  SplitLineStatements(line, statements);
  return statements;
}

bool IsAsciiIdentifier(const std::wstring& s) {
  auto letter = [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_'; };
  if (s.empty() || !letter(s[0])) return false;
  for (wchar_t c : s)
    if (!letter(c) && !(c >= L'0' && c <= L'9')) return false;
  return true;
}

StatementParts SplitAssignment(std::wstring statement) {
  StatementParts parts;
  size_t op = FindUnquoted(statement, L":=");
  if (op == std::wstring::npos) {
    parts.expression = std::move(statement);
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
