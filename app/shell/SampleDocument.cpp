#include "SampleDocument.h"

#include <shlwapi.h>

#include "Framework.h"

namespace {

CString ProgramFolder() {
  wchar_t path[1040] = {};
  DWORD length = ::GetModuleFileNameW(nullptr, path, 1039);
  CString folder(path, static_cast<int>(length));
  int slash = folder.ReverseFind(L'\\');
  return slash >= 0 ? folder.Left(slash) : CString();
}

}  // namespace

bool CopySampleDocument(LPCWSTR worksheetPath, LPCWSTR sampleFolder) {
  if (worksheetPath == nullptr || ::PathFileExistsW(worksheetPath)) return false;
  CString sample = sampleFolder != nullptr ? CString(sampleFolder) : ProgramFolder();
  sample += L"\\NumbrookDoc.txt";
  return ::PathFileExistsW(sample) && ::CopyFileW(sample, worksheetPath, TRUE);
}
