#include "NumbrookCommandLineInfo.h"

void CNumbrookCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) {
  if (bFlag && pszParam != nullptr && lstrcmpiW(pszParam, L"tray") == 0) {
    tray = TRUE;
    ParseLast(bLast);
    return;
  }
  CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
}
