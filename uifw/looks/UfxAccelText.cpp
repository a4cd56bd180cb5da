#include "looks/UfxAccelText.h"

CString CUfxAccelText::GetKeyName(UINT uiVirtKey) {
  LONG lScan = (LONG)::MapVirtualKeyExW(uiVirtKey, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0)) << 16;
  // The navigation and editing keys are extended keys: their names are the grey keys', not the keypad's.
  if (uiVirtKey >= 33 && uiVirtKey <= 47) lScan |= 0x01000000;
  wchar_t name[51] = {};
  ::GetKeyNameTextW(lScan, name, 50);
  CString str(name);
  str.MakeLower();
  for (int i = 0; i < str.GetLength(); ++i) {
    if (::IsCharLowerW(str[i])) {
      str.SetAt(i, (wchar_t)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)str[i]));
      break;
    }
  }
  return str;
}

void CUfxAccelText::Format(CString& str) const {
  str.Empty();
  if (m_lpAccel == nullptr) return;
  const struct {
    BYTE flag;
    UINT vk;
  } modifiers[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}, {FALT, VK_MENU}};
  for (const auto& m : modifiers) {
    if (m_lpAccel->fVirt & m.flag) {
      str += GetKeyName(m.vk);
      str += L"+";
    }
  }
  if (m_lpAccel->fVirt & FVIRTKEY) str += GetKeyName(m_lpAccel->key);
  else if (m_lpAccel->key != 27) str += (wchar_t)(BYTE)m_lpAccel->key;
}
