// CUfxMouseManager: the command bound to a double click in each kind of view. The application
// registers its views by name, id and icon; the bindings are saved with the workspace.
#pragma once
#include "Framework.h"

class CUfxMouseManager : public CObject {
  DECLARE_SERIAL(CUfxMouseManager)
public:
  CUfxMouseManager();
  ~CUfxMouseManager() override;

  // Registers a view; FALSE when the name or the id is taken.
  BOOL AddView(int iViewId, LPCWSTR lpszViewName, UINT uiIconId = 0);
  int GetViewIdByName(LPCWSTR lpszName) const;
  void GetViewNames(CStringList& listOfNames) const;
  UINT GetViewDblClickCommand(int iId) const;
  UINT GetViewIconId(int iViewId) const;
  // Command 0 removes the binding.
  void SetCommandForDblClick(int iViewId, UINT uiCmd);

  // Only the bindings: a 32-bit count, then view id and command, 32 bits each.
  void Serialize(CArchive& ar) override;
  // The value "Mouse" of the section "UfxMouseManager".
  BOOL LoadState(LPCWSTR lpszProfileName = nullptr);
  BOOL SaveState(LPCWSTR lpszProfileName = nullptr);

protected:
  CMap<CString, LPCWSTR, int, int> m_ViewsNames;
  CMap<int, int, UINT, UINT> m_ViewsToCommands;
  CMap<int, int, UINT, UINT> m_ViewsToIcons;
};

// The application's mouse manager, null when it has none.
extern CUfxMouseManager* UfxMouseManager;
