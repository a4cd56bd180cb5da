#include "frames/UfxUserToolsManager.h"
#include "frames/UfxRegistryPtr.h"
#include "bars/UfxUserTool.h"

CUfxUserToolsManager* UfxUserToolsManager = nullptr;

namespace {
const wchar_t kValueTools[] = L"Tools";
}

CUfxUserToolsManager::CUfxUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                                           CRuntimeClass* pToolRTC, UINT uArgMenuID, UINT uInitDirMenuID)
    : m_uiCmdToolsDummy(uiCmdToolsDummy),
      m_uiCmdFirst(uiCmdFirst),
      m_uiCmdLast(uiCmdLast),
      m_pToolRTC(pToolRTC && pToolRTC->IsDerivedFrom(RUNTIME_CLASS(CUfxUserTool)) ? pToolRTC
                                                                                  : RUNTIME_CLASS(CUfxUserTool)),
      m_uiArgumentsMenuID(uArgMenuID),
      m_uiInitialDirMenuID(uInitDirMenuID) {
  UfxUserToolsManager = this;
}

CUfxUserToolsManager::~CUfxUserToolsManager() {
  DeleteAllTools();
  if (UfxUserToolsManager == this) UfxUserToolsManager = nullptr;
}

void CUfxUserToolsManager::DeleteAllTools() {
  while (!m_lstUserTools.IsEmpty()) delete m_lstUserTools.RemoveHead();
}

BOOL CUfxUserToolsManager::LoadState(LPCWSTR lpszProfileName) {
  CUfxRegistryPtr reg;
  CUfxRegistry& in = reg.Create(FALSE, TRUE);
  // Only tools of the manager's tool class come back; anything else makes the value unreadable,
  // and an unreadable value leaves the tools as they are.
  return in.Open(UfxGetRegPath(L"UfxUserToolsManager", lpszProfileName)) &&
         in.Read(kValueTools, m_lstUserTools, m_pToolRTC);
}

BOOL CUfxUserToolsManager::SaveState(LPCWSTR lpszProfileName) {
  CUfxRegistryPtr reg;
  if (!reg.Create(FALSE, FALSE).CreateKey(UfxGetRegPath(L"UfxUserToolsManager", lpszProfileName))) return FALSE;
  return reg->Write(kValueTools, m_lstUserTools);
}

CUfxUserTool* CUfxUserToolsManager::CreateNewTool() {
  const int nMax = GetMaxTools();
  if (nMax == 0 || m_lstUserTools.GetCount() >= nMax) return nullptr;
  UINT uiCmd = m_uiCmdFirst;
  for (; uiCmd <= m_uiCmdLast; ++uiCmd)
    if (FindTool(uiCmd) == nullptr) break;
  if (uiCmd > m_uiCmdLast) return nullptr;
  CUfxUserTool* pTool = DYNAMIC_DOWNCAST(CUfxUserTool, m_pToolRTC->CreateObject());
  if (pTool == nullptr) return nullptr;
  pTool->m_uiCmdId = uiCmd;
  m_lstUserTools.AddTail(pTool);
  return pTool;
}

BOOL CUfxUserToolsManager::RemoveTool(CUfxUserTool* pTool) {
  POSITION pos = m_lstUserTools.Find(pTool);
  if (pos == nullptr) return FALSE;
  m_lstUserTools.RemoveAt(pos);
  const UINT uiCmd = pTool->m_uiCmdId;
  delete pTool;
  // The tool's buttons leave every toolbar with it (the toolbars join here when they exist).
  (void)uiCmd;
  return TRUE;
}

BOOL CUfxUserToolsManager::MoveToolUp(CUfxUserTool* pTool) {
  POSITION pos = m_lstUserTools.Find(pTool);
  if (pos == nullptr) return FALSE;
  POSITION posPrev = pos;
  m_lstUserTools.GetPrev(posPrev);
  if (posPrev == nullptr) return FALSE;
  m_lstUserTools.RemoveAt(pos);
  m_lstUserTools.InsertBefore(posPrev, pTool);
  return TRUE;
}

BOOL CUfxUserToolsManager::MoveToolDown(CUfxUserTool* pTool) {
  POSITION pos = m_lstUserTools.Find(pTool);
  if (pos == nullptr) return FALSE;
  POSITION posNext = pos;
  m_lstUserTools.GetNext(posNext);
  if (posNext == nullptr) return FALSE;
  m_lstUserTools.RemoveAt(pos);
  m_lstUserTools.InsertAfter(posNext, pTool);
  return TRUE;
}

CUfxUserTool* CUfxUserToolsManager::FindTool(UINT uiCmdId) const {
  if (!IsUserToolCmd(uiCmdId)) return nullptr;
  for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;) {
    CUfxUserTool* pTool = (CUfxUserTool*)m_lstUserTools.GetNext(pos);
    if (pTool->m_uiCmdId == uiCmdId) return pTool;
  }
  return nullptr;
}

BOOL CUfxUserToolsManager::InvokeTool(UINT uiCmdId) {
  CUfxUserTool* pTool = FindTool(uiCmdId);
  return pTool != nullptr && pTool->Invoke();
}
