// CUfxEditListBase: the caption strip of an edit list, with the window's text and a row of small
// buttons (new, delete, move up, move down and any the owner adds) at its right end, their keys
// and what they do. The list part comes with CUfxListEditorCtrl.
#pragma once
#include "Framework.h"

class CUfxButton;

class CUfxEditListBase : public CStatic {
  DECLARE_DYNAMIC(CUfxEditListBase)
public:
  // Standard buttons.
  enum { BGCEDITLISTBOX_BTN_NEW = 0x0001, BGCEDITLISTBOX_BTN_DELETE = 0x0002, BGCEDITLISTBOX_BTN_UP = 0x0004,
         BGCEDITLISTBOX_BTN_DOWN = 0x0008 };
  // What a button does.
  enum { ActionNew = -11, ActionDelete = -12, ActionUp = -13, ActionDown = -14 };
  // Modifier flags of a button's key.
  enum { ModShift = 4, ModCtrl = 8, ModAlt = 16 };

  CUfxEditListBase();
  ~CUfxEditListBase() override;

  // Items, in slot order.
  virtual int AddItem(const CString& strText, DWORD_PTR dwData = 0, int iIndex = -1) = 0;
  virtual BOOL RemoveItem(int iIndex) = 0;
  virtual int GetCount() const = 0;
  virtual int GetSelItem() const = 0;
  virtual BOOL SelectItem(int iItem) = 0;
  virtual CString GetItemText(int iIndex) const = 0;
  virtual BOOL SetItemText(int iIndex, const CString& strText) = 0;
  virtual DWORD_PTR GetItemData(int iIndex) const = 0;
  virtual BOOL SetItemData(int iIndex, DWORD_PTR dwData) = 0;
  virtual BOOL EditItem(int iIndex) = 0;
  virtual void OnClickButton(int iButton);
  virtual void OnKey(UINT uiKey, UINT uiFlags) {}
  virtual void OnEndEditLabel(LPCWSTR lpszLabel) {}
  virtual int OnGetImage(LV_ITEMW* pItem) { return -1; }
  virtual void OnSelectionChanged() {}
  virtual BOOL OnBeforeRemoveItem(int iItem) { return TRUE; }
  virtual void OnAfterAddItem(int iItem) {}
  virtual void OnAfterRenameItem(int iItem) {}
  virtual void OnAfterMoveItemUp(int iItem) {}
  virtual void OnAfterMoveItemDown(int iItem) {}
  virtual void OnDrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed, BOOL bIsButtonHot);
  virtual void OnBrowse() {}
  virtual void CreateNewItem() = 0;
  virtual HWND GetListHwnd() const = 0;
  virtual void CreateList() = 0;
  virtual void AdjustColumnWidth() {}

  // Adds the standard buttons for the flags; FALSE without a window.
  BOOL SetStandardButtons(UINT uiBtns = BGCEDITLISTBOX_BTN_NEW | BGCEDITLISTBOX_BTN_DELETE |
                                        BGCEDITLISTBOX_BTN_UP | BGCEDITLISTBOX_BTN_DOWN);
  // A button with the picture, tooltip and key; TRUE when created.
  BOOL AddButton(UINT uiImageId, LPCWSTR lpszTooltip = nullptr, WORD wKeyAccelerator = 0, BYTE fVirt = 0,
                 UINT uiButtonID = 0);
  int GetButtonsCount() const { return (int)m_lstButtons.GetCount(); }
  CUfxButton* GetButton(int iIndex) const;
  int GetButtonNum(UINT uiID) const;
  void EnableBrowseButton(BOOL bEnable = TRUE) { m_bBrowseButton = bEnable; }
  BOOL HasBrowseButton() const { return m_bBrowseButton; }
  CRect GetCaptionRect() const { return m_rectCaption; }
  UINT GetStandardButtons() const { return m_uiStandardBtns; }
  // The modifier state now: Shift 4, Ctrl 8, Alt 16.
  static UINT GetModifiers();

  // Fields, in this order.
  CList<CUfxButton*, CUfxButton*> m_lstButtons;
  CList<DWORD, DWORD> m_lstKeyAccell;
  CMap<int, int, UINT, UINT> m_mapButtonIDs;
  CSize m_sizeButton = CSize(0, 0);
  CRect m_rectCaption;
  UINT m_uiStandardBtns = 0;
  BOOL m_bNewItem = FALSE;
  CFont m_font;
  BOOL m_bIsActualDelete = TRUE;   // notifications on; off while an item is moved
  BOOL m_bBrowseButton = FALSE;
  BOOL m_bGrayDisabledButtons = TRUE;

protected:
  void Init();
  void EnableButtons(BOOL bEnable);
  // Caption and buttons, then the list below.
  virtual void Layout();
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL m_bInCreate = FALSE;  // made by Create: the parts come with WM_CREATE

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
