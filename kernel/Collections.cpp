#include "Collections.h"

#include <new>

#include "ClassRegistry.h"
#include "Creators.h"
#include "Evaluator.h"
#include "Format.h"
#include "NameCompare.h"

namespace evalkern {

namespace {

const ErrorSource kShellConsts{L"Evalkern.ShellConsts", &IID_IShellConsts};
const ErrorSource kShellVars{L"Evalkern.ShellVars", &IID_IShellVars};
const ErrorSource kShellFuncs{L"Evalkern.ShellFuncs", &IID_IShellFuncs};
const ErrorSource kCollectionConsts{L"Evalkern.CollectionConsts", &IID_ICollectionConsts};
const ErrorSource kCollectionVars{L"Evalkern.CollectionVars", &IID_ICollectionVars};

template <class T>
HRESULT CreateObject(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  T* object = new (std::nothrow) T();
  if (!object) return E_OUTOFMEMORY;
  object->AddRef();
  HRESULT hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

template <class T>
void PutOut(T** out, const ComPtr<T>& value) {
  *out = value.Get();
  if (*out) (*out)->AddRef();
}

const wchar_t kUnbound[] = L"The wrapper is not bound to a set";

}  // namespace

// --- TShellConsts --------------------------------------------------------------------------------

void* TShellConsts::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConst) ||
      IsEqualIID(iid, IID_IShellConsts))
    return static_cast<IShellConsts*>(this);
  return CreatableCast(iid);
}

IConsts* TShellConsts::Set() const {
  if (!set_) RaiseError(kUnbound);
  return set_.Get();
}

STDMETHODIMP TShellConsts::get_Name(BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellConsts, [&] { Check(Set()->get_Name(index_, value)); });
}

STDMETHODIMP TShellConsts::Value(VARIANT* result) {
  if (!result) return E_POINTER;
  VariantInit(result);
  return Guard(kShellConsts, [&] { Check(Set()->Value(index_, result)); });
}

STDMETHODIMP TShellConsts::get_Description(BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellConsts, [&] { Check(Set()->get_Description(index_, value)); });
}

STDMETHODIMP TShellConsts::get_Category(CategoryOrlen* value) {
  if (!value) return E_POINTER;
  *value = cUnknown;
  return Guard(kShellConsts, [&] { Check(Set()->get_Category(index_, value)); });
}

STDMETHODIMP TShellConsts::get_ErrorEvents(IErrorEvents** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellConsts, [&] { Check(Set()->get_ErrorEvents(value)); });
}

STDMETHODIMP TShellConsts::put_ErrorEvents(IErrorEvents* value) {
  return Guard(kShellConsts, [&] { Check(Set()->put_ErrorEvents(value)); });
}

STDMETHODIMP TShellConsts::SetConsts(IConsts* consts, LONG index) {
  set_ = consts;
  index_ = index;
  return S_OK;
}

// --- TShellVars ----------------------------------------------------------------------------------

void* TShellVars::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConst) || IsEqualIID(iid, IID_IVar) ||
      IsEqualIID(iid, IID_IShellVars))
    return static_cast<IShellVars*>(this);
  return CreatableCast(iid);
}

IVars* TShellVars::Set() const {
  if (!set_) RaiseError(kUnbound);
  return set_.Get();
}

STDMETHODIMP TShellVars::get_Name(BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellVars, [&] { Check(Set()->get_Name(index_, value)); });
}

STDMETHODIMP TShellVars::Value(VARIANT* result) {
  if (!result) return E_POINTER;
  VariantInit(result);
  return Guard(kShellVars, [&] { Check(Set()->Value(index_, result)); });
}

STDMETHODIMP TShellVars::get_Description(BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellVars, [&] { Check(Set()->get_Description(index_, value)); });
}

STDMETHODIMP TShellVars::get_Category(CategoryOrlen* value) {
  if (!value) return E_POINTER;
  *value = cUnknown;
  return Guard(kShellVars, [&] { Check(Set()->get_Category(index_, value)); });
}

STDMETHODIMP TShellVars::get_ErrorEvents(IErrorEvents** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellVars, [&] { Check(Set()->get_ErrorEvents(value)); });
}

STDMETHODIMP TShellVars::put_ErrorEvents(IErrorEvents* value) {
  return Guard(kShellVars, [&] { Check(Set()->put_ErrorEvents(value)); });
}

