// CUfxToolbarEditBoxButton: a single-line edit field on a toolbar. The button owns the field
// (made on horizontal bars), keeps its text while no field exists, stores it, and keeps every
// button of its command showing the same text.
#pragma once
#include "bars/UfxToolbarButton.h"
#include "FwControls.h"

class CUfxToolbarEditBoxButton;

// The edit field of an edit-box button: it makes its button hot under the mouse and while it has
// the focus; Tab moves on, Esc gives the focus back to the frame.
class CUfxToolbarEditCtrl : public CEdit {
public:
  explicit CUfxToolbarEditCtrl(CUfxToolbarEditBoxButton& button) : m_button(button) {}
  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

  CUfxToolbarEditBoxButton& m_button;
  BOOL m_bTracked = FALSE;
};

class CUfxToolbarEditBoxButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CUfxToolbarEditBoxButton)
  friend class CUfxToolbarEditCtrl;
public:
  CUfxToolbarEditBoxButton();
  CUfxToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = kDefaultStyle, int iWidth = 0);
  ~CUfxToolbarEditBoxButton() override;

  static const DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
  static const int kDefaultWidth = 150;

  void Serialize(CArchive& ar) override;
  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
  void OnParentChanged(CWnd* pWndParent) override;
  void OnMove() override;
  void OnSize(int iSize) override;
  HWND GetHwnd() override;
  BOOL CanBeStretched() const override { return TRUE; }
  BOOL NotifyCommand(int iNotifyCode) override;
  void SyncWithSameCommand() override;
  HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
  BOOL IsBorderDrawn() const override;
  int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
  void Show(BOOL bShow) override;
  const CRect Rect() const override;
  void SetStyle(UINT nStyle) override;

  // New slots, in this order.
  virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
  virtual void SetContents(const CString& strContents);
  virtual CRect GetEditBorder() const;

  const CString& GetContents() const { return m_strContents; }
  CEdit* GetEditBox() const { return m_pWndEdit; }
  BOOL IsHot() const { return m_bIsHotEdit; }
  int GetWidth() const { return m_iWidth; }
  // The height of the field on the bar: the control font's text and the edit borders.
  static int EditHeight();

  // Fields, in this order.
  DWORD m_dwStyle = kDefaultStyle;
  CEdit* m_pWndEdit = nullptr;
  CString m_strContents;
  BOOL m_bChangingText = FALSE;
  int m_iWidth = kDefaultWidth;
  BOOL m_bHorz = TRUE;
  BOOL m_bIsHotEdit = FALSE;

protected:
  void SetHotEdit(BOOL bHot);
  void DestroyEdit();
  BOOL IsDisabledNow() const;
  void WriteToWindow(const CString& strText);
};
