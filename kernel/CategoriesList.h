// TCategoriesList: the categories under which the kernel files its functions and constants, with
// their names in the user's language. Stateless; coclass CategoriesList.
#pragma once

#include <string>

#include "KernelObject.h"
#include "com/Creatable.h"

namespace evalkern {

// Position i stands for the category with value i: cUnknown (0) to cComputer (11).
constexpr long kCategoryCount = 12;

// Message id of a category's name; values outside the enumeration read as cUnknown.
int CategoryNameId(long category);
// The category at a position; a negative position is a range error.
CategoryOrlen CategoryAt(long index);
// The position of a category: -1 for cAll and cHidden, the value itself from 0 on; any other
// negative value is a range error.
long CategoryIndex(long category);

class TCategoriesList : public TRefCount, public ICategoriesList, public TCreatable {
  EVALKERN_IUNKNOWN
 public:
  TCategoriesList() : TCreatable(CLSID_CategoriesList) {}

  STDMETHODIMP get_Count(LONG* value) override;
  STDMETHODIMP get_Category(LONG index, CategoryOrlen* value) override;
  STDMETHODIMP get_Name(LONG index, BSTR* value) override;
  STDMETHODIMP GetIndex(CategoryOrlen category, LONG* result) override;

 private:
  void* Cast(REFIID iid);
};

HRESULT CreateCategoriesList(REFIID iid, void** out);

}  // namespace evalkern
