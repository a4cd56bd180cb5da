// CUfxCommandManager: which toolbar image stands for each command (a standard image or a user
// image) and which commands show no image in menus; the latter list is saved with the workspace.
#pragma once
#include "Framework.h"

class CUfxCommandManager : public CObject {
public:
  CUfxCommandManager();
  ~CUfxCommandManager() override = default;

  // The image of that kind, -1 when the command has none.
  int GetCmdImage(UINT uiCmd, BOOL bUserImage) const;
  // Records the image unless the command already has one of the other kind; ids 0 and -1 are ignored.
  void SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage);
  void ClearUserCmdImage(UINT uiCmd);
  // FALSE puts the command on the list of commands shown without image in menus, TRUE takes it off.
  void EnableMenuItemImage(UINT uiCmd, BOOL bEnable = TRUE);
  BOOL IsMenuItemWithoutImage(UINT uiCmd) const { return m_lstCommandsWithoutImages.Find(uiCmd) != nullptr; }
  const CList<UINT, UINT>& GetCommandsWithoutImages() const { return m_lstCommandsWithoutImages; }
  void CleanUp();

  // "CommandsWithoutImages" under the toolbars' section + "UfxCommandManager".
  BOOL LoadState(LPCWSTR lpszProfileName);
  BOOL SaveState(LPCWSTR lpszProfileName);

protected:
  CString GetRegKey(LPCWSTR lpszProfileName) const;

  CMap<UINT, UINT, int, int> m_CommandIndex;      // standard images
  CMap<UINT, UINT, int, int> m_CommandIndexUser;  // user images
  CList<UINT, UINT> m_lstCommandsWithoutImages;
};

// The framework's one command manager.
CUfxCommandManager* UfxGetCommandManager();
