#include "UfxDialogMenuHelper.h"
#include "UfxPopupMenu.h"

CUfxPopupMenu* CUfxDialogMenuHelper::s_pActivePopup = nullptr;
CUfxDialogMenuHelper* CUfxDialogMenuHelper::s_pActiveHelper = nullptr;
HHOOK CUfxDialogMenuHelper::s_hookMouse = nullptr;

CUfxDialogMenuHelper::~CUfxDialogMenuHelper() = default;
void CUfxDialogMenuHelper::SetActiveMenu(CUfxPopupMenu* pMenu) { s_pActivePopup = pMenu; }
BOOL CUfxDialogMenuHelper::ProcessMessage(MSG*) { return FALSE; }
BOOL CUfxDialogMenuHelper::ProcessMouseClick(POINT) { return FALSE; }
BOOL CUfxDialogMenuHelper::ProcessMouseMove(POINT) { return FALSE; }
BOOL CUfxDialogMenuHelper::OnCommand(WPARAM) { return FALSE; }
void CUfxDialogMenuHelper::OnNcActivate(BOOL&) {}
void CUfxDialogMenuHelper::OnActivate(UINT, CWnd*) {}
LRESULT CALLBACK CUfxDialogMenuHelper::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  return ::CallNextHookEx(s_hookMouse, nCode, wParam, lParam);
}
BOOL CUfxDialogMenuHelper::IsPopupLive() const { return FALSE; }
void CUfxDialogMenuHelper::ClosePopup(CUfxPopupMenu*) {}
BOOL CUfxDialogMenuHelper::TestParentPopup(CUfxPopupMenu*, POINT, BOOL&) { return FALSE; }
