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

const wchar_t kUnbound[] = L"The wrapper is not bound to a set";

}  // namespace

// --- TShellConsts and TShellVars --------------------------------------------------------------

template <class Iface, class SetIface>
SetIface* TShellNamed<Iface, SetIface>::Set() const {
  if (!set_) RaiseError(kUnbound);
  return set_.Get();
}

template <class Iface, class SetIface>
HRESULT TShellNamed<Iface, SetIface>::Bind(SetIface* set, LONG index) {
  set_ = set;
  index_ = index;
  return S_OK;
}

template <class Iface, class SetIface>
STDMETHODIMP TShellNamed<Iface, SetIface>::get_Name(BSTR* value) {
  return GuardOut(source_, value, [&] { Check(Set()->get_Name(index_, value)); });
}

template <class Iface, class SetIface>
STDMETHODIMP TShellNamed<Iface, SetIface>::Value(VARIANT* result) {
  return GuardOut(source_, result, [&] { Check(Set()->Value(index_, result)); });
}

template <class Iface, class SetIface>
STDMETHODIMP TShellNamed<Iface, SetIface>::get_Description(BSTR* value) {
  return GuardOut(source_, value, [&] { Check(Set()->get_Description(index_, value)); });
}

template <class Iface, class SetIface>
STDMETHODIMP TShellNamed<Iface, SetIface>::get_Category(CategoryOrlen* value) {
  return GuardOut(source_, value, [&] { Check(Set()->get_Category(index_, value)); });
}

template <class Iface, class SetIface>
STDMETHODIMP TShellNamed<Iface, SetIface>::get_ErrorEvents(IErrorEvents** value) {
  return GuardOut(source_, value, [&] { Check(Set()->get_ErrorEvents(value)); });
}

template <class Iface, class SetIface>
STDMETHODIMP TShellNamed<Iface, SetIface>::put_ErrorEvents(IErrorEvents* value) {
  return Guard(source_, [&] { Check(Set()->put_ErrorEvents(value)); });
}

template class TShellNamed<IShellConsts, IConsts>;
template class TShellNamed<IShellVars, IVars>;

TShellConsts::TShellConsts() : TShellNamed(CLSID_ShellConsts, kShellConsts) {}

void* TShellConsts::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConst) ||
      IsEqualIID(iid, IID_IShellConsts))
    return static_cast<IShellConsts*>(this);
  return CreatableCast(iid);
}

STDMETHODIMP TShellConsts::SetConsts(IConsts* consts, LONG index) { return Bind(consts, index); }

TShellVars::TShellVars() : TShellNamed(CLSID_ShellVars, kShellVars) {}

void* TShellVars::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConst) || IsEqualIID(iid, IID_IVar) ||
      IsEqualIID(iid, IID_IShellVars))
    return static_cast<IShellVars*>(this);
  return CreatableCast(iid);
}

STDMETHODIMP TShellVars::SetValue(VARIANT newValue) {
  return Guard(kShellVars, [&] { Check(Set()->SetValue(index_, newValue)); });
}

STDMETHODIMP TShellVars::SetVars(IVars* vars, LONG index) { return Bind(vars, index); }

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
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_Name(index_, value)); });
}

STDMETHODIMP TShellFuncs::CheckArgumentsNumber(LONG count, LONG* result) {
  return GuardOut(kShellFuncs, result, [&] { Check(Set()->CheckArgumentsNumber(index_, count, result)); });
}

STDMETHODIMP TShellFuncs::Func(IArguments* arguments, VARIANT* result) {
  return GuardOut(kShellFuncs, result, [&] { Check(Set()->Func(index_, arguments, result)); });
}

STDMETHODIMP TShellFuncs::get_Description(BSTR* value) {
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_Description(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_Category(CategoryOrlen* value) {
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_Category(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_Signature(BSTR* value) {
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_Signature(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_CountAlias(LONG* value) {
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_CountAlias(index_, value)); });
}

STDMETHODIMP TShellFuncs::get_Alias(LONG index, BSTR* value) {
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_Alias(index_, index, value)); });
}

