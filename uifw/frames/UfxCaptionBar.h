// CUfxCaptionBar: a full-width bar docked at the top of a frame that shows an image, a message
// text and an optional text button on one line, with border strips above and below. Colours come
// from the visual manager unless the bar sets its own.
#pragma once
#include "Framework.h"
#include "bars/UfxToolBarImages.h"

class CUfxCaptionBar : public CControlBar {
  DECLARE_DYNCREATE(CUfxCaptionBar)
public:
  enum BarElementAlignment { ALIGN_INVALID = 0, ALIGN_LEFT = 1, ALIGN_RIGHT = 2, ALIGN_CENTER = 3 };

  CUfxCaptionBar();
  ~CUfxCaptionBar() override;

  BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight = -1);
  void SetText(const CString& strText, int nAlignment = ALIGN_LEFT);
  void SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch = FALSE, int nAlignment = ALIGN_LEFT);
  void SetIcon(HICON hIcon, int nAlignment = ALIGN_LEFT);
  void SetButton(LPCWSTR lpszLabel, UINT uiCmdUI, int nAlignment = ALIGN_LEFT);
  void EnableButton(BOOL bEnable = TRUE);

  CString GetText() const { return m_strText; }
  int GetCurrentHeight() const { return m_nCurrentHeight; }
  CRect GetImageRect() const { return m_rectImage; }
  CRect GetTextRect() const { return m_rectText; }
  CRect GetTextDrawRect() const { return m_rectDrawText; }
  CRect GetButtonRect() const { return m_rectButton; }
  BOOL IsButtonPressed() const { return m_bIsBtnPressed; }
  BOOL IsButtonHighlighted() const { return m_bIsBtnHighlighted; }

  // Colours and metrics the bar may override (-1: the look's own).
  COLORREF m_clrBarText = (COLORREF)-1;
  COLORREF m_clrBarBackground = (COLORREF)-1;
  COLORREF m_clrBarBorder = (COLORREF)-1;
  int m_nBorderSize = 4;
  int m_nMargin = 4;
  int m_nHorzElementOffset = 4;
  BOOL m_bFlatBorder = FALSE;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

  virtual void OnDrawBackground(CDC* pDC, CRect rect);
  virtual void OnDrawBorder(CDC* pDC, CRect rect);
  virtual void OnDrawText(CDC* pDC, CRect rect, const CString& strText);
  virtual void OnDrawImage(CDC* pDC, CRect rect);
  virtual void OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled);
  virtual void AdjustLayout();
  virtual void RecalcLayout();

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);

protected:
  HICON m_hIcon = nullptr;
  CUfxToolBarImages m_Bmp;
  BOOL m_bStretchImage = FALSE;
  int m_nBmpAlignment = ALIGN_LEFT;
  CRect m_rectImage;
  HFONT m_hFont = nullptr;
  CString m_strText;
  int m_nTextAlignment = ALIGN_LEFT;
  CRect m_rectText;
  CRect m_rectDrawText;
  CString m_strBtnText;
  UINT m_uiBtnID = 0;
  int m_nBtnAlignment = ALIGN_LEFT;
  CRect m_rectButton;
  BOOL m_bIsBtnPressed = FALSE;
  BOOL m_bIsBtnHighlighted = FALSE;
  BOOL m_bTracked = FALSE;
  BOOL m_bBtnEnabled = TRUE;
  int m_nDefaultHeight = -1;
  int m_nCurrentHeight = 0;
  COLORREF m_clrTransparent = (COLORREF)-1;

  HFONT GetCurrentFont() const;
  CSize GetImageSize() const;
  BOOL HasActiveButton() const { return m_uiBtnID != 0 && m_bBtnEnabled; }
  // The parts of RecalcLayout: placing the centred elements and clipping the text.
  void LayoutCentered(int xCenter, const CRect& rectClient);
  void ClipTextAndImage(const CRect& rectClient);
  // Cuts rect where it overlaps other (widened by the spacing); bLeft: rect lies left of other.
  void CheckRectangle(CRect& rect, const CRect& rectOther, BOOL bLeft) const;
  void RedrawButton();
  CWnd* GetCommandTarget() const;
  DECLARE_MESSAGE_MAP()
};
