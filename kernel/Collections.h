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

// One entry of a constant set; every call goes to the set with the bound index.
class TShellConsts : public IShellConsts, public TRefCount, public TCreatable {
  EVALKERN_IUNKNOWN
 public:
  TShellConsts() : TCreatable(CLSID_ShellConsts) {}
  void* Cast(REFIID iid);
  STDMETHODIMP get_Name(BSTR* value) override;
  STDMETHODIMP Value(VARIANT* result) override;
  STDMETHODIMP get_Description(BSTR* value) override;
  STDMETHODIMP get_Category(CategoryOrlen* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;
  STDMETHODIMP SetConsts(IConsts* consts, LONG index) override;

 private:
  IConsts* Set() const;
  ComPtr<IConsts> set_;
  LONG index_ = 0;
};

// One entry of a variable set.
class TShellVars : public IShellVars, public TRefCount, public TCreatable {
  EVALKERN_IUNKNOWN
 public:
  TShellVars() : TCreatable(CLSID_ShellVars) {}
  void* Cast(REFIID iid);
  STDMETHODIMP get_Name(BSTR* value) override;
  STDMETHODIMP Value(VARIANT* result) override;
  STDMETHODIMP get_Description(BSTR* value) override;
  STDMETHODIMP get_Category(CategoryOrlen* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;
  STDMETHODIMP SetValue(VARIANT newValue) override;
  STDMETHODIMP SetVars(IVars* vars, LONG index) override;

 private:
  IVars* Set() const;
  ComPtr<IVars> set_;
  LONG index_ = 0;
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

// The collections implement the variable interface in one class; the constant collection
// answers only IConsts and ICollectionConsts.
class TCollectionConsts : public ICollectionConsts, public TRefCount, public TCreatable {
  EVALKERN_IUNKNOWN
 public:
  TCollectionConsts() : TCreatable(CLSID_CollectionConsts) {}
  void* Cast(REFIID iid);
  STDMETHODIMP get_Count(LONG* value) override;
  STDMETHODIMP get_Item(LONG index, IConst** value) override;
  STDMETHODIMP GetIndex(BSTR name, LONG* result) override;
  STDMETHODIMP get_Name(LONG index, BSTR* value) override;
  STDMETHODIMP Value(LONG index, VARIANT* result) override;
  STDMETHODIMP get_Description(LONG index, BSTR* value) override;
  STDMETHODIMP get_Category(LONG index, CategoryOrlen* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;
  STDMETHODIMP Add(BSTR name, VARIANT value) override;
  STDMETHODIMP Clear() override;

 private:
  NamedValues values_;
  ComPtr<IErrorEvents> errorEvents_;
};

class TCollectionVars : public ICollectionVars, public TRefCount, public TCreatable {
  EVALKERN_IUNKNOWN
 public:
  TCollectionVars() : TCreatable(CLSID_CollectionVars) {}
  void* Cast(REFIID iid);
  STDMETHODIMP get_Count(LONG* value) override;
  STDMETHODIMP get_Item(LONG index, IConst** value) override;
  STDMETHODIMP GetIndex(BSTR name, LONG* result) override;
  STDMETHODIMP get_Name(LONG index, BSTR* value) override;
  STDMETHODIMP Value(LONG index, VARIANT* result) override;
  STDMETHODIMP get_Description(LONG index, BSTR* value) override;
  STDMETHODIMP get_Category(LONG index, CategoryOrlen* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;
  STDMETHODIMP SetValue(LONG index, VARIANT newValue) override;
  STDMETHODIMP Add(BSTR name, VARIANT value) override;
  STDMETHODIMP Clear() override;

 private:
  NamedValues values_;
  ComPtr<IErrorEvents> errorEvents_;
};

}  // namespace evalkern
