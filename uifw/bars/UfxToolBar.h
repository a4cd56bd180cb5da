// CUfxToolBar: the framework's toolbar, a control bar of button objects.
#pragma once
#include "Framework.h"

class CUfxToolBar : public CControlBar {
  DECLARE_DYNAMIC(CUfxToolBar)
public:
  CUfxToolBar();
  ~CUfxToolBar() override;

  // The framework-wide customization mode: while it is on, bars offer no context menus.
  static BOOL IsCustomizeMode() { return s_bCustomizeMode; }
  static void SetCustomizeMode(BOOL bSet) { s_bCustomizeMode = bSet; }

  // TRUE: the visual manager's extra button border is added around each button (plain toolbars).
  virtual BOOL UsesExtraButtonBorder() const { return TRUE; }

  // Sizes shared by the bars that are not locked: base sizes, and the current ones (doubled in
  // large-icons mode).
  static void SetSizes(SIZE sizeButton, SIZE sizeImage);
  static BOOL IsLargeIcons() { return s_bLargeIcons; }
  static CSize GetMenuImageSize();

  // Commands never put on a bar, and commands always shown in menus and never counted.
  static BOOL IsCommandAllowed(UINT uiCmd) { return s_lstForbiddenCommands.Find(uiCmd) == nullptr; }
  static void SetNonPermittedCommands(const CList<UINT, UINT>& lstCommands);
  static BOOL IsCoreCommand(UINT uiCmd) { return s_lstCoreCommands.Find(uiCmd) != nullptr; }
  static void AddCoreCommand(UINT uiCmd);
  static void SetCoreCommands(const CList<UINT, UINT>& lstCommands);

  // The image index that toolbar resources gave a command in the shared images.
  static BOOL GetDefaultImage(UINT uiCmd, int& iImage) { return s_DefaultImages.Lookup(uiCmd, iImage); }
  static void SetDefaultImage(UINT uiCmd, int iImage) { s_DefaultImages.SetAt(uiCmd, iImage); }

  // Labels below images: whether they wrap, and the gap between image and label.
  static BOOL IsWrapLabels() { return s_bWrapLabels; }
  static void SetWrapLabels(BOOL bWrap) { s_bWrapLabels = bWrap; }
  static int GetLabelGap() { return s_nLabelGap; }

protected:
  static BOOL s_bCustomizeMode;
  static BOOL s_bLargeIcons;
  static CSize s_sizeButton;
  static CSize s_sizeImage;
  static CSize s_sizeCurButton;
  static CSize s_sizeCurImage;
  static CSize s_sizeMenuImage;
  static CList<UINT, UINT> s_lstForbiddenCommands;
  static CList<UINT, UINT> s_lstCoreCommands;
  static CMap<UINT, UINT, int, int> s_DefaultImages;
  static BOOL s_bWrapLabels;
  static int s_nLabelGap;
};
