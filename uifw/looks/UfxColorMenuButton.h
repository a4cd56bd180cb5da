// CUfxColorMenuButton: a toolbar or menu button with a colour swatch under its image that drops a
// colour popup. The colour chosen last is kept per command id, so every button and colour bar of
// the same command shows it.
#pragma once
#include "bars/UfxToolbarMenuButton.h"

class CUfxColorBar;

// "UFXTOOLBAR__GETDOCUMENTCOLORS": asks the top-level frame for its document's colours
// (wParam the command id, lParam a CList<COLORREF, COLORREF>* to fill).
extern const UINT UFXM_GETDOCUMENTCOLORS;

class CUfxColorMenuButton : public CUfxToolbarMenuButton {
  DECLARE_SERIAL(CUfxColorMenuButton)
public:
  CUfxColorMenuButton();
  CUfxColorMenuButton(UINT uiCmdID, LPCWSTR lpszText, CPalette* pPalette = nullptr);
  ~CUfxColorMenuButton() override;

  void Serialize(CArchive& ar) override;
  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
              BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
  void OnParentChanged(CWnd* pWndParent) override;
  BOOL IsEmptyMenuAllowed() const override { return TRUE; }
  CUfxPopupMenu* CreatePopupMenu() override;

  virtual void SetColor(COLORREF clr, BOOL bNotify = TRUE);
  virtual BOOL OpenColorDialog(const COLORREF colorDefault, COLORREF& colorRes);

  COLORREF GetColor() const { return m_Color; }
  // Where the swatch is drawn inside the button's rectangle.
  CRect GetSwatchRect(const CRect& rect) const;
  void EnableAutomaticButton(LPCWSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
  void EnableOtherButton(LPCWSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
  void EnableDocumentColors(LPCWSTR lpszLabel, BOOL bEnable = TRUE);
  void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }

  // The last colour chosen per command id.
  static void SetColorByCmdID(UINT uiCmdID, COLORREF color);
  static COLORREF GetColorByCmdID(UINT uiCmdID);
  static void ClearColorsByCmdID();
  // The table in an archive: a count, then command id and colour pairs (32 bits each).
  static void SerializeColorsByCmdID(CArchive& ar);

  // Fields, in this order.
  COLORREF m_Color = (COLORREF)-1;
  COLORREF m_colorAutomatic = 0;
  CArray<COLORREF, COLORREF> m_Colors;
  CPalette m_Palette;
  int m_nColumns = -1;
  int m_nVertDockColumns = -1;
  int m_nHorzDockRows = -1;
  BOOL m_bIsAutomaticButton = FALSE;
  BOOL m_bIsOtherButton = FALSE;
  BOOL m_bIsDocumentColors = FALSE;
  CString m_strAutomaticButtonLabel;
  CString m_strOtherButtonLabel;
  CString m_strDocumentColorsLabel;
  BOOL m_bStdColorDlg = FALSE;

  // Further state: the parent is a popup-menu bar or the menu bar (menu geometry).
  BOOL m_bMenuBarGeometry = FALSE;

protected:
  void BuildPalette();
  static CMap<UINT, UINT, COLORREF, COLORREF>& ColorsByCmdID();
  // The workspace's saved version carries the extended fields.
  static BOOL ArchiveHasExtendedFields();
};
