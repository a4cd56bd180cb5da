#include "bars/UfxUserTool.h"
#include <shellapi.h>

IMPLEMENT_SERIAL(CUfxUserTool, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
const UINT kIdDefaultToolIcon = 16931;
HICON g_hDefaultIcon = nullptr;  // shared by every tool, never destroyed
}  // namespace

CUfxUserTool::CUfxUserTool() = default;

CUfxUserTool::~CUfxUserTool() { ReleaseIcon(); }

void CUfxUserTool::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << m_uiCmdId;
    return;
  }
  CString strCommand;
  ar >> m_strLabel >> strCommand >> m_strArguments >> m_strInitialDirectory >> m_uiCmdId;
  SetCommand(strCommand);
}

BOOL CUfxUserTool::Invoke() {
  if (m_strCommand.IsEmpty()) return FALSE;
  CWnd* pMain = AfxGetMainWnd();
  const HINSTANCE hResult =
      ::ShellExecuteW(pMain ? pMain->GetSafeHwnd() : nullptr, nullptr, m_strCommand,
                      m_strArguments.IsEmpty() ? nullptr : (LPCWSTR)m_strArguments,
                      m_strInitialDirectory.IsEmpty() ? nullptr : (LPCWSTR)m_strInitialDirectory, SW_SHOWNORMAL);
  return (INT_PTR)hResult > 32;
}

void CUfxUserTool::SetCommand(LPCWSTR lpszCmd) {
  const CString strCmd = lpszCmd ? lpszCmd : L"";
  if (strCmd == m_strCommand && m_hIcon != nullptr) return;
  m_strCommand = strCmd;
  ReleaseIcon();
  m_hIcon = LoadIcon();
}

HICON CUfxUserTool::LoadIcon() {
  CString strPath = m_strCommand;
  if (strPath.IsEmpty()) return GetDefaultIcon();
  if (strPath.FindOneOf(L"\\/:") < 0) {
    wchar_t found[MAX_PATH] = {};
    if (::SearchPathW(nullptr, strPath, nullptr, MAX_PATH, found, nullptr) == 0) return GetDefaultIcon();
    strPath = found;
  }
  SHFILEINFOW sfi = {};
  if (::SHGetFileInfoW(strPath, 0, &sfi, sizeof(sfi), SHGFI_ICON | SHGFI_SMALLICON) == 0 || sfi.hIcon == nullptr)
    return GetDefaultIcon();
  return sfi.hIcon;
}

HICON CUfxUserTool::GetDefaultIcon() {
  if (g_hDefaultIcon == nullptr)
    g_hDefaultIcon = (HICON)::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kIdDefaultToolIcon), IMAGE_ICON,
                                         ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0);
  return g_hDefaultIcon;
}

void CUfxUserTool::ReleaseIcon() {
  if (m_hIcon != nullptr && m_hIcon != g_hDefaultIcon) ::DestroyIcon(m_hIcon);
  m_hIcon = nullptr;
}