STDMETHODIMP TShellVars::SetValue(VARIANT newValue) {
  return Guard(kShellVars, [&] { Check(Set()->SetValue(index_, newValue)); });
}

STDMETHODIMP TShellVars::SetVars(IVars* vars, LONG index) {
  set_ = vars;
  index_ = index;
  return S_OK;
}

// --- TShellFuncs ---------------------------------------------------------------------------------

// Answered only by the function wrappers, so that the library can reach their binding
// directly; a wrapper made by another copy of this code (another module) is used through COM.
const IID kShellFuncsSelf = {0x3c1e9a52, 0x8d07, 0x4b6f, {0xa2, 0x19, 0x6e, 0x50, 0xc4, 0x7b, 0x93, 0x2d}};
const char kModuleToken = 0;

TShellFuncs::TShellFuncs() : TCreatable(CLSID_ShellFuncs), module_(&kModuleToken) {}

void* TShellFuncs::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IFunc) ||
      IsEqualIID(iid, IID_IShellFuncs))
    return static_cast<IShellFuncs*>(this);
  if (IsEqualIID(iid, kShellFuncsSelf)) return static_cast<IShellFuncs*>(this);
  return CreatableCast(iid);
}

TShellFuncs* AsShellFuncs(IFunc* func) {
  if (!func) return nullptr;
  IShellFuncs* self = nullptr;
  if (FAILED(func->QueryInterface(kShellFuncsSelf, reinterpret_cast<void**>(&self))) || !self)
    return nullptr;
  self->Release();  // the caller's reference keeps the wrapper alive
  TShellFuncs* shell = static_cast<TShellFuncs*>(self);
  return shell->module_ == &kModuleToken ? shell : nullptr;
}

IFuncs* TShellFuncs::Set() const {
  if (!set_) RaiseError(kUnbound);
  return set_.Get();
}

STDMETHODIMP TShellFuncs::get_Name(BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellFuncs, [&] { Check(Set()->get_Name(index_, value)); });
}

STDMETHODIMP TShellFuncs::CheckArgumentsNumber(LONG count, LONG* result) {
  if (!result) return E_POINTER;
  *result = 0;
  return Guard(kShellFuncs, [&] { Check(Set()->CheckArgumentsNumber(index_, count, result)); });
}

STDMETHODIMP TShellFuncs::Func(IArguments* arguments, VARIANT* result) {
  if (!result) return E_POINTER;
  VariantInit(result);
  return Guard(kShellFuncs, [&] { Check(Set()->Func(index_, arguments, result)); });
}

