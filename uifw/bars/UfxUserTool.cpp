#include "bars/UfxUserTool.h"
#include <shellapi.h>
#include <algorithm>

IMPLEMENT_SERIAL(CUfxUserTool, CObject, VERSIONABLE_SCHEMA | 1)

namespace {
const UINT kIdDefaultToolIcon = 16931;
const UINT kIdsCannotPrepareImage = 16008;
const UINT kIdsCannotCopyImage = 16010;

void ShowMessage(UINT uiId) {
  CString strMessage;
  strMessage.LoadString(uiId);
  AfxMessageBox(strMessage, MB_OK | MB_ICONSTOP);
}
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

void CUfxUserTool::DrawIcon(CDC* pDC, const CRect& rect) {
  const CSize sizeIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
  const int x = std::max((int)rect.left, (int)(rect.left + (rect.Width() - sizeIcon.cx) / 2));
  const int y = std::max((int)rect.top, (int)(rect.top + (rect.Height() - sizeIcon.cy) / 2));
  ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, sizeIcon.cx, sizeIcon.cy, 0, nullptr, DI_NORMAL);
}

BOOL CUfxUserTool::CopyIconToClipboard() {
  try {
    const CSize sizeIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    CWindowDC dcScreen(nullptr);
    CDC dcMem;
    CBitmap bitmap;
    if (!dcMem.CreateCompatibleDC(&dcScreen) || !bitmap.CreateCompatibleBitmap(&dcScreen, sizeIcon.cx, sizeIcon.cy)) {
      ShowMessage(kIdsCannotCopyImage);
      return FALSE;
    }
    CBitmap* pOld = dcMem.SelectObject(&bitmap);
    dcMem.FillSolidRect(0, 0, sizeIcon.cx, sizeIcon.cy, ::GetSysColor(COLOR_BTNFACE));
    DrawIcon(&dcMem, CRect(0, 0, sizeIcon.cx, sizeIcon.cy));
    dcMem.SelectObject(pOld);
    CWnd* pMain = AfxGetMainWnd();
    if (!::OpenClipboard(pMain != nullptr ? pMain->GetSafeHwnd() : nullptr)) {
      ShowMessage(kIdsCannotCopyImage);
      return FALSE;
    }
    BOOL bDone = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bitmap.GetSafeHandle()) != nullptr;
    ::CloseClipboard();
    if (!bDone) {
      ShowMessage(kIdsCannotCopyImage);
      return FALSE;
    }
    bitmap.Detach();  // the clipboard owns it now
    return TRUE;
  } catch (CException* e) {
    e->Delete();
    ShowMessage(kIdsCannotPrepareImage);
    return FALSE;
  }
}
