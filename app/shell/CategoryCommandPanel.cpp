#include "CategoryCommandPanel.h"

#include "CommandRecord.h"

CCategoryCommandPanel::CCategoryCommandPanel(ICalculatorKernel* kernel) : m_kernel(kernel) {
  if (m_kernel == nullptr) return;
  m_kernel->AddRef();
  try {
    Read();
  } catch (...) {
    m_groups.clear();
  }
}

CCategoryCommandPanel::~CCategoryCommandPanel() {
  if (m_kernel != nullptr) m_kernel->Release();
}

void CCategoryCommandPanel::Read() {
  int functions = 0, categories = 0;
  if (FAILED(m_kernel->GetCountObjects(CotFunction, &functions)) ||
      FAILED(m_kernel->GetCountObjects(CotCategory, &categories)) || categories < 0)
    return;
  m_groups.resize(static_cast<size_t>(categories));
  long next = kFirstIdentifier;
  for (int i = 0; i < functions; ++i) {
    CalcFunction function = {};
    if (FAILED(m_kernel->GetFunction(i, &function))) continue;
    CString name = function.CfnName != nullptr ? function.CfnName : L"";
    CString description = function.CfnDescription != nullptr ? function.CfnDescription : L"";
    int categoryId = function.CfnCategoryId;
    ::SysFreeString(function.CfnName);
    ::SysFreeString(function.CfnSignature);
    ::SysFreeString(function.CfnDescription);
    if (categoryId < 0) continue;
    int group = -1;
    if (FAILED(m_kernel->GetCategoryIndex(categoryId, &group)) || group < 0 || group >= categories) continue;
    m_groups[static_cast<size_t>(group)].push_back({next, name, description});
    ++next;
  }
}

const std::vector<CCategoryCommandPanel::Command>* CCategoryCommandPanel::FindGroup(long index) const {
  if (index < 0 || static_cast<size_t>(index) >= m_groups.size()) return nullptr;
  return &m_groups[static_cast<size_t>(index)];
}

STDMETHODIMP CCategoryCommandPanel::GetGroupsCount(long* Count) {
  if (Count == nullptr) return E_POINTER;
  *Count = static_cast<long>(m_groups.size());
  return S_OK;
}

STDMETHODIMP CCategoryCommandPanel::GetGroupName(long GroupIndex, BSTR* Name) {
  if (FindGroup(GroupIndex) == nullptr) return E_INVALIDARG;
  if (Name == nullptr) return E_POINTER;
  CalcCategory category = {};
  HRESULT hr = m_kernel->GetCategory(static_cast<int>(GroupIndex), &category);
  if (FAILED(hr)) return hr;
  *Name = category.ccName;
  return S_OK;
}

STDMETHODIMP CCategoryCommandPanel::GetCommandsCount(long GroupIndex, long* Count) {
  const auto* group = FindGroup(GroupIndex);
  if (group == nullptr) return E_INVALIDARG;
  if (Count == nullptr) return E_POINTER;
  *Count = static_cast<long>(group->size());
  return S_OK;
}

STDMETHODIMP CCategoryCommandPanel::GetCommandDesc(long GroupIndex, long CommandIndex, CalcCommand* Command) {
  const auto* group = FindGroup(GroupIndex);
  if (group == nullptr || CommandIndex < 0 || static_cast<size_t>(CommandIndex) >= group->size()) return E_INVALIDARG;
  const auto& command = (*group)[static_cast<size_t>(CommandIndex)];
  return FillCommandRecord(Command, command.identifier, CotFunction, command.name, command.description, command.name);
}
