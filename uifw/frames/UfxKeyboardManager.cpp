#include "frames/UfxKeyboardManager.h"
#include "looks/UfxAccelText.h"
#include "frames/UfxRegistryPtr.h"
#include <vector>

CUfxKeyboardManager* UfxKeyboardManager = nullptr;

namespace {
const wchar_t kValueAccelerators[] = L"Accelerators";
const int kAccelBytes = 6;  // fVirt, a padding byte, key, cmd

// A copy of one table's entries and the table it was copied from.
struct AccelCopy {
  HACCEL hSource = nullptr;
  std::vector<ACCEL> entries;
};
AccelCopy g_defaultFrameCopy;
AccelCopy g_otherFrameCopy;

std::vector<ACCEL> TableEntries(HACCEL hAccel) {
  std::vector<ACCEL> entries;
  const int n = hAccel ? ::CopyAcceleratorTableW(hAccel, nullptr, 0) : 0;
  if (n > 0) {
    entries.resize((size_t)n);
    ::CopyAcceleratorTableW(hAccel, entries.data(), n);
  }
  return entries;
}

CString KeyName(LPCWSTR lpszSection, UINT uiResId) {
  CString str;
  str.Format(L"%sUfxKeyboard-%d", lpszSection ? lpszSection : L"", uiResId);
  return str;
}
}  // namespace

CUfxKeyboardManager::CUfxKeyboardManager() { UfxKeyboardManager = this; }

CUfxKeyboardManager::~CUfxKeyboardManager() {
  if (UfxKeyboardManager == this) UfxKeyboardManager = nullptr;
}

namespace {
// Runs f for every multiple-document template of the application that has a table.
template <class F> void ForEachTemplateWithTable(F f) {
  CWinApp* pApp = AfxGetApp();
  if (pApp == nullptr) return;
  for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;) {
    CMultiDocTemplate* pTemplate = DYNAMIC_DOWNCAST(CMultiDocTemplate, pApp->GetNextDocTemplate(pos));
    if (pTemplate != nullptr && pTemplate->m_hAccelTable != nullptr) f(pTemplate);
  }
}
}  // namespace

CFrameWnd* CUfxKeyboardManager::DefaultFrame(CFrameWnd* pDefaultFrame) {
  if (pDefaultFrame != nullptr) return pDefaultFrame;
  return DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
}

BOOL CUfxKeyboardManager::LoadState(LPCWSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
  const CString strSection = UfxGetRegPath(L"UfxKeyboardManager", lpszProfileName);
  ForEachTemplateWithTable([&](CMultiDocTemplate* pTemplate) {
    if (HACCEL hAccel = LoadAccelTable(strSection, pTemplate->m_nIDResource)) {
      if (!UpdateAcceleratorTable(pTemplate, hAccel)) ::DestroyAcceleratorTable(hAccel);
    }
  });
  CFrameWnd* pFrame = DefaultFrame(pDefaultFrame);
  if (pFrame != nullptr && pFrame->m_hAccelTable != nullptr) {
    if (HACCEL hAccel = LoadAccelTable(strSection, 0)) {
      if (!UpdateAcceleratorTable(nullptr, hAccel, pFrame)) ::DestroyAcceleratorTable(hAccel);
    }
  }
  return TRUE;
}

BOOL CUfxKeyboardManager::SaveState(LPCWSTR lpszProfileName, CFrameWnd* pDefaultFrame) {
  const CString strSection = UfxGetRegPath(L"UfxKeyboardManager", lpszProfileName);
  ForEachTemplateWithTable([&](CMultiDocTemplate* pTemplate) {
    SaveAccelTable(strSection, pTemplate->m_nIDResource, pTemplate->m_hAccelTable);
  });
  CFrameWnd* pFrame = DefaultFrame(pDefaultFrame);
  if (pFrame != nullptr && pFrame->m_hAccelTable != nullptr) SaveAccelTable(strSection, 0, pFrame->m_hAccelTable);
  return TRUE;
}

HACCEL CUfxKeyboardManager::LoadAccelTable(LPCWSTR lpszSection, UINT uiResId) {
  CUfxRegistryPtr reg;
  CUfxRegistry& in = reg.Create(FALSE, TRUE);
  if (!in.Open(KeyName(lpszSection, uiResId))) return nullptr;
  BYTE* pData = nullptr;
  UINT nBytes = 0;
  if (!in.Read(kValueAccelerators, &pData, &nBytes)) return nullptr;
  HACCEL hAccel = nullptr;
  const int nCount = (int)(nBytes / kAccelBytes);
  if (nCount > 0) {
    std::vector<ACCEL> entries((size_t)nCount);
    memcpy(entries.data(), pData, (size_t)nCount * kAccelBytes);
    hAccel = ::CreateAcceleratorTableW(entries.data(), nCount);
  }
  delete[] pData;
  return hAccel;
}

BOOL CUfxKeyboardManager::SaveAccelTable(LPCWSTR lpszSection, UINT uiResId, HACCEL hAccelTable) {
  std::vector<ACCEL> entries = TableEntries(hAccelTable);
  if (entries.empty()) return FALSE;
  CUfxRegistryPtr reg;
  CUfxRegistry& out = reg.Create(FALSE, FALSE);
  if (!out.CreateKey(KeyName(lpszSection, uiResId))) return FALSE;
  return out.Write(kValueAccelerators, (LPBYTE)entries.data(), (UINT)(entries.size() * kAccelBytes));
}

