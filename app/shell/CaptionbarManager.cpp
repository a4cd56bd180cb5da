#include "CaptionbarManager.h"

#include "ShellFrame.h"

STDMETHODIMP CCaptionbarManager::get_Visible(VARIANT_BOOL* Value) {
  if (Value == nullptr) return E_POINTER;
  *Value = m_frame->IsBarVisible(TbCaptionBar) ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

STDMETHODIMP CCaptionbarManager::put_Visible(VARIANT_BOOL Value) {
  m_frame->ShowBar(TbCaptionBar, Value != 0);
  return S_OK;
}

STDMETHODIMP CCaptionbarManager::get_Text(BSTR* Value) {
  if (Value == nullptr) return E_POINTER;
  *Value = m_frame->GetCaptionText().AllocSysString();
  return *Value != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCaptionbarManager::put_Text(BSTR Value) {
  LPCWSTR text = Value != nullptr ? Value : L"";
  if (m_frame->GetCaptionText() != text) m_frame->SetCaptionText(text);
  return S_OK;
}

STDMETHODIMP CCaptionbarManager::get_Type(CaptionType* Value) {
  if (Value == nullptr) return E_POINTER;
  *Value = m_type;
  return S_OK;
}

STDMETHODIMP CCaptionbarManager::put_Type(CaptionType Value) {
  if (Value == m_type) return S_OK;
  UINT bitmap;
  switch (Value) {
    case CaptionTypeNone: bitmap = 259; break;
    case CaptionTypeInfo: bitmap = 250; break;
    case CaptionTypeError: bitmap = 257; break;
    case CaptionTypeWarning: bitmap = 258; break;
    default: return E_INVALIDARG;
  }
  m_type = Value;
  m_frame->SetCaptionBitmap(bitmap);
  return S_OK;
}
