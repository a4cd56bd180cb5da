#include "CategoryCommandPanel.h"


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
    m_groups[static_cast<size_t>(group)].commands.push_back({next, CotFunction, name, name, description});
    ++next;
  }
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
