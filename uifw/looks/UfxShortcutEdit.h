// CUfxShortcutEdit: an edit control that records a key combination instead of text. A press of
// Shift, Ctrl or Alt is remembered; the next key completes the combination and shows its name.
#pragma once
#include "Framework.h"
#include "looks/UfxAccelText.h"

class CUfxShortcutEdit : public CEdit {
  DECLARE_DYNAMIC(CUfxShortcutEdit)
public:
  CUfxShortcutEdit();
  // Forgets the recorded combination and empties the text.
  void ResetKey();
  BOOL IsKeyDefined() const { return m_bIsKeyDefined; }
  const ACCEL& GetAccel() const { return m_Accel; }

  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  BOOL OnMouse(MSG* pMsg);
  BOOL OnKey(MSG* pMsg);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  ACCEL m_Accel = {};
  BOOL m_bIsKeyDefined = FALSE;
  BOOL m_bIsFocused = FALSE;  // armed: a key now counts
  CUfxAccelText m_Helper;
  DECLARE_MESSAGE_MAP()
};
