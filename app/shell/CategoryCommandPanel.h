// CCategoryCommandPanel (ICBCommandPanel): the kernel's functions grouped by the kernel's
// function categories. The function list is read once, by the constructor; identifiers run
// 10000, 10001, ... in the kernel's function order, and a function without a category (a
// negative id) is left out without using one. When the kernel cannot be asked (none, or it
// fails to count) the panel is empty.
#pragma once

#include <vector>

#include "EmbeddedObject.h"
#include "Framework.h"
#include "NumbrookLib.h"

class CCategoryCommandPanel : public CEmbeddedObject<ICBCommandPanel> {
public:
  // `kernel` may be null; the panel keeps a counted reference.
  explicit CCategoryCommandPanel(ICalculatorKernel* kernel);
  ~CCategoryCommandPanel();
  CCategoryCommandPanel(const CCategoryCommandPanel&) = delete;
  CCategoryCommandPanel& operator=(const CCategoryCommandPanel&) = delete;

  static constexpr long kFirstIdentifier = 10000;

  STDMETHODIMP GetGroupsCount(long* Count) override;
  // The kernel's name of the category.
  STDMETHODIMP GetGroupName(long GroupIndex, BSTR* Name) override;
  STDMETHODIMP GetCommandsCount(long GroupIndex, long* Count) override;
  STDMETHODIMP GetCommandDesc(long GroupIndex, long CommandIndex, CalcCommand* Command) override;

private:
  struct Command {
    long identifier;
    CString name, description;
  };
  void Read();
  const std::vector<Command>* FindGroup(long index) const;

  ICalculatorKernel* m_kernel;
  std::vector<std::vector<Command>> m_groups;
};