BOOL CUfxKeyboardManager::UpdateAccelTable(CDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                           CFrameWnd* pDefaultFrame) {
  if (lpAccel == nullptr || nSize <= 0) return FALSE;
  HACCEL hAccelNew = ::CreateAcceleratorTableW(lpAccel, nSize);
  if (hAccelNew == nullptr) return FALSE;
  if (!UpdateAcceleratorTable(pTemplate, hAccelNew, pDefaultFrame)) {
    ::DestroyAcceleratorTable(hAccelNew);
    return FALSE;
  }
  return TRUE;
}

BOOL CUfxKeyboardManager::UpdateAcceleratorTable(CDocTemplate* pTemplate, HACCEL hAccelNew,
                                                 CFrameWnd* pDefaultFrame) {
  if (hAccelNew == nullptr) return FALSE;
  if (pTemplate != nullptr) {
    CMultiDocTemplate* pMulti = DYNAMIC_DOWNCAST(CMultiDocTemplate, pTemplate);
    if (pMulti == nullptr || pMulti->m_hAccelTable == nullptr) return FALSE;
    HACCEL hAccelOld = pMulti->m_hAccelTable;
    pMulti->m_hAccelTable = hAccelNew;
    // The frames of the template's views that had the old table take the new one.
    for (POSITION posDoc = pMulti->GetFirstDocPosition(); posDoc != nullptr;) {
      CDocument* pDoc = pMulti->GetNextDoc(posDoc);
      for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;) {
        CFrameWnd* pChild = pDoc->GetNextView(posView)->GetParentFrame();
        if (pChild != nullptr && pChild->m_hAccelTable == hAccelOld) pChild->m_hAccelTable = hAccelNew;
      }
    }
    ::DestroyAcceleratorTable(hAccelOld);
    CleanUp();
    return TRUE;
  }
  CFrameWnd* pFrame = DefaultFrame(pDefaultFrame);
  if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr) return FALSE;
  HACCEL hAccelOld = pFrame->m_hAccelTable;
  pFrame->m_hAccelTable = hAccelNew;
  ::DestroyAcceleratorTable(hAccelOld);
  CleanUp();  // a new table may come back under the old one's handle
  return TRUE;
}

void CUfxKeyboardManager::ResetAll() {
  ForEachTemplateWithTable([](CMultiDocTemplate* pTemplate) {
    HACCEL hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pTemplate->m_nIDResource));
    if (hAccel != nullptr && !UpdateAcceleratorTable(pTemplate, hAccel)) ::DestroyAcceleratorTable(hAccel);
  });
  CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  if (pFrame == nullptr || pFrame->m_hAccelTable == nullptr) return;
  // The frame's resource id is the one it was loaded with.
  HACCEL hAccel = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pFrame->m_nIDHelp));
  if (hAccel == nullptr) return;
  ::DestroyAcceleratorTable(pFrame->m_hAccelTable);
  pFrame->m_hAccelTable = hAccel;
  CleanUp();
}

const ACCEL* CUfxKeyboardManager::AccelEntries(CFrameWnd* pWndFrame, BOOL bIsDefaultFrame, int& nCount) {
  nCount = 0;
  HACCEL hAccel = pWndFrame ? pWndFrame->GetDefaultAccelerator() : nullptr;
  if (hAccel == nullptr) return nullptr;
  AccelCopy& copy = bIsDefaultFrame ? g_defaultFrameCopy : g_otherFrameCopy;
  if (copy.hSource != hAccel) {
    copy.entries = TableEntries(hAccel);
    copy.hSource = hAccel;
  }
  nCount = (int)copy.entries.size();
  return copy.entries.data();
}

BOOL CUfxKeyboardManager::IsKeyInAccelTable(UINT uiKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
  int nCount = 0;
  const ACCEL* pEntries = AccelEntries(pWndFrame, bIsDefaultFrame, nCount);
  for (int i = 0; i < nCount; ++i)
    if (pEntries[i].key == uiKey && pEntries[i].fVirt == fVirt) return TRUE;
  return FALSE;
}

BOOL CUfxKeyboardManager::GetShortcutText(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame) {
  str.Empty();
  int nCount = 0;
  const ACCEL* pEntries = AccelEntries(pWndFrame, bIsDefaultFrame, nCount);
  for (int i = 0; i < nCount; ++i) {
    if (pEntries[i].cmd == uiCmd) {
      ACCEL entry = pEntries[i];
      CUfxAccelText(&entry).Format(str);
      return TRUE;
    }
  }
  return FALSE;
}

UINT CUfxKeyboardManager::TranslateCharToUpper(UINT nChar) {
  const BOOL bAlt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
  if (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9 && !bAlt) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    WORD ch = 0;
    if (::ToAsciiEx(nChar, ::MapVirtualKeyW(nChar, MAPVK_VK_TO_VSC), keys, &ch, 0, ::GetKeyboardLayout(0)) == 1)
      return (UINT)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)(BYTE)ch);
    return nChar;
  }
  if (bAlt) return nChar;
  return (UINT)(UINT_PTR)::CharUpperW((LPWSTR)(UINT_PTR)nChar);
}

void CUfxKeyboardManager::CleanUp() {
  for (AccelCopy* copy : {&g_defaultFrameCopy, &g_otherFrameCopy}) {
    copy->entries.clear();
    copy->entries.shrink_to_fit();
    copy->hSource = nullptr;
  }
}
