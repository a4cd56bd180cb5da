// The library object: an ordered list of items (functions, constants, variables, sets of them and
// other libraries) flattened by Refresh into merged lists of functions, constants and variables,
// which the object shows through IFuncs, IConsts and IVars views of its own.
#pragma once

#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "BlockPool.h"
#include "Creatable.h"
#include "KernelObject.h"
#include "NameCompare.h"

namespace evalkern {

using Microsoft::WRL::ComPtr;

// Creation function of the coclass LibOrlen.
HRESULT CreateLibOrlen(REFIID iid, void** out);

class TLibOrlen;
class TShellFuncs;
// The kernel object behind `lib`, or null when it is another implementation. The pointer lives
// as long as the caller's reference to `lib`.
TLibOrlen* AsLibOrlen(ILibOrlen* lib);

class TLibOrlen : public ILibOrlen, public TRefCount, public TCreatable {
  EVALKERN_IUNKNOWN

 public:
  // Kinds of items, decided once when an item is inserted.
  enum Kind : unsigned char {
    kNothing = 0,
    kFunc = 1,
    kFuncSet = 2,
    kConst = 3,
    kConstSet = 4,
    kVar = 5,
    kVarSet = 6,
    kLibrary = 7,
  };
  static Kind KindOf(IUnknown* item);

  TLibOrlen();
  ~TLibOrlen() override;
  void* Cast(REFIID iid);

  // ILibOrlen
  STDMETHODIMP get_Funcs(IFuncs** value) override;
  STDMETHODIMP get_Consts(IConsts** value) override;
  STDMETHODIMP get_Vars(IVars** value) override;
  STDMETHODIMP get_Items(LONG index, IUnknown** value) override;
  STDMETHODIMP get_Count(LONG* value) override;
  STDMETHODIMP Add(IUnknown* item, LONG* result) override;
  STDMETHODIMP Insert(IUnknown* item, LONG index, LONG* result) override;
  STDMETHODIMP Cut(LONG index, IUnknown** result) override;
  STDMETHODIMP Delete(LONG index) override;
  STDMETHODIMP Move(LONG index1, LONG index2) override;
  STDMETHODIMP GetIndex(IUnknown* item, LONG* result) override;
  STDMETHODIMP get_FuncSignature(BSTR funcName, BSTR* value) override;
  STDMETHODIMP Refresh() override;
  STDMETHODIMP Clear() override;
  STDMETHODIMP get_Settings(ISettings** value) override;
  STDMETHODIMP put_Settings(ISettings* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;

  // The first merged function that has `name` among its aliases, accepts `count` arguments and
  // belongs to `category` (cAll: any), or -1.
  long FindFunc(const wchar_t* name, std::size_t length, long count, CategoryOrlen category);
  // Positions of every merged function that has `name` among its aliases, in merged order.
  std::vector<long> FuncsNamed(const wchar_t* name, std::size_t length) const;
  long FindConst(const wchar_t* name, std::size_t length) const;
  long FindVar(const wchar_t* name, std::size_t length) const;
  // The members of the views for the evaluator, without a COM round trip; they raise on failure.
  void CallFunc(long index, IArguments* arguments, VARIANT* result);
  void ConstValue(long index, VARIANT* result);
  void VarValue(long index, VARIANT* result);

 private:
  struct Item {
    ComPtr<IUnknown> ptr;
    Kind kind;
  };
  struct FuncEntry {
    ComPtr<IFunc> func;
    std::vector<std::wstring> aliases;
    CategoryOrlen category;
    TShellFuncs* shell = nullptr;  // the kernel's wrapper behind `func`, when it is one
  };
  // CheckArgumentsNumber and Func of an entry; a wrapper's set is asked directly, as the wrapper
  // itself would ask it.
  static HRESULT CheckCount(const FuncEntry& e, LONG count, LONG* result);
  static HRESULT CallEntry(const FuncEntry& e, IArguments* arguments, VARIANT* result);
  template <class T>
  struct NamedEntry {
    ComPtr<T> item;
    std::wstring name;
  };
  // Made anew by every Refresh, with an entry per temporary variable of a worksheet: in pooled
  // blocks, so that the lists of one Refresh take the memory of the last one's.
  struct Merged {
    PooledVector<FuncEntry> funcs;
    PooledVector<NamedEntry<IConst>> consts;
    PooledVector<NamedEntry<IVar>> vars;
    NameIndex funcIndex, constIndex, varIndex;
    void Append(FuncEntry entry);
    void Append(NamedEntry<IConst> entry);
    void Append(NamedEntry<IVar> entry);
  };

  // The three views share the object's identity and reference count.
  class FuncsView : public IFuncs {
   public:
    explicit FuncsView(TLibOrlen* owner) : owner_(owner) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP get_Count(LONG* value) override;
    STDMETHODIMP get_FuncInterface(LONG index, IFunc** value) override;
    STDMETHODIMP GetFirstEntryIndex(BSTR name, LONG countArguments, CategoryOrlen category,
                                    LONG* result) override;
    STDMETHODIMP get_Name(LONG index, BSTR* value) override;
    STDMETHODIMP CheckArgumentsNumber(LONG index, LONG count, LONG* result) override;
    STDMETHODIMP Func(LONG index, IArguments* arguments, VARIANT* result) override;
    STDMETHODIMP get_Description(LONG index, BSTR* value) override;
    STDMETHODIMP get_Category(LONG index, CategoryOrlen* value) override;
    STDMETHODIMP get_Signature(LONG index, BSTR* value) override;
    STDMETHODIMP get_CountAlias(LONG indexFunc, LONG* value) override;
    STDMETHODIMP get_Alias(LONG indexFunc, LONG indexAlias, BSTR* value) override;
    STDMETHODIMP get_Settings(ISettings** value) override;
    STDMETHODIMP put_Settings(ISettings* value) override;
    STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
    STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;

   private:
    TLibOrlen* owner_;
  };

  // One class serves the constants view (as IConsts) and the variables view (as IVars, which
  // extends IConsts); `vars` tells them apart.
  class NamesView : public IVars {
   public:
    NamesView(TLibOrlen* owner, bool vars) : owner_(owner), vars_(vars) {}
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
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

   private:
    IConst* At(LONG index) const;
    TLibOrlen* owner_;
    bool vars_;
  };

  void CheckItemIndex(LONG index) const;
  const FuncEntry& FuncAt(LONG index) const;
  bool Holds(IUnknown* library, int depth) const;
  void Collect(Merged& merged);
  static void AppendFuncs(Merged& merged, IFuncs* set);
  static void AppendConsts(Merged& merged, IConsts* set);
  static void AppendVars(Merged& merged, IVars* set);

  friend TLibOrlen* AsLibOrlen(ILibOrlen* lib);
  const void* module_;  // the module whose code made the object
  std::vector<Item> items_;
  Merged merged_;
  ComPtr<IErrorEvents> errorEvents_;
  ComPtr<ISettings> settings_;
  bool refreshing_ = false;
  FuncsView funcsView_;
  NamesView constsView_;
  NamesView varsView_;
};

}  // namespace evalkern
