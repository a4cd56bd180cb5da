// CCaptionbarManager (IKivCaptionBar): the caption bar's visibility, text and picture type.
#pragma once

#include "EmbeddedObject.h"
#include "NumbrookLib.h"

class IShellFrame;

class CCaptionbarManager : public CEmbeddedObject<IKivCaptionBar> {
public:
  explicit CCaptionbarManager(IShellFrame* frame) : m_frame(frame) {}

  STDMETHODIMP get_Visible(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_Visible(VARIANT_BOOL Value) override;
  STDMETHODIMP get_Text(BSTR* Value) override;
  STDMETHODIMP put_Text(BSTR Value) override;
  STDMETHODIMP get_Type(CaptionType* Value) override;
  // The picture of the type (none 259, info 250, error 257, warning 258); another value
  // answers E_INVALIDARG and changes nothing; the current type changes nothing either.
  STDMETHODIMP put_Type(CaptionType Value) override;

private:
  IShellFrame* m_frame;
  CaptionType m_type = CaptionTypeInfo;
};
