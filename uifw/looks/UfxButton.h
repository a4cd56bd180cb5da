// CUfxButton: the framework's owner-drawn push button, check box and radio button. It paints
// itself through the current look, tracks the mouse for its hot and pressed looks, can repeat
// its click while held, shows a tooltip (also the whole caption when it does not fit) and can
// show a hand cursor.
#pragma once
#include "Framework.h"

class CUfxButton : public CButton {
  DECLARE_DYNCREATE(CUfxButton)
public:
  enum FlatStyle { BUTTONSTYLE_3D = 0, BUTTONSTYLE_FLAT = 1, BUTTONSTYLE_SEMIFLAT = 2, BUTTONSTYLE_NOBORDERS = 3 };
  enum AlignStyle { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };

  CUfxButton();
  ~CUfxButton() override;

  int m_nFlatStyle = BUTTONSTYLE_3D;
  int m_nAlignStyle = ALIGN_CENTER;
  BOOL m_bRightImage = FALSE;
  BOOL m_bTransparent = FALSE;
  BOOL m_bDrawFocus = TRUE;
  BOOL m_bHighlightChecked = TRUE;
  BOOL m_bGrayDisabled = TRUE;
  BOOL m_bPushed = FALSE;        // the left button went down here and the cursor is over it
  BOOL m_bClickiedInside = FALSE;
  BOOL m_bHighlighted = FALSE;   // hot
  BOOL m_bCaptured = FALSE;
  BOOL m_bHover = FALSE;         // the last mouse-move test
  BOOL m_bChecked = FALSE;
  BOOL m_bCheckButton = FALSE;
  BOOL m_bRadioButton = FALSE;
  BOOL m_bAutoCheck = FALSE;
  CSize m_sizeImage = CSize(0, 0);
  CImageList m_Image, m_ImageHot, m_ImageDisabled;
  CImageList m_ImageChecked, m_ImageCheckedHot, m_ImageCheckedDisabled;
  BOOL m_bFullTextTooltip = FALSE;
  BOOL m_bDelayFullTextTooltipSet = FALSE;
  int m_nStdImageId = -1;
  int m_nStdImageDisabledId = -1;
  CToolTipCtrl m_wndToolTip;
  HCURSOR m_hCursor = nullptr;
  CSize m_sizePushOffset = CSize(2, 2);
  COLORREF m_clrRegular = (COLORREF)-1;
  COLORREF m_clrHover = (COLORREF)-1;
  COLORREF m_clrFace = (COLORREF)-1;
  HFONT m_hFont = nullptr;
  int m_nAutoRepeatTimeDelay = 0;

  // Virtual operations, in this order after CButton's.
  virtual CSize SizeToContent(BOOL bCalcOnly = FALSE);
  virtual void OnFillBackground(CDC* pDC, const CRect& rectClient);
  virtual void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
  virtual void OnDrawFocusRect(CDC* pDC, const CRect& rectClient);
  virtual void OnDraw(CDC* pDC, const CRect& rect, UINT uiState);
  virtual void OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT uiState);
  virtual void CreateDisabledImage(HBITMAP hBitmap, BOOL bChecked);
  virtual CFont* SelectFont(CDC* pDC);

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  void SetImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = nullptr, BOOL bMap3dColors = TRUE,
                BOOL bChecked = FALSE);
  void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, BOOL bChecked = FALSE);
  void SetStdImage(int nGlyph, int nDisabledGlyph = -1);
  void CleanUp();
  void SetTooltip(LPCWSTR lpszToolTipText);
  void EnableFullTextTooltip(BOOL bOn = TRUE) { m_bFullTextTooltip = bOn; m_bDelayFullTextTooltipSet = bOn; }
  void SetMouseCursorHand();
  void SetAutorepeatMode(int nTimeDelay = 500);
  BOOL IsPressed() const { return m_bPushed && m_bHighlighted; }
  BOOL IsHighlighted() const { return m_bHighlighted; }
  BOOL IsPushed() const { return m_bPushed; }
  BOOL IsChecked() const { return m_bChecked; }
  // The cursor resource of the hand cursor (in the resource library).
  enum { IDC_UFX_HAND = 16919 };

protected:
  void OnCancelMode();
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnEnable(BOOL bEnable);
  void OnSize(UINT nType, int cx, int cy);
  void OnKillFocus(CWnd* pNewWnd);
  void OnTimer(UINT_PTR nIDEvent);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  void ReadButtonType(DWORD& dwStyle);
  void ClearMouseFlags();
  void UncheckRadioGroup();
  CUfxButton* NextRadioInGroup(BOOL bForward);
  void Notify();
  static HCURSOR s_hHandCursor;
};
