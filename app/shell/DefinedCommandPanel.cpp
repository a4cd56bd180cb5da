#include "DefinedCommandPanel.h"

#include <cwchar>


namespace {

// A whole decimal number, or false.
bool ParseNumber(const CString& text, long& value) {
  if (text.IsEmpty()) return false;
  wchar_t* end = nullptr;
  value = std::wcstol(text, &end, 10);
  return end != nullptr && *end == 0;
}

}  // namespace

CDefinedCommandPanel::CDefinedCommandPanel(UINT firstStringId) { Read(firstStringId); }

long CDefinedCommandPanel::KindToType(const CString& kind) {
  if (kind == L"Number" || kind == L"Constant") return CotConstant;
  if (kind == L"Operator") return CotOperator;
  if (kind == L"String") return CotString;
  return -1;
}

void CDefinedCommandPanel::Read(UINT firstStringId) {
  CString count;
  long groups = 0;
  if (!count.LoadString(firstStringId) || !ParseNumber(count, groups) || groups < 0) return;
  // Every group is named by a header string behind the count, and string ids end at 0xFFFF:
  // a larger count is no definition, and nothing is sized by it.
  if (firstStringId >= 0xFFFF || groups > static_cast<long>(0xFFFF - firstStringId)) return;
  m_groups.resize(static_cast<size_t>(groups));
  int current = -1;
  for (UINT id = firstStringId + 1; id <= 0xFFFF; ++id) {
    CString entry;
    if (!entry.LoadString(id)) return;
    if (entry == L"\n") {
      m_complete = true;
      return;
    }
    bool read = entry[0] == L'\n' ? ReadHeader(entry, current) : ReadCommand(entry, id, current);
    if (!read) return;
  }
}

bool CDefinedCommandPanel::ReadHeader(const CString& entry, int& current) {
  CString rest = entry.Mid(1);
  int end = rest.Find(L'\n');
  long number = 0;
  if (end < 0 || !ParseNumber(rest.Left(end), number) || number < 1 || number > static_cast<long>(m_groups.size()))
    return false;
  current = static_cast<int>(number) - 1;
  m_groups[static_cast<size_t>(current)].name = rest.Mid(end + 1);
  return true;
}

bool CDefinedCommandPanel::ReadCommand(const CString& entry, UINT id, int current) {
  if (current < 0) return false;
  CString fields[4];
  int start = 0;
  for (int i = 0; i < 3; ++i) {
    int end = entry.Find(L'\n', start);
    if (end < 0) return false;
    fields[i] = entry.Mid(start, end - start);
    start = end + 1;
  }
  fields[3] = entry.Mid(start);
  m_groups[static_cast<size_t>(current)].commands.push_back(
      {static_cast<long>(id) + 1, KindToType(fields[3]), fields[0], fields[1], fields[2]});
  return true;
}
