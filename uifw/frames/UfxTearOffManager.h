// CUfxTearOffManager: control ids for popup menus that may be torn off into floating toolbars,
// and the mark in a popup's item text that carries its id (character 1, the id, character 1).
#pragma once
#include "Framework.h"

class CUfxTearOffManager : public CObject {
public:
  CUfxTearOffManager();
  ~CUfxTearOffManager() override;

  // The id range handed out; every id starts free.
  void Initialize(UINT uiTearOffFirst, UINT uiTearOffLast);
  UINT GetFirstID() const { return m_uiTearOffMenuFirst; }
  UINT GetLastID() const { return m_uiTearOffMenuLast; }

  // The first free id of the range, now in use; 0 when none is free or there is no range.
  UINT GetFreeTearOffID();
  // Raises (or lowers, never below 0) the use count of an id of the range.
  void SetInUse(UINT uiCmdId, BOOL bUse = TRUE);
  BOOL IsInUse(UINT uiCmdId) const;
  // The id of a marked text, with the mark cut off; 0 (text unchanged) without a whole mark.
  UINT Parse(CString& str);
  // Puts the mark of uiID in front of the text.
  void Build(UINT uiID, CString& strText);
  // Gives every popup item marked for tearing off (MF_MENUBARBREAK) a free id in its text.
  void SetupTearOffMenus(HMENU hMenu);
  // Frees the ids used in the menu tree (every id without a menu); answers the menu's item count
  // (without a menu, the number of ids in the range).
  int Reset(HMENU hMenu);

protected:
  void ResetTree(HMENU hMenu);
  BOOL SetupTree(HMENU hMenu);

  UINT m_uiTearOffMenuFirst = 0;
  UINT m_uiTearOffMenuLast = 0;
  CUIntArray m_arTearOffIDsUsage;
};

// The application's tear-off manager, null when tear-off menus are not used.
extern CUfxTearOffManager* UfxTearOffManager;
