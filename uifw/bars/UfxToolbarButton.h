// CUfxToolbarButton: the model object behind every item of a command bar (button, separator,
// menu item). It knows its command, image, text, style bits and rectangle; it draws through the
// current visual manager and travels between bars as archived OLE data.
#pragma once
#include "Framework.h"
#include "FwOleDragDrop.h"
#include "looks/UfxVisualManager.h"

class CUfxToolBar;
class CUfxToolBarImages;
class CUfxToolbarMenuButton;

// Button style and state bits of toolbar buttons, and the library's own bit: the item starts a
// new menu column.
#ifndef TBBS_SEPARATOR
#define TBBS_SEPARATOR 0x00000001
#define TBBS_CHECKBOX 0x00000002
#define TBBS_CHECKED 0x00010000
#define TBBS_PRESSED 0x00020000
#define TBBS_DISABLED 0x00040000
#define TBBS_INDETERMINATE 0x00100000
#endif
#ifndef TBBS_BREAK
#define TBBS_BREAK 0x20000000
#endif

class CUfxToolbarButton : public CObject {
  DECLARE_SERIAL(CUfxToolbarButton)
public:
  CUfxToolbarButton();
  CUfxToolbarButton(UINT uiID, int iImage, LPCWSTR lpszText = nullptr, BOOL bUserButton = FALSE,
                    BOOL bLocked = FALSE);
  ~CUfxToolbarButton() override;

  void Serialize(CArchive& ar) override;

  virtual BOOL CanBeDropped(CUfxToolBar* pToolbar) { return TRUE; }
  virtual void CopyFrom(const CUfxToolbarButton& src);
  virtual void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
                      BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                      BOOL bGrayDisabledButtons = TRUE);
  virtual SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
  virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) { return FALSE; }
  virtual BOOL OnClickUp() { return FALSE; }
  virtual void OnParentChanged(CWnd* pWndParent);
  virtual BOOL ExportToMenuButton(CUfxToolbarMenuButton& menuButton) const;
  virtual void OnMove() {}
  virtual void OnSize(int iSize) {}
  virtual HWND GetHwnd() { return nullptr; }
  virtual BOOL CanBeStretched() const { return FALSE; }
  virtual BOOL NotifyCommand(int iNotifyCode) { return FALSE; }
  virtual void SyncWithSameCommand() {}
  virtual HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) { return nullptr; }
  virtual void OnDblClick(CWnd* pWnd) {}
  virtual BOOL CanBeStored() const { return TRUE; }
  virtual BOOL IsBorderDrawn() const { return TRUE; }
  virtual void OnCancelMode() {}
  virtual void OnGlobalFontsChanged() {}
  virtual BOOL IsEditable() const;
  virtual BOOL DropDownMenu(CWnd* pWnd) { return FALSE; }
  virtual BOOL OnCustomizeMenu(CMenu* pPopup) { return FALSE; }
  virtual int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected);
  virtual BOOL IsDroppedDown() const { return FALSE; }
  virtual BOOL CloseSubMenus() { return TRUE; }
  virtual BOOL OnToolHitTest(const CWnd* pWnd, TOOLINFOW* pTI);
  virtual void CloseTopPopup() {}
  virtual void Show(BOOL bShow) {}
  virtual const CRect Rect() const { return m_rect; }
  virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
  virtual void ResetImageToDefault();
  virtual BOOL CompareWith(const CUfxToolbarButton& other) const { return m_nID == other.m_nID; }
  virtual void EnableWindow(BOOL bEnable = TRUE);
  virtual BOOL IsWindowVisible();
  virtual BOOL IsOwnerOf(HWND hwnd);
  virtual BOOL HasFocus() const;
  virtual void SetImage(int iImage);
  virtual void SetRadio() {}
  virtual BOOL HasExtraBorder() const { return m_bOnToolbar; }

  // The visual manager fills the interior: highlighted 2, checked or pressed 1, else 0.
  void FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight = FALSE);
  // Offers the button as OLE data in the library's clipboard format; FALSE on failure.
  BOOL PrepareDrag(COleDataSource& srcItem);
  // A new button read from OLE data of the library's format, or null (the caller owns it).
  static CUfxToolbarButton* CreateFromOleData(COleDataObject* pDataObject);
  static CLIPFORMAT GetClipboardFormat();
  void SetRect(const CRect& rect);

  int GetImage() const { return m_bUserButton ? m_iUserImage : m_iImage; }
  BOOL IsLocked() const { return m_bLocked; }
  BOOL IsHorizontal() const { return m_bHorz; }
  // A label without its mnemonic markers: "&&" stays one "&", any other "&" goes.
  static CString StripMnemonics(const CString& strText);
  // What the looks read of every button: its style, orientation and whether it may be edited now.

  // Fields, in this order.
  BOOL m_bUserButton = FALSE;
  UINT m_nID = 0;
  UINT m_nStyle = 0;
  CString m_strText;
  BOOL m_bText = FALSE;
  BOOL m_bImage = TRUE;
  BOOL m_bDragFromCollection = FALSE;  // copied by CopyFrom, read by the customize pages
  BOOL m_bWrapText = TRUE;             // full text in popup menus
  BOOL m_bTextBelow = FALSE;
  CString m_strTextCustom;             // copied by CopyFrom, read by the customize pages
  BOOL m_bStored = FALSE;
  CRect m_rect;
  int m_iImage = -1;                   // a separator's width
  int m_iUserImage = -1;
  BOOL m_bLocked = FALSE;
  BOOL m_bKeepHidden = FALSE;
  int m_nTextBelowWidth = 0;
  int m_nTextBelowHeight = 0;
  BOOL m_bDisableFill = FALSE;
  BOOL m_bOnToolbar = FALSE;
  BOOL m_bHorz = TRUE;
  // Layout state of the owning bar, never stored: the row ends after this button, and the
  // button is shown (neither a collapsed separator nor hidden behind the customize button).
  BOOL m_bWrap = FALSE;
  BOOL m_bVisible = TRUE;

  // The clipboard format number (0 until registered) and a name that replaces the default one.
  static CLIPFORMAT s_cFormat;
  static CString s_strClipboardFormatName;

protected:
  // The image (or the user tool's icon) at (x, y).
  void DrawImage(CDC* pDC, CUfxToolBarImages* pImages, CPoint pt, BOOL bFaded, BOOL bDisabled, BOOL bShadow);
  void DrawLabel(CDC* pDC, const CRect& rectText, BOOL bHorz, UINT uiFormat);
  // The part of the command's string resource after its first line feed, or empty.
  CString CommandMenuText() const;
};




