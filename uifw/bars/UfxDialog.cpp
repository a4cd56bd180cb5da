#include "bars/UfxDialog.h"
#include "bars/UfxPopupMenu.h"

IMPLEMENT_DYNAMIC(CUfxDialog, CDialog)

CUfxPopupMenu* CUfxDialog::s_pActivePopupMenu = nullptr;
CUfxDialog* CUfxDialog::s_pActiveDialog = nullptr;

CUfxDialog::CUfxDialog() : m_Impl(this) {}
CUfxDialog::CUfxDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent), m_Impl(this) {}
CUfxDialog::CUfxDialog(LPCWSTR lpszTemplateName, CWnd* pParent) : CDialog(lpszTemplateName, pParent), m_Impl(this) {}
CUfxDialog::~CUfxDialog() {
  if (s_pActiveDialog == this) SetActivePopupMenu(nullptr);
}
void CUfxDialog::SetActivePopupMenu(CUfxPopupMenu* pMenu) {
  s_pActivePopupMenu = pMenu;
  s_pActiveDialog = pMenu != nullptr ? this : nullptr;
  m_Impl.SetActiveMenu(pMenu);
}