STDMETHODIMP TShellFuncs::get_Settings(ISettings** value) {
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_Settings(value)); });
}

STDMETHODIMP TShellFuncs::put_Settings(ISettings* value) {
  return Guard(kShellFuncs, [&] { Check(Set()->put_Settings(value)); });
}

STDMETHODIMP TShellFuncs::get_ErrorEvents(IErrorEvents** value) {
  return GuardOut(kShellFuncs, value, [&] { Check(Set()->get_ErrorEvents(value)); });
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
  if (const PooledVector<long>* bucket = index_.Find(name, length))
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

// --- TCollectionConsts and TCollectionVars ------------------------------------------------------

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  *value = values_.Count();
  return S_OK;
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::GetIndex(BSTR name, LONG* result) {
  if (!result) return E_POINTER;
  *result = values_.GetIndex(BstrChars(name), BstrLength(name));
  return S_OK;
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::get_Name(LONG index, BSTR* value) {
  return GuardOut(source_, value, [&] { *value = MakeBstr(values_.At(index).Name); });
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::Value(LONG index, VARIANT* result) {
  return GuardOut(source_, result, [&] { Check(VariantCopy(result, &values_.At(index).Value)); });
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::get_Description(LONG index, BSTR* value) {
  return GuardOut(source_, value, [&] {
    *value = MakeBstr(FormatValue(values_.At(index).Value, nullptr, nullptr));
  });
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::get_Category(LONG index, CategoryOrlen* value) {
  return GuardOut(source_, value, [&] {
    values_.At(index);
    *value = cCustom;
  });
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::get_ErrorEvents(IErrorEvents** value) {
  return GetField(errorEvents_, value);
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::put_ErrorEvents(IErrorEvents* value) {
  return PutField(errorEvents_, value);
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::Add(BSTR name, VARIANT value) {
  return Guard(source_, [&] { values_.Add(FromBstr(name), value); });
}

template <class Iface>
STDMETHODIMP TNamedCollection<Iface>::Clear() {
  values_.Clear();
  return S_OK;
}

template class TNamedCollection<ICollectionConsts>;
template class TNamedCollection<ICollectionVars>;

TCollectionConsts::TCollectionConsts()
    : TNamedCollection(CLSID_CollectionConsts, kCollectionConsts) {}

void* TCollectionConsts::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConsts) ||
      IsEqualIID(iid, IID_ICollectionConsts))
    return static_cast<ICollectionConsts*>(this);
  return CreatableCast(iid);
}

STDMETHODIMP TCollectionConsts::get_Item(LONG index, IConst** value) {
  return GuardOut(kCollectionConsts, value, [&] {
    CheckRange(index, static_cast<std::size_t>(values_.Count()));
    ComPtr<IShellConsts> shell = CoShellConsts::Create();
    Check(shell->SetConsts(this, index));
    *value = shell.Detach();
  });
}

TCollectionVars::TCollectionVars() : TNamedCollection(CLSID_CollectionVars, kCollectionVars) {}

void* TCollectionVars::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConsts) ||
      IsEqualIID(iid, IID_IVars) || IsEqualIID(iid, IID_ICollectionVars))
    return static_cast<ICollectionVars*>(this);
  return CreatableCast(iid);
}

STDMETHODIMP TCollectionVars::get_Item(LONG index, IConst** value) {
  return GuardOut(kCollectionVars, value, [&] {
    CheckRange(index, static_cast<std::size_t>(values_.Count()));
    ComPtr<IShellVars> shell = CoShellVars::Create();
    Check(shell->SetVars(this, index));
    *value = shell.Detach();
  });
}

STDMETHODIMP TCollectionVars::SetValue(LONG index, VARIANT newValue) {
  return Guard(kCollectionVars, [&] { Check(VariantCopy(&values_.At(index).Value, &newValue)); });
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
