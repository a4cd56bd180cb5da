// CCategoryCommandPanel: the kernel's functions grouped by the kernel's function categories.
// The function list is read once, by the constructor; identifiers run 10000, 10001, ... in the
// kernel's function order, and a function without a category (a negative id) is left out
// without using one. When the kernel cannot be asked (none, or it fails to count) the panel is
// empty. Group names are the kernel's names of the categories.
#pragma once

#include "CommandPanel.h"

class CCategoryCommandPanel : public CCommandPanel {
public:
  // `kernel` may be null; the panel keeps a counted reference.
  explicit CCategoryCommandPanel(ICalculatorKernel* kernel);
  ~CCategoryCommandPanel();
  CCategoryCommandPanel(const CCategoryCommandPanel&) = delete;
  CCategoryCommandPanel& operator=(const CCategoryCommandPanel&) = delete;

  static constexpr long kFirstIdentifier = 10000;

  STDMETHODIMP GetGroupName(long GroupIndex, BSTR* Name) override;

private:
  void Read();

  ICalculatorKernel* m_kernel;
};
