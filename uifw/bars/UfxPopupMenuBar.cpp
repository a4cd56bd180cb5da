#include "UfxPopupMenuBar.h"
#include "UfxUserToolsManager.h"

BOOL UfxIsReservedCommand(UINT uiCmdId) {
  if (uiCmdId >= 0xE110 && uiCmdId <= 0xE11F) return TRUE;  // recent files
  if (uiCmdId >= 0xE210 && uiCmdId <= 0xE21F) return TRUE;  // OLE verbs
  if (uiCmdId >= 0xF000 && uiCmdId <= 0xF1EF) return TRUE;  // system commands
  if (uiCmdId > 0xFEFF) return TRUE;
  return UfxUserToolsManager != nullptr && uiCmdId == UfxUserToolsManager->GetToolsEntryCmd();
}
