// The program's command line: the framework's switches plus "tray" (given as /tray or -tray,
// in any letter case), which starts the program in the notification area.
#pragma once

#include "Framework.h"

class CNumbrookCommandLineInfo : public CCommandLineInfo {
public:
  BOOL tray = FALSE;

  void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override;
};
