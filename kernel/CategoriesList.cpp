#include "CategoriesList.h"

#include <new>

#include "ClassRegistry.h"
#include "Messages.h"

namespace evalkern {

namespace {

const ErrorSource kSource{L"Evalkern.CategoriesList", &IID_ICategoriesList};

[[noreturn]] void RangeError(long value) {
  RaiseError(L"Category index out of range: " + std::to_wstring(value));
}

}  // namespace

int CategoryNameId(long category) {
  switch (category) {
    case cHidden: return 10000;
    case cAll: return 10001;
    case cCommon: return 10002;
    case cTrigonometric: return 10003;
    case cArithmetic: return 10004;
    case cStatistic: return 10005;
    case cLogical: return 10006;
    case cEconomic: return 10007;
    case cGeometric: return 10008;
    case cPhysical: return 10009;
    case cCustom: return 10010;
    case cTypeConversion: return 10011;
    case cComputer: return 10013;
    default: return 10012;  // cUnknown and every value outside the enumeration
  }
}

CategoryOrlen CategoryAt(long index) {
  if (index < 0) RangeError(index);
  return static_cast<CategoryOrlen>(index);
}

long CategoryIndex(long category) {
  if (category == cAll || category == cHidden) return -1;
  if (category < 0) RangeError(category);
  return category;
}

void* TCategoriesList::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ICategoriesList))
    return static_cast<ICategoriesList*>(this);
  return CreatableCast(iid);
}

STDMETHODIMP TCategoriesList::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  *value = kCategoryCount;
  return S_OK;
}

STDMETHODIMP TCategoriesList::get_Category(LONG index, CategoryOrlen* value) {
  if (!value) return E_POINTER;
  return Guard(kSource, [&] { *value = CategoryAt(index); });
}

STDMETHODIMP TCategoriesList::get_Name(LONG index, BSTR* value) {
  return GuardOut(kSource, value, [&] {
    std::wstring name = GetMessageText(CategoryNameId(CategoryAt(index)));
    *value = SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
    if (!*value) throw std::bad_alloc();
  });
}

STDMETHODIMP TCategoriesList::GetIndex(CategoryOrlen category, LONG* result) {
  if (!result) return E_POINTER;
  return Guard(kSource, [&] { *result = CategoryIndex(category); });
}

HRESULT CreateCategoriesList(REFIID iid, void** out) {
  return CreateObject<TCategoriesList>(iid, out);
}

EVALKERN_CLASS(CategoriesList, &CreateCategoriesList);

}  // namespace evalkern
