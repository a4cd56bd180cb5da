// CUfxUserToolsManager: the list of user tools, their command ids from a fixed range, running a
// tool when its command fires, and the list saved with the workspace.
#pragma once
#include "Framework.h"

class CUfxUserTool;

class CUfxUserToolsManager : public CObject {
public:
  // pToolRTC: the class new tools are made of (CUfxUserTool or derived from it).
  CUfxUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                       CRuntimeClass* pToolRTC = nullptr, UINT uArgMenuID = 0, UINT uInitDirMenuID = 0);
  ~CUfxUserToolsManager() override;

  // "Tools" of the section "UfxUserToolsManager".
  BOOL LoadState(LPCWSTR lpszProfileName = nullptr);
  BOOL SaveState(LPCWSTR lpszProfileName = nullptr);

  // A new tool with the lowest free id of the range; null when the range is full.
  CUfxUserTool* CreateNewTool();
  BOOL RemoveTool(CUfxUserTool* pTool);
  BOOL MoveToolUp(CUfxUserTool* pTool);
  BOOL MoveToolDown(CUfxUserTool* pTool);
  BOOL IsUserToolCmd(UINT uiCmdId) const { return uiCmdId >= m_uiCmdFirst && uiCmdId <= m_uiCmdLast; }
  CUfxUserTool* FindTool(UINT uiCmdId) const;
  // Runs the tool of that command; FALSE outside the range or when no tool has it.
  BOOL InvokeTool(UINT uiCmdId);

  const CObList& GetUserTools() const { return m_lstUserTools; }
  int GetMaxTools() const { return m_uiCmdLast >= m_uiCmdFirst ? (int)(m_uiCmdLast - m_uiCmdFirst + 1) : 0; }
  UINT GetToolsEntryCmd() const { return m_uiCmdToolsDummy; }
  UINT GetFirstCmd() const { return m_uiCmdFirst; }
  UINT GetLastCmd() const { return m_uiCmdLast; }
  CRuntimeClass* GetToolClass() const { return m_pToolRTC; }
  UINT GetArgumentsMenuID() const { return m_uiArgumentsMenuID; }
  UINT GetInitialDirMenuID() const { return m_uiInitialDirMenuID; }

  CString m_strFilter;       // the program file dialog's filter
  CString m_strDefExt;       // and its default extension

protected:
  void DeleteAllTools();

  CObList m_lstUserTools;
  UINT m_uiCmdToolsDummy;
  UINT m_uiCmdFirst;
  UINT m_uiCmdLast;
  CRuntimeClass* m_pToolRTC;
  UINT m_uiArgumentsMenuID;
  UINT m_uiInitialDirMenuID;
};

// The application's user-tools manager, null when it has none.
extern CUfxUserToolsManager* UfxUserToolsManager;
