// CUfxToolbarComboBoxButton: a combo box on a toolbar. The button owns the combo window (made on
// horizontal bars), keeps the items and their data while no window exists, stores them, and keeps
// every button of its command showing the same choice.
#pragma once
#include "bars/UfxToolbarButton.h"

class CComboBox;

class CUfxToolbarComboBoxButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CUfxToolbarComboBoxButton)
public:
  CUfxToolbarComboBoxButton();
  CUfxToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = kDefaultStyle, int iWidth = 0);
  ~CUfxToolbarComboBoxButton() override;

  static const DWORD kDefaultStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_DROPDOWNLIST;
  static const int kDefaultWidth = 150;

  void Serialize(CArchive& ar) override;
  void CopyFrom(const CUfxToolbarButton& src) override;
  void OnDraw(CDC* pDC, const CRect& rect, CUfxToolBarImages* pImages, BOOL bHorz = TRUE,
              BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
              BOOL bGrayDisabledButtons = TRUE) override;
  SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
  BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
  void OnParentChanged(CWnd* pWndParent) override;
  BOOL ExportToMenuButton(CUfxToolbarMenuButton& menuButton) const override;
  void OnMove() override;
  void OnSize(int iSize) override;
  HWND GetHwnd() override;
  BOOL CanBeStretched() const override { return TRUE; }
  BOOL NotifyCommand(int iNotifyCode) override;
  void SyncWithSameCommand() override;
  HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override;
  void OnGlobalFontsChanged() override;
  int OnDrawOnCustomizeList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
  void Show(BOOL bShow) override;
  void SetStyle(UINT nStyle) override;
  void EnableWindow(BOOL bEnable = TRUE) override;
  BOOL IsWindowVisible() override;
  BOOL IsOwnerOf(HWND hwnd) override;
  BOOL HasFocus() const override;

  // New slots, in this order.
  virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
  // The item texts as a string list and one DWORD of data each, when the items are stored.
  virtual void SerializeItems(CArchive& ar);
  virtual void OnBeforeItemsChange() {}
  virtual void OnAfterItemsChange() {}
  virtual BOOL IsReservedQuery() const { return TRUE; }

  // Selects the item: the stored selection, the text and the window follow; with bNotify the
  // choice is told as if the user made it. FALSE for an index outside the items.
  BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
  int AddItem(LPCWSTR lpszItem, DWORD dwData = 0);
  int GetCount() const { return (int)m_lstItems.GetCount(); }
  CString GetItem(int iIndex) const;
  DWORD GetItemData(int iIndex) const;
  int GetCurSel() const { return m_iSelIndex; }
  const CString& GetText() const { return m_strEdit; }
  CComboBox* GetComboBox() const { return m_pWndCombo; }
  int GetWidth() const { return m_iWidth; }
  int GetDropDownHeight() const { return m_nDropDownHeight; }
  void SetDropDownHeight(int nHeight) { m_nDropDownHeight = nHeight; }
  void EnableItemsStore(BOOL bStore) { m_bSerializeItems = bStore; }

  // Fields, in this order.
  DWORD m_dwStyle = kDefaultStyle;
  CComboBox* m_pWndCombo = nullptr;
  CStringList m_lstItems;
  CList<DWORD, DWORD> m_lstItemData;
  int m_iWidth = kDefaultWidth;
  int m_iSelIndex = -1;
  BOOL m_bSerializeItems = TRUE;
  BOOL m_bHorz = TRUE;
  CString m_strEdit;
  CRect m_rectCombo;
  int m_nDropDownHeight = 150;

protected:
  // The items and the selection read back from the window.
  void ReadItemsFromWindow();
  void FillWindowFromItems();
  void DestroyCombo();
  BOOL IsDisabledNow() const;
  // The archive carries the dropped height when it is of the current layout or of a version
  // that had it.
  static BOOL ArchiveCarriesDropDownHeight();
  // The label below the control on horizontal bars, measured or drawn.
  int MeasureLabelBelow(CDC* pDC, int nWidth) const;
};

// The label drawn under a control of a horizontal toolbar, in the disabled, highlighted or
// window text colour.
void UfxDrawControlLabel(CDC* pDC, CUfxToolbarButton* pButton, const CRect& rectLabel, BOOL bDisabled, BOOL bHighlight);
