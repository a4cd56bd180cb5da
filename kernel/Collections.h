// Wrappers that make one entry of a set look like a single constant, variable or function, and
// the editable collections of named constants and variables that a host or the multi-line
// interpreter fills.
#pragma once

#include <wrl/client.h>

#include <string>
#include <vector>

#include "Creatable.h"
#include "KernelObject.h"
#include "NameCompare.h"

namespace evalkern {

using Microsoft::WRL::ComPtr;

HRESULT CreateShellConsts(REFIID iid, void** out);
HRESULT CreateShellVars(REFIID iid, void** out);
HRESULT CreateShellFuncs(REFIID iid, void** out);
HRESULT CreateCollectionConsts(REFIID iid, void** out);
HRESULT CreateCollectionVars(REFIID iid, void** out);

// What the wrappers of one constant and of one variable share: every call goes to the bound
// set (IConsts or IVars) with the bound index.
template <class Iface, class SetIface>
class TShellNamed : public Iface, public TRefCount, public TCreatable {
 public:
  STDMETHODIMP get_Name(BSTR* value) override;
  STDMETHODIMP Value(VARIANT* result) override;
  STDMETHODIMP get_Description(BSTR* value) override;
  STDMETHODIMP get_Category(CategoryOrlen* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;

 protected:
  TShellNamed(const CLSID& clsid, const ErrorSource& source)
      : TCreatable(clsid), source_(source) {}
  SetIface* Set() const;
  HRESULT Bind(SetIface* set, LONG index);
  const ErrorSource& source_;
  ComPtr<SetIface> set_;
  LONG index_ = 0;
};

// One entry of a constant set.
class TShellConsts : public TShellNamed<IShellConsts, IConsts> {
  EVALKERN_IUNKNOWN
 public:
  TShellConsts();
  void* Cast(REFIID iid);
  STDMETHODIMP SetConsts(IConsts* consts, LONG index) override;
};

// One entry of a variable set.
class TShellVars : public TShellNamed<IShellVars, IVars> {
  EVALKERN_IUNKNOWN
 public:
  TShellVars();
  void* Cast(REFIID iid);
  STDMETHODIMP SetValue(VARIANT newValue) override;
  STDMETHODIMP SetVars(IVars* vars, LONG index) override;
};

// One entry of a function set.
class TShellFuncs : public IShellFuncs, public TRefCount, public TCreatable {
  EVALKERN_IUNKNOWN
 public:
  TShellFuncs();
  void* Cast(REFIID iid);
  STDMETHODIMP get_Name(BSTR* value) override;
  STDMETHODIMP CheckArgumentsNumber(LONG count, LONG* result) override;
  STDMETHODIMP Func(IArguments* arguments, VARIANT* result) override;
  STDMETHODIMP get_Description(BSTR* value) override;
  STDMETHODIMP get_Category(CategoryOrlen* value) override;
  STDMETHODIMP get_Signature(BSTR* value) override;
  STDMETHODIMP get_CountAlias(LONG* value) override;
  STDMETHODIMP get_Alias(LONG index, BSTR* value) override;
  STDMETHODIMP get_Settings(ISettings** value) override;
  STDMETHODIMP put_Settings(ISettings* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;
  STDMETHODIMP SetFuncs(IFuncs* funcs, LONG index) override;

  // The binding every member forwards to (no set while unbound), for callers that go to the
  // set directly.
  IFuncs* BoundSet() const { return set_.Get(); }
  LONG BoundIndex() const { return index_; }

 private:
  IFuncs* Set() const;
  friend TShellFuncs* AsShellFuncs(IFunc* func);
  const void* module_;  // the module whose code made the object
  ComPtr<IFuncs> set_;
  LONG index_ = 0;
};

// The kernel object behind `func` when it is a function wrapper made by this module, else null.
// The pointer lives as long as the caller's reference to `func`.
TShellFuncs* AsShellFuncs(IFunc* func);

// A named value of a collection.
struct recVar {
  std::wstring Name;
  VARIANT Value;
  recVar();
  recVar(const std::wstring& name, const VARIANT& value);
  recVar(const recVar& other);
  recVar& operator=(const recVar& other);
  ~recVar();
};

// The entries of a collection, kept in insertion order; names are unique when added by Add.
class NamedValues {
 public:
  LONG Count() const { return static_cast<LONG>(entries_.size()); }
  long GetIndex(const wchar_t* name, std::size_t length) const;
  recVar& At(LONG index);
  void Add(const std::wstring& name, const VARIANT& value);
  void Clear() {
    entries_.clear();
    index_.Clear();
  }

 private:
  std::vector<recVar> entries_;
  NameIndex index_;  // a worksheet may hold thousands of names
};

// What the collections of constants and of variables share, over their NamedValues.
template <class Iface>
class TNamedCollection : public Iface, public TRefCount, public TCreatable {
 public:
  STDMETHODIMP get_Count(LONG* value) override;
  STDMETHODIMP GetIndex(BSTR name, LONG* result) override;
  STDMETHODIMP get_Name(LONG index, BSTR* value) override;
  STDMETHODIMP Value(LONG index, VARIANT* result) override;
  STDMETHODIMP get_Description(LONG index, BSTR* value) override;
  STDMETHODIMP get_Category(LONG index, CategoryOrlen* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;
  STDMETHODIMP Add(BSTR name, VARIANT value) override;
  STDMETHODIMP Clear() override;

 protected:
  TNamedCollection(const CLSID& clsid, const ErrorSource& source)
      : TCreatable(clsid), source_(source) {}
  const ErrorSource& source_;
  NamedValues values_;
  ComPtr<IErrorEvents> errorEvents_;
};

// The variable collection implements the variable interface in the same class; the constant
// collection answers only IConsts and ICollectionConsts.
class TCollectionConsts : public TNamedCollection<ICollectionConsts> {
  EVALKERN_IUNKNOWN
 public:
  TCollectionConsts();
  void* Cast(REFIID iid);
  STDMETHODIMP get_Item(LONG index, IConst** value) override;
};

class TCollectionVars : public TNamedCollection<ICollectionVars> {
  EVALKERN_IUNKNOWN
 public:
  TCollectionVars();
  void* Cast(REFIID iid);
  STDMETHODIMP get_Item(LONG index, IConst** value) override;
  STDMETHODIMP SetValue(LONG index, VARIANT newValue) override;
};

}  // namespace evalkern