STDMETHODIMP TShellFuncs::get_Description(BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellFuncs, [&] { Check(Set()->get_Description(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_Category(CategoryOrlen* value) {
  if (!value) return E_POINTER;
  *value = cUnknown;
  return Guard(kShellFuncs, [&] { Check(Set()->get_Category(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_Signature(BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellFuncs, [&] { Check(Set()->get_Signature(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_CountAlias(LONG* value) {
  if (!value) return E_POINTER;
  *value = 0;
  return Guard(kShellFuncs, [&] { Check(Set()->get_CountAlias(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_Alias(LONG index, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellFuncs, [&] { Check(Set()->get_Alias(index_, index, value)); });
}

STDMETHODIMP TShellFuncs::get_Settings(ISettings** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellFuncs, [&] { Check(Set()->get_Settings(value)); });
}

STDMETHODIMP TShellFuncs::put_Settings(ISettings* value) {
  return Guard(kShellFuncs, [&] { Check(Set()->put_Settings(value)); });
}

STDMETHODIMP TShellFuncs::get_ErrorEvents(IErrorEvents** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kShellFuncs, [&] { Check(Set()->get_ErrorEvents(value)); });
}

STDMETHODIMP TShellFuncs::put_ErrorEvents(IErrorEvents* value) {
  return Guard(kShellFuncs, [&] { Check(Set()->put_ErrorEvents(value)); });
}

STDMETHODIMP TShellFuncs::SetFuncs(IFuncs* funcs, LONG index) {
  set_ = funcs;
  index_ = index;
  return S_OK;
}

// --- named values --------------------------------------------------------------------------------

recVar::recVar() { VariantInit(&Value); }

recVar::recVar(const std::wstring& name, const VARIANT& value) : Name(name) {
  VariantInit(&Value);
  Check(VariantCopy(&Value, const_cast<VARIANT*>(&value)));
}

recVar::recVar(const recVar& other) : Name(other.Name) {
  VariantInit(&Value);
  Check(VariantCopy(&Value, const_cast<VARIANT*>(&other.Value)));
}

recVar& recVar::operator=(const recVar& other) {
  if (this != &other) {
    Name = other.Name;
    Check(VariantCopy(&Value, const_cast<VARIANT*>(&other.Value)));
  }
  return *this;
}

recVar::~recVar() { VariantClear(&Value); }

long NamedValues::GetIndex(const wchar_t* name, std::size_t length) const {
  if (const std::vector<long>* bucket = index_.Find(name, length))
    for (long i : *bucket) {
      const std::wstring& n = entries_[static_cast<std::size_t>(i)].Name;
      if (NamesEqual(n.data(), n.size(), name, length)) return i;
    }
  return -1;
}

recVar& NamedValues::At(LONG index) {
  CheckRange(index, entries_.size());
  return entries_[index];
}

void NamedValues::Add(const std::wstring& name, const VARIANT& value) {
  long i = GetIndex(name.data(), name.size());
  if (i >= 0)
    Check(VariantCopy(&entries_[i].Value, const_cast<VARIANT*>(&value)));
  else {
    entries_.emplace_back(name, value);
    index_.Add(name, static_cast<long>(entries_.size()) - 1);
  }
}

// The members both collections share, written once over their NamedValues.
namespace {

HRESULT CollectionName(const ErrorSource& src, NamedValues& v, LONG index, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(src, [&] { *value = MakeBstr(v.At(index).Name); });
}

HRESULT CollectionValue(const ErrorSource& src, NamedValues& v, LONG index, VARIANT* result) {
  if (!result) return E_POINTER;
  VariantInit(result);
  return Guard(src, [&] { Check(VariantCopy(result, &v.At(index).Value)); });
}

HRESULT CollectionDescription(const ErrorSource& src, NamedValues& v, LONG index, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(src, [&] { *value = MakeBstr(FormatValue(v.At(index).Value, nullptr, nullptr)); });
}

HRESULT CollectionCategory(const ErrorSource& src, NamedValues& v, LONG index,
                           CategoryOrlen* value) {
  if (!value) return E_POINTER;
  *value = cUnknown;
  return Guard(src, [&] {
    v.At(index);
    *value = cCustom;
  });
}

HRESULT CollectionGetIndex(NamedValues& v, BSTR name, LONG* result) {
  if (!result) return E_POINTER;
  *result = v.GetIndex(BstrChars(name), BstrLength(name));
  return S_OK;
}

HRESULT CollectionAdd(const ErrorSource& src, NamedValues& v, BSTR name, const VARIANT& value) {
  return Guard(src, [&] { v.Add(FromBstr(name), value); });
}

}  // namespace

// --- TCollectionConsts ---------------------------------------------------------------------------

void* TCollectionConsts::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConsts) ||
      IsEqualIID(iid, IID_ICollectionConsts))
    return static_cast<ICollectionConsts*>(this);
  return CreatableCast(iid);
}

STDMETHODIMP TCollectionConsts::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  *value = values_.Count();
  return S_OK;
}

STDMETHODIMP TCollectionConsts::get_Item(LONG index, IConst** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kCollectionConsts, [&] {
    CheckRange(index, static_cast<std::size_t>(values_.Count()));
    ComPtr<IShellConsts> shell = CoShellConsts::Create();
    Check(shell->SetConsts(this, index));
    *value = shell.Detach();
  });
}

STDMETHODIMP TCollectionConsts::GetIndex(BSTR name, LONG* result) {
  return CollectionGetIndex(values_, name, result);
}
STDMETHODIMP TCollectionConsts::get_Name(LONG index, BSTR* value) {
  return CollectionName(kCollectionConsts, values_, index, value);
}
STDMETHODIMP TCollectionConsts::Value(LONG index, VARIANT* result) {
  return CollectionValue(kCollectionConsts, values_, index, result);
}
STDMETHODIMP TCollectionConsts::get_Description(LONG index, BSTR* value) {
  return CollectionDescription(kCollectionConsts, values_, index, value);
}
STDMETHODIMP TCollectionConsts::get_Category(LONG index, CategoryOrlen* value) {
  return CollectionCategory(kCollectionConsts, values_, index, value);
}
STDMETHODIMP TCollectionConsts::get_ErrorEvents(IErrorEvents** value) {
  if (!value) return E_POINTER;
  PutOut(value, errorEvents_);
  return S_OK;
}
STDMETHODIMP TCollectionConsts::put_ErrorEvents(IErrorEvents* value) {
  errorEvents_ = value;
  return S_OK;
}
STDMETHODIMP TCollectionConsts::Add(BSTR name, VARIANT value) {
  return CollectionAdd(kCollectionConsts, values_, name, value);
}
STDMETHODIMP TCollectionConsts::Clear() {
  values_.Clear();
  return S_OK;
}

// --- TCollectionVars -----------------------------------------------------------------------------

void* TCollectionVars::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConsts) ||
      IsEqualIID(iid, IID_IVars) || IsEqualIID(iid, IID_ICollectionVars))
    return static_cast<ICollectionVars*>(this);
  return CreatableCast(iid);
}

STDMETHODIMP TCollectionVars::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  *value = values_.Count();
  return S_OK;
}

STDMETHODIMP TCollectionVars::get_Item(LONG index, IConst** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  return Guard(kCollectionVars, [&] {
    CheckRange(index, static_cast<std::size_t>(values_.Count()));
    ComPtr<IShellVars> shell = CoShellVars::Create();
    Check(shell->SetVars(this, index));
    *value = shell.Detach();
  });
}

STDMETHODIMP TCollectionVars::GetIndex(BSTR name, LONG* result) {
  return CollectionGetIndex(values_, name, result);
}
STDMETHODIMP TCollectionVars::get_Name(LONG index, BSTR* value) {
  return CollectionName(kCollectionVars, values_, index, value);
}
STDMETHODIMP TCollectionVars::Value(LONG index, VARIANT* result) {
  return CollectionValue(kCollectionVars, values_, index, result);
}
STDMETHODIMP TCollectionVars::get_Description(LONG index, BSTR* value) {
  return CollectionDescription(kCollectionVars, values_, index, value);
}
STDMETHODIMP TCollectionVars::get_Category(LONG index, CategoryOrlen* value) {
  return CollectionCategory(kCollectionVars, values_, index, value);
}
STDMETHODIMP TCollectionVars::get_ErrorEvents(IErrorEvents** value) {
  if (!value) return E_POINTER;
  PutOut(value, errorEvents_);
  return S_OK;
}
STDMETHODIMP TCollectionVars::put_ErrorEvents(IErrorEvents* value) {
  errorEvents_ = value;
  return S_OK;
}
STDMETHODIMP TCollectionVars::SetValue(LONG index, VARIANT newValue) {
  return Guard(kCollectionVars, [&] { Check(VariantCopy(&values_.At(index).Value, &newValue)); });
}
STDMETHODIMP TCollectionVars::Add(BSTR name, VARIANT value) {
  return CollectionAdd(kCollectionVars, values_, name, value);
}
STDMETHODIMP TCollectionVars::Clear() {
  values_.Clear();
  return S_OK;
}

// --- creation ------------------------------------------------------------------------------------

HRESULT CreateShellConsts(REFIID iid, void** out) { return CreateObject<TShellConsts>(iid, out); }
HRESULT CreateShellVars(REFIID iid, void** out) { return CreateObject<TShellVars>(iid, out); }
HRESULT CreateShellFuncs(REFIID iid, void** out) { return CreateObject<TShellFuncs>(iid, out); }
HRESULT CreateCollectionConsts(REFIID iid, void** out) {
  return CreateObject<TCollectionConsts>(iid, out);
}
HRESULT CreateCollectionVars(REFIID iid, void** out) {
  return CreateObject<TCollectionVars>(iid, out);
}

EVALKERN_CLASS(ShellConsts, &CreateShellConsts);
EVALKERN_CLASS(ShellVars, &CreateShellVars);
EVALKERN_CLASS(ShellFuncs, &CreateShellFuncs);
EVALKERN_CLASS(CollectionConsts, &CreateCollectionConsts);
EVALKERN_CLASS(CollectionVars, &CreateCollectionVars);

}  // namespace evalkern
