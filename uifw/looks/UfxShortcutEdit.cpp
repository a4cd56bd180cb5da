#include "looks/UfxShortcutEdit.h"

IMPLEMENT_DYNAMIC(CUfxShortcutEdit, CEdit)

BEGIN_MESSAGE_MAP(CUfxShortcutEdit, CEdit)
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {
const BYTE kModifierFlags[] = {FSHIFT, FCONTROL, FALT};  // for virtual keys 16, 17 and 18
}

CUfxShortcutEdit::CUfxShortcutEdit() : m_Helper(&m_Accel) {}

void CUfxShortcutEdit::ResetKey() {
  m_Accel = ACCEL{};
  m_bIsKeyDefined = FALSE;
  if (GetSafeHwnd() != nullptr) SetWindowText(L"");
}

void CUfxShortcutEdit::OnKillFocus(CWnd* pNewWnd) {
  m_bIsFocused = FALSE;
  CEdit::OnKillFocus(pNewWnd);
}

BOOL CUfxShortcutEdit::PreTranslateMessage(MSG* pMsg) {
  switch (pMsg->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      return OnMouse(pMsg);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return OnKey(pMsg);
  }
  return CEdit::PreTranslateMessage(pMsg);
}

BOOL CUfxShortcutEdit::OnMouse(MSG*) {
  m_bIsFocused = TRUE;
  SetFocus();
  return TRUE;
}

BOOL CUfxShortcutEdit::OnKey(MSG* pMsg) {
  const BOOL bPress = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
  const UINT uiKey = (UINT)pMsg->wParam;
  const BOOL bRepeat = (pMsg->lParam & (1 << 30)) != 0;
  if (bPress && m_bIsKeyDefined && !bRepeat) ResetKey();
  if (uiKey >= VK_SHIFT && uiKey <= VK_MENU) {
    if (!m_bIsKeyDefined) {
      const BYTE flag = kModifierFlags[uiKey - VK_SHIFT];
      if (bPress) m_Accel.fVirt |= flag;
      else m_Accel.fVirt &= (BYTE)~flag;
    }
  } else if (!m_bIsKeyDefined) {
    // The key that brought the focus by keyboard only arms the edit.
    if (!m_bIsFocused) {
      m_bIsFocused = TRUE;
      return TRUE;
    }
    m_Accel.key = (WORD)uiKey;
    if (bPress) {
      m_bIsKeyDefined = TRUE;
      m_Accel.fVirt |= FVIRTKEY;
    }
  }
  const BOOL bModifiers = (m_Accel.fVirt & (FSHIFT | FCONTROL | FALT)) != 0;
  if (!bModifiers && (m_Accel.fVirt & FVIRTKEY)) {
    if (m_Accel.key == VK_TAB) {
      ResetKey();
      return FALSE;  // the focus moves on
    }
    if (m_Accel.key == VK_ESCAPE) {
      ResetKey();
      return TRUE;
    }
  }
  CString strText;
  m_Helper.Format(strText);
  SetWindowText(strText);
  return TRUE;
}
