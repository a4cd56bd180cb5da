// CUfxDropDownToolbarButton: a button that stands for a whole toolbar. It shows the image of the
// command last chosen from it; a short click runs that command, holding the button half a second
// opens the toolbar in a frame beside it to choose another.
#pragma once
#include "bars/UfxToolbarButton.h"

class CUfxDropDownFrame;
class CUfxDropDownToolBar;

class CUfxDropDownToolbarButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CUfxDropDownToolbarButton)
  friend class CUfxDropDownFrame;
public:
  CUfxDropDownToolbarButton();
  CUfxDropDownToolbarButton(LPCWSTR lpszName, CUfxDropDownToolBar* pToolBar);
  ~CUfxDropDownToolbarButton() override;

  void Serialize(CArchive& ar) override;
  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
  BOOL OnClickUp() override;
  void OnParentChanged(CWnd* pWndParent) override;
  BOOL ExportToMenuButton(CUfxToolbarMenuButton& menuButton) const override;
  void OnCancelMode() override;
  BOOL OnCustomizeMenu(CMenu* pPopup) override;
  int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
  BOOL HasExtraBorder() const override { return m_bOnToolbar && !m_bInternalDraw; }

  // The command becomes the button's; its image is looked up in the source toolbar.
  void SetDefaultCommand(UINT uiCmd);
  // Opens the frame with the source toolbar beside the button; FALSE when it cannot.
  BOOL DropDownToolbar(CWnd* pWnd);

  CUfxDropDownToolBar* GetSourceToolBar() const { return m_pToolBar; }
  CUfxDropDownFrame* GetDropDownFrame() const { return m_pPopupMenu; }
  int GetCurrentImage() const { return m_iSelectedImage; }
  BOOL IsWaitingForHold() const { return m_uiTimer != 0; }
  // The button whose hold timer runs, or null.
  static CUfxDropDownToolbarButton* GetWaitingButton() { return s_pWaitingButton; }
  static const UINT kHoldTime = 500;

  // Fields, in this order.
  CUfxDropDownToolBar* m_pToolBar = nullptr;
  CString m_strName;
  CUfxDropDownFrame* m_pPopupMenu = nullptr;
  CWnd* m_pWndParent = nullptr;
  UINT_PTR m_uiTimer = 0;
  int m_iSelectedImage = 0;
  BOOL m_bInternalDraw = FALSE;
  BOOL m_bLocalUserButton = FALSE;

protected:
  void KillHoldTimer();
  void CloseFrame();
  static void CALLBACK HoldTimerProc(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
  static CUfxDropDownToolbarButton* s_pWaitingButton;
};
