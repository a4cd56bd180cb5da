// Shared pieces of the command-bar tests: button data offered as OLE data, a bar that lets a test start a drag of its own button, and a CBT hook that ends the
// next dialog with OK or Cancel.
#pragma once
#include "ToolbarTestKit.h"
#include "TestPump.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include <functional>
#include <memory>

namespace command_bars_test {

// A message round trip through the window: everything posted to it before has been handled.
inline void RoundTrip(HWND hwnd) { PumpRoundTrip(hwnd); }

// Data offered for a drop: a button's drag data, or any bytes under a format.
class OfferedData {
public:
  explicit OfferedData(CUfxToolbarButton& button) {
    ok = button.PrepareDrag(source) != FALSE;
    data.Attach(source.GetInterface(), FALSE);
  }
  OfferedData(CLIPFORMAT cf, const std::vector<BYTE>& bytes) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty()) memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    source.CacheGlobalData(cf, h);
    data.Attach(source.GetInterface(), FALSE);
  }
  // The bytes offered in the button format.
  std::vector<BYTE> Bytes() {
    std::vector<BYTE> bytes;
    HGLOBAL h = data.GetGlobalData(CUfxToolbarButton::GetClipboardFormat());
    if (h == nullptr) return bytes;
    const BYTE* p = (const BYTE*)::GlobalLock(h);
    bytes.assign(p, p + ::GlobalSize(h));
    ::GlobalUnlock(h);
    ::GlobalFree(h);
    return bytes;
  }
  COleDataSource source;
  COleDataObject data;
  bool ok = true;
};

// A toolbar whose customize state a test may set directly.
class CTestBar : public CUfxToolBar {
public:
  // As if the bar had begun dragging its button i from the point.
  void BeginDragOf(int i, CPoint ptStart) {
    m_pDragButton = GetButton(i);
    m_ptStartDrag = ptStart;
  }
  void Select(int i) { SelectForCustomize(i); }
  void SetLocked(BOOL bLocked) { m_bLocked = bLocked; }
  BOOL IsDragCopy() const { return m_bIsDragCopy; }
  // The bar answers copy where it would answer move, as with Ctrl held.
  void SetCopyOnly(BOOL bCopy) { m_bCopyOnly = bCopy; }
  DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override {
    return CUfxToolBar::OnDragOver(pDataObject, dwKeyState | (m_bCopyOnly ? MK_CONTROL : 0), point);
  }
  BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override {
    ++m_nDrops;
    m_iLastDropIndex = m_iDragIndex;
    return CUfxToolBar::OnDrop(pDataObject, dropEffect, point);
  }
  BOOL m_bCopyOnly = FALSE;
  int m_nDrops = 0;
  int m_iLastDropIndex = -2;
  CUfxBarDropTarget& DropTarget() { return m_DropTarget; }
  CRect ButtonRect(int i) const {
    CRect rect;
    GetButtonRect(i, rect);
    return rect;
  }
};

// Ends the next dialog that comes up on this thread with the given button (IDOK or IDCANCEL).
// It may first type a text into the dialog's control of that id.
class DialogAnswer {
public:
  explicit DialogAnswer(int nResult, UINT uiEditId = 0, const wchar_t* pszText = nullptr) {
    s_nResult = nResult;
    s_uiEditId = uiEditId;
    s_strText = pszText != nullptr ? pszText : L"";
    s_nShown = 0;
    m_hook = ::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
  }
  ~DialogAnswer() { ::UnhookWindowsHookEx(m_hook); }
  static int Shown() { return s_nShown; }

private:
  static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HCBT_ACTIVATE) {
      const HWND hwnd = (HWND)wParam;
      wchar_t szClass[16] = {};
      ::GetClassNameW(hwnd, szClass, 16);
      if (wcscmp(szClass, L"#32770") == 0) {
        ++s_nShown;
        if (s_uiEditId != 0) ::SetDlgItemTextW(hwnd, s_uiEditId, s_strText.c_str());
        ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(s_nResult, BN_CLICKED), (LPARAM)::GetDlgItem(hwnd, s_nResult));
      }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
  }
  HHOOK m_hook;
  static inline int s_nResult = IDOK;
  static inline UINT s_uiEditId = 0;
  static inline std::wstring s_strText;
  static inline int s_nShown = 0;
};

}  // namespace command_bars_test
