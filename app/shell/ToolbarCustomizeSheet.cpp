#include "ToolbarCustomizeSheet.h"
#include "ComValues.h"
#include "ManagerRef.h"

IMPLEMENT_DYNAMIC(CToolbarCustomizeSheet, CUfxToolbarCustomize)

BEGIN_MESSAGE_MAP(CToolbarCustomizeSheet, CUfxToolbarCustomize)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CToolbarCustomizeSheet::CToolbarCustomizeSheet(CFrameWnd* pFrame, INumbrookMain* pRoot)
    : CUfxToolbarCustomize(pFrame, TRUE, 15), m_pRoot(pRoot) {
  if (m_pRoot != nullptr) m_pRoot->AddRef();
  EnableUserToolbars(TRUE);
}

CToolbarCustomizeSheet::~CToolbarCustomizeSheet() {
  if (m_pRoot != nullptr) m_pRoot->Release();
}

void CToolbarCustomizeSheet::SetDocEditable(BOOL bEditable) {
  if (m_pRoot == nullptr) return;
  CManagerRef<IKivPanelsManager> panels(m_pRoot, &INumbrookMain::GetPanelsManager);
  if (panels) panels->put_DocEditableMode(AsVariantBool(bEditable));
}

BOOL CToolbarCustomizeSheet::OnInitDialog() {
  const BOOL bResult = CUfxToolbarCustomize::OnInitDialog();
  SetDocEditable(FALSE);
  return bResult;
}

void CToolbarCustomizeSheet::OnDestroy() {
  SetDocEditable(TRUE);
  CUfxToolbarCustomize::OnDestroy();
}
