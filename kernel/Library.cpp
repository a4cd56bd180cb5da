#include "Library.h"

#include <algorithm>
#include <utility>

#include "ClassRegistry.h"
#include "Collections.h"
#include "ErrorEvents.h"
#include "Evaluator.h"
#include "Messages.h"
#include "NameCompare.h"

namespace evalkern {

namespace {

const ErrorSource kSource{L"Evalkern.LibOrlen", &IID_ILibOrlen};

// Answered only by the kernel's own library object, so that the evaluator can reach it directly.
const char kModuleToken = 0;
const IID kLibOrlenSelf = {0x5b0d7c3e, 0x2a61, 0x4f8e, {0x9c, 0x47, 0x1e, 0x83, 0xd2, 0x6a, 0x05, 0xb9}};

// Nested libraries deeper than this are taken for a cycle.
constexpr int kMaxNesting = 64;

ComPtr<IUnknown> Identity(IUnknown* p) {
  ComPtr<IUnknown> id;
  if (p) p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(id.GetAddressOf()));
  return id;
}

// The aliases of one function, read through `count(LONG*)` and `alias(LONG, BSTR*)`.
template <class Count, class Alias>
std::vector<std::wstring> ReadAliases(Count count, Alias alias) {
  LONG n = 0;
  Check(count(&n));
  std::vector<std::wstring> aliases;
  aliases.reserve(n > 0 ? n : 0);
  for (LONG j = 0; j < n; ++j) {
    BSTR a = nullptr;
    Check(alias(j, &a));
    aliases.push_back(FromBstr(a));
    SysFreeString(a);
  }
  return aliases;
}

std::vector<std::wstring> ReadAliases(IFuncs* set, long k) {
  return ReadAliases([&](LONG* n) { return set->get_CountAlias(k, n); },
                     [&](LONG j, BSTR* a) { return set->get_Alias(k, j, a); });
}

std::vector<std::wstring> ReadAliases(IFunc* func) {
  return ReadAliases([&](LONG* n) { return func->get_CountAlias(n); },
                     [&](LONG j, BSTR* a) { return func->get_Alias(j, a); });
}

bool HasAlias(const std::vector<std::wstring>& aliases, const wchar_t* name, std::size_t length) {
  for (const std::wstring& a : aliases)
    if (NamesEqual(a.data(), a.size(), name, length)) return true;
  return false;
}

// The position of the entry called `name` among `entries` (found through `index`), or -1.
template <class Entries>
long FindNamed(const NameIndex& index, const Entries& entries, const wchar_t* name,
               std::size_t length) {
  if (const PooledVector<long>* bucket = index.Find(name, length))
    for (long i : *bucket) {
      const std::wstring& n = entries[i].name;
      if (NamesEqual(n.data(), n.size(), name, length)) return i;
    }
  return -1;
}

// A view of the library handed out as an interface of the library itself.
template <class T>
HRESULT PutView(ILibOrlen* owner, T* view, T** value) {
  if (!value) return E_POINTER;
  *value = view;
  owner->AddRef();
  return S_OK;
}

std::wstring ReadName(IConst* item) {
  BSTR b = nullptr;
  Check(item->get_Name(&b));
  std::wstring name = FromBstr(b);
  SysFreeString(b);
  return name;
}

}  // namespace

// --- TLibOrlen -----------------------------------------------------------------------------------

TLibOrlen::TLibOrlen()
    : TCreatable(CLSID_LibOrlen), module_(&kModuleToken), funcsView_(this), constsView_(this, false), varsView_(this, true) {}
TLibOrlen::~TLibOrlen() = default;

void* TLibOrlen::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ILibOrlen) ||
      IsEqualIID(iid, kLibOrlenSelf))
    return static_cast<ILibOrlen*>(this);
  if (IsEqualIID(iid, IID_IFuncs)) return static_cast<IFuncs*>(&funcsView_);
  if (IsEqualIID(iid, IID_IConsts)) return static_cast<IConsts*>(&constsView_);
  if (IsEqualIID(iid, IID_IVars)) return static_cast<IVars*>(&varsView_);
  return CreatableCast(iid);
}

TLibOrlen::Kind TLibOrlen::KindOf(IUnknown* item) {
  struct Probe {
    const IID* iid;
    Kind kind;
  };
  static const Probe probes[] = {
      {&IID_ILibOrlen, kLibrary}, {&IID_IFuncs, kFuncSet}, {&IID_IFunc, kFunc},
      {&IID_IVar, kVar},          {&IID_IVars, kVarSet},   {&IID_IConst, kConst},
      {&IID_IConsts, kConstSet},
  };
  for (const Probe& p : probes) {
    IUnknown* found = nullptr;
    if (SUCCEEDED(item->QueryInterface(*p.iid, reinterpret_cast<void**>(&found))) && found) {
      found->Release();
      return p.kind;
    }
  }
  return kNothing;
}

void TLibOrlen::CheckItemIndex(LONG index) const { CheckRange(index, items_.size()); }

const TLibOrlen::FuncEntry& TLibOrlen::FuncAt(LONG index) const {
  CheckRange(index, merged_.funcs.size());
  return merged_.funcs[index];
}

STDMETHODIMP TLibOrlen::get_Funcs(IFuncs** value) {
  return PutView<IFuncs>(this, &funcsView_, value);
}
STDMETHODIMP TLibOrlen::get_Consts(IConsts** value) {
  return PutView<IConsts>(this, &constsView_, value);
}
STDMETHODIMP TLibOrlen::get_Vars(IVars** value) { return PutView<IVars>(this, &varsView_, value); }

STDMETHODIMP TLibOrlen::get_Items(LONG index, IUnknown** value) {
  return GuardOut(kSource, value, [&] {
    CheckItemIndex(index);
    PutOut(value, items_[index].ptr);
  });
}

STDMETHODIMP TLibOrlen::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  *value = static_cast<LONG>(items_.size());
  return S_OK;
}

STDMETHODIMP TLibOrlen::Add(IUnknown* item, LONG* result) {
  return Insert(item, static_cast<LONG>(items_.size()), result);
}

// True when `library` is this library or holds it, directly or through nested libraries.
bool TLibOrlen::Holds(IUnknown* library, int depth) const {
  ComPtr<IUnknown> self = Identity(const_cast<ILibOrlen*>(static_cast<const ILibOrlen*>(this)));
  if (Identity(library).Get() == self.Get()) return true;
  if (depth > kMaxNesting) return true;
  ComPtr<ILibOrlen> lib;
  if (FAILED(library->QueryInterface(IID_ILibOrlen, reinterpret_cast<void**>(lib.GetAddressOf()))))
    return false;
  LONG n = 0;
  Check(lib->get_Count(&n));
  for (LONG i = 0; i < n; ++i) {
    ComPtr<IUnknown> inner;
    Check(lib->get_Items(i, inner.GetAddressOf()));
    if (inner && KindOf(inner.Get()) == kLibrary && Holds(inner.Get(), depth + 1)) return true;
  }
  return false;
}

STDMETHODIMP TLibOrlen::Insert(IUnknown* item, LONG index, LONG* result) {
  if (!result) return E_POINTER;
  *result = -1;
  if (!item) return E_POINTER;
  return Guard(kSource, [&] {
    bool cycle = false;
    try {
      if (index < 0 || static_cast<std::size_t>(index) > items_.size()) {
        if (errorEvents_) ReportFlagThenText(errorEvents_.Get(), GetMessageText(14034));
        return;
      }
      for (std::size_t k = 0; k < items_.size(); ++k) {
        if (items_[k].ptr.Get() == item) {
          *result = static_cast<LONG>(k);
          return;
        }
      }
      Kind kind = KindOf(item);
      cycle = kind == kLibrary && Holds(item, 0);
      if (!cycle) {
        items_.insert(items_.begin() + index, Item{ComPtr<IUnknown>(item), kind});
        *result = index;
      }
    } catch (const KernelError&) {
      *result = -1;  // a failure on the way inserts nothing
    } catch (const std::bad_alloc&) {
      *result = -1;
    }
    if (cycle)
      RaiseError(L"A library cannot hold itself, directly or through another library");
  });
}

STDMETHODIMP TLibOrlen::Cut(LONG index, IUnknown** result) {
  return GuardOut(kSource, result, [&] {
    CheckItemIndex(index);
    *result = items_[index].ptr.Detach();
    items_.erase(items_.begin() + index);
  });
}

STDMETHODIMP TLibOrlen::Delete(LONG index) {
  return Guard(kSource, [&] {
    CheckItemIndex(index);
    items_.erase(items_.begin() + index);
  });
}

STDMETHODIMP TLibOrlen::Move(LONG index1, LONG index2) {
  LONG n = static_cast<LONG>(items_.size());
  if (index1 < 0 || index1 >= n || index2 < 0 || index2 >= n || index1 == index2) return S_OK;
  auto first = items_.begin();
  if (index1 < index2)
    std::rotate(first + index1, first + index1 + 1, first + index2 + 1);
  else
    std::rotate(first + index2, first + index1, first + index1 + 1);
  return S_OK;
}

STDMETHODIMP TLibOrlen::GetIndex(IUnknown* item, LONG* result) {
  if (!result) return E_POINTER;
  *result = -1;
  for (std::size_t k = 0; k < items_.size(); ++k) {
    if (items_[k].ptr.Get() == item) {
      *result = static_cast<LONG>(k);
      break;
    }
  }
  return S_OK;
}

STDMETHODIMP TLibOrlen::get_FuncSignature(BSTR funcName, BSTR* value) {
  return GuardOut(kSource, value, [&] {
    std::wstring joined;
    bool first = true;
    for (const FuncEntry& e : merged_.funcs) {
      if (!HasAlias(e.aliases, BstrChars(funcName), BstrLength(funcName))) continue;
      BSTR sig = nullptr;
      Check(e.func->get_Signature(&sig));
      if (!first) joined += L"\r\n";
      joined.append(BstrChars(sig), BstrLength(sig));
      SysFreeString(sig);
      first = false;
    }
    *value = MakeBstr(joined);
  });
}

void TLibOrlen::Merged::Append(FuncEntry entry) {
  long at = static_cast<long>(funcs.size());
  for (const std::wstring& a : entry.aliases) funcIndex.Add(a, at);
  funcs.push_back(std::move(entry));
}

void TLibOrlen::Merged::Append(NamedEntry<IConst> entry) {
  constIndex.Add(entry.name, static_cast<long>(consts.size()));
  consts.push_back(std::move(entry));
}

void TLibOrlen::Merged::Append(NamedEntry<IVar> entry) {
  varIndex.Add(entry.name, static_cast<long>(vars.size()));
  vars.push_back(std::move(entry));
}

void TLibOrlen::AppendFuncs(Merged& merged, IFuncs* set) {
  LONG n = 0;
  Check(set->get_Count(&n));
  if (n > 0) merged.funcs.reserve(merged.funcs.size() + static_cast<std::size_t>(n));
  for (LONG k = 0; k < n; ++k) {
    ComPtr<IFunc> f;
    Check(set->get_FuncInterface(k, f.GetAddressOf()));
    if (!f) RaiseError(L"A function set gave no function");
    CategoryOrlen cat = cUnknown;
    Check(set->get_Category(k, &cat));
    merged.Append(FuncEntry{f, ReadAliases(set, k), cat, AsShellFuncs(f.Get())});
  }
}

void TLibOrlen::AppendConsts(Merged& merged, IConsts* set) {
  LONG n = 0;
  Check(set->get_Count(&n));
  if (n > 0) merged.consts.reserve(merged.consts.size() + static_cast<std::size_t>(n));
  for (LONG k = 0; k < n; ++k) {
    ComPtr<IConst> c;
    Check(set->get_Item(k, c.GetAddressOf()));
    if (!c) RaiseError(L"A constant set gave no constant");
    merged.Append(NamedEntry<IConst>{c, ReadName(c.Get())});
  }
}

void TLibOrlen::AppendVars(Merged& merged, IVars* set) {
  LONG n = 0;
  Check(set->get_Count(&n));
  if (n > 0) merged.vars.reserve(merged.vars.size() + static_cast<std::size_t>(n));
  for (LONG k = 0; k < n; ++k) {
    ComPtr<IConst> c;
    Check(set->get_Item(k, c.GetAddressOf()));
    ComPtr<IVar> v;
    if (c) Check(c.As(&v));
    if (!v) RaiseError(L"A variable set gave no variable");
    merged.Append(NamedEntry<IVar>{v, ReadName(v.Get())});
  }
}

// Appends every entry of the items, in order, to `merged` (the second pass of Refresh).
void TLibOrlen::Collect(Merged& merged) {
  for (const Item& it : items_) {
    IUnknown* p = it.ptr.Get();
    switch (it.kind) {
      case kFunc: {
        ComPtr<IFunc> f = QueryChecked<IFunc>(p, IID_IFunc);
        CategoryOrlen cat = cUnknown;
        Check(f->get_Category(&cat));
        std::vector<std::wstring> aliases = ReadAliases(f.Get());
        merged.Append(FuncEntry{f, std::move(aliases), cat, AsShellFuncs(f.Get())});
        break;
      }
      case kFuncSet:
        AppendFuncs(merged, QueryChecked<IFuncs>(p, IID_IFuncs).Get());
        break;
      case kLibrary: {
        // A nested library gives its merged views: functions, then constants, then variables.
        ComPtr<ILibOrlen> lib = QueryChecked<ILibOrlen>(p, IID_ILibOrlen);
        ComPtr<IFuncs> funcs;
        ComPtr<IConsts> consts;
        ComPtr<IVars> vars;
        Check(lib->get_Funcs(funcs.GetAddressOf()));
        Check(lib->get_Consts(consts.GetAddressOf()));
        Check(lib->get_Vars(vars.GetAddressOf()));
        if (!funcs || !consts || !vars) RaiseError(L"A nested library gave no view");
        AppendFuncs(merged, funcs.Get());
        AppendConsts(merged, consts.Get());
        AppendVars(merged, vars.Get());
        break;
      }
      case kConst: {
        ComPtr<IConst> c = QueryChecked<IConst>(p, IID_IConst);
        merged.Append(NamedEntry<IConst>{c, ReadName(c.Get())});
        break;
      }
      case kConstSet:
        AppendConsts(merged, QueryChecked<IConsts>(p, IID_IConsts).Get());
        break;
      case kVar: {
        ComPtr<IVar> v = QueryChecked<IVar>(p, IID_IVar);
        merged.Append(NamedEntry<IVar>{v, ReadName(v.Get())});
        break;
      }
      case kVarSet:
        AppendVars(merged, QueryChecked<IVars>(p, IID_IVars).Get());
        break;
      case kNothing:
        break;
    }
  }
}

STDMETHODIMP TLibOrlen::Refresh() {
  return Guard(kSource, [&] {
    if (refreshing_)
      RaiseError(L"A library cannot hold itself, directly or through another library");
    struct Flag {
      bool& f;
      explicit Flag(bool& flag) : f(flag) { f = true; }
      ~Flag() { f = false; }
    } busy(refreshing_);

    // First pass: hand the sink and the settings down, and bring nested libraries up to date.
    IErrorEvents* sink = errorEvents_.Get();
    ISettings* settings = settings_.Get();
    auto handDown = [&](const auto& item) {
      Check(item->put_ErrorEvents(sink));
      Check(item->put_Settings(settings));
    };
    for (const Item& it : items_) {
      IUnknown* p = it.ptr.Get();
      switch (it.kind) {
        case kFunc:
          handDown(QueryChecked<IFunc>(p, IID_IFunc));
          break;
        case kFuncSet:
          handDown(QueryChecked<IFuncs>(p, IID_IFuncs));
          break;
        // Variables are asked for the interface that made them variables.
        case kConst:
          Check(QueryChecked<IConst>(p, IID_IConst)->put_ErrorEvents(sink));
          break;
        case kVar:
          Check(QueryChecked<IVar>(p, IID_IVar)->put_ErrorEvents(sink));
          break;
        case kConstSet:
          Check(QueryChecked<IConsts>(p, IID_IConsts)->put_ErrorEvents(sink));
          break;
        case kVarSet:
          Check(QueryChecked<IVars>(p, IID_IVars)->put_ErrorEvents(sink));
          break;
        case kLibrary: {
          ComPtr<ILibOrlen> lib = QueryChecked<ILibOrlen>(p, IID_ILibOrlen);
          handDown(lib);
          Check(lib->Refresh());
          break;
        }
        case kNothing:
          break;
      }
    }

    // Second pass: build the merged lists aside and take them only when all went well.
    Merged fresh;
    Collect(fresh);
    std::swap(merged_, fresh);
  });
}

STDMETHODIMP TLibOrlen::Clear() {
  items_.clear();
  Merged empty;
  std::swap(merged_, empty);
  return S_OK;
}

STDMETHODIMP TLibOrlen::get_Settings(ISettings** value) { return GetField(settings_, value); }

STDMETHODIMP TLibOrlen::put_Settings(ISettings* value) { return PutField(settings_, value); }

STDMETHODIMP TLibOrlen::get_ErrorEvents(IErrorEvents** value) {
  return GetField(errorEvents_, value);
}

STDMETHODIMP TLibOrlen::put_ErrorEvents(IErrorEvents* value) {
  return PutField(errorEvents_, value);
}

HRESULT TLibOrlen::CheckCount(const FuncEntry& e, LONG count, LONG* result) {
  if (e.shell)
    if (IFuncs* set = e.shell->BoundSet())
      return set->CheckArgumentsNumber(e.shell->BoundIndex(), count, result);
  return e.func->CheckArgumentsNumber(count, result);
}

HRESULT TLibOrlen::CallEntry(const FuncEntry& e, IArguments* arguments, VARIANT* result) {
  if (e.shell)
    if (IFuncs* set = e.shell->BoundSet()) {
      VariantInit(result);
      return set->Func(e.shell->BoundIndex(), arguments, result);
    }
  return e.func->Func(arguments, result);
}

long TLibOrlen::FindFunc(const wchar_t* name, std::size_t length, long count,
                         CategoryOrlen category) {
  const PooledVector<long>* bucket = merged_.funcIndex.Find(name, length);
  if (!bucket) return -1;
  for (long i : *bucket) {
    const FuncEntry& e = merged_.funcs[i];
    if (!HasAlias(e.aliases, name, length)) continue;
    LONG check = 0;
    Check(CheckCount(e, count, &check));
    if (check != 0) continue;
    if (category == cAll || e.category == category) return i;
  }
  return -1;
}

std::vector<long> TLibOrlen::FuncsNamed(const wchar_t* name, std::size_t length) const {
  std::vector<long> found;
  if (const PooledVector<long>* bucket = merged_.funcIndex.Find(name, length))
    for (long i : *bucket)
      if (HasAlias(merged_.funcs[i].aliases, name, length)) found.push_back(i);
  return found;
}

long TLibOrlen::FindConst(const wchar_t* name, std::size_t length) const {
  return FindNamed(merged_.constIndex, merged_.consts, name, length);
}

long TLibOrlen::FindVar(const wchar_t* name, std::size_t length) const {
  return FindNamed(merged_.varIndex, merged_.vars, name, length);
}

void TLibOrlen::CallFunc(long index, IArguments* arguments, VARIANT* result) {
  const FuncEntry& e = FuncAt(index);
  try {
    Check(CallEntry(e, arguments, result));
  } catch (const KernelError& e) {
    // A function body that fails is reported on the sink; the call itself succeeds.
    VariantClear(result);
    if (!errorEvents_) throw;
    ReportFlagThenText(errorEvents_.Get(), e.text);
  }
}

void TLibOrlen::ConstValue(long index, VARIANT* result) {
  CheckRange(index, merged_.consts.size());
  Check(merged_.consts[index].item->Value(result));
}

void TLibOrlen::VarValue(long index, VARIANT* result) {
  CheckRange(index, merged_.vars.size());
  Check(merged_.vars[index].item->Value(result));
}

TLibOrlen* AsLibOrlen(ILibOrlen* library) {
  if (!library) return nullptr;
  ILibOrlen* self = nullptr;
  if (FAILED(library->QueryInterface(kLibOrlenSelf, reinterpret_cast<void**>(&self))) || !self)
    return nullptr;
  self->Release();  // the caller's reference keeps the library alive
  // An object made by another copy of this code (another module) is reached through COM only.
  TLibOrlen* lib = static_cast<TLibOrlen*>(self);
  return lib->module_ == &kModuleToken ? lib : nullptr;
}

// --- the IFuncs view -----------------------------------------------------------------------------

STDMETHODIMP TLibOrlen::FuncsView::QueryInterface(REFIID iid, void** out) {
  return owner_->QueryInterface(iid, out);
}
STDMETHODIMP_(ULONG) TLibOrlen::FuncsView::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) TLibOrlen::FuncsView::Release() { return owner_->Release(); }

STDMETHODIMP TLibOrlen::FuncsView::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  *value = static_cast<LONG>(owner_->merged_.funcs.size());
  return S_OK;
}

STDMETHODIMP TLibOrlen::FuncsView::get_FuncInterface(LONG index, IFunc** value) {
  return GuardOut(kSource, value, [&] { PutOut(value, owner_->FuncAt(index).func); });
}

STDMETHODIMP TLibOrlen::FuncsView::GetFirstEntryIndex(BSTR name, LONG countArguments,
                                                      CategoryOrlen category, LONG* result) {
  if (!result) return E_POINTER;
  *result = -1;
  return Guard(kSource, [&] {
    *result = owner_->FindFunc(BstrChars(name), BstrLength(name), countArguments, category);
  });
}

STDMETHODIMP TLibOrlen::FuncsView::get_Name(LONG index, BSTR* value) {
  return GuardOut(kSource, value, [&] { Check(owner_->FuncAt(index).func->get_Name(value)); });
}

STDMETHODIMP TLibOrlen::FuncsView::CheckArgumentsNumber(LONG index, LONG count, LONG* result) {
  return GuardOut(kSource, result,
                  [&] { Check(owner_->FuncAt(index).func->CheckArgumentsNumber(count, result)); });
}

STDMETHODIMP TLibOrlen::FuncsView::Func(LONG index, IArguments* arguments, VARIANT* result) {
  return GuardOut(kSource, result, [&] { owner_->CallFunc(index, arguments, result); });
}

STDMETHODIMP TLibOrlen::FuncsView::get_Description(LONG index, BSTR* value) {
  return GuardOut(kSource, value,
                  [&] { Check(owner_->FuncAt(index).func->get_Description(value)); });
}

STDMETHODIMP TLibOrlen::FuncsView::get_Category(LONG index, CategoryOrlen* value) {
  return GuardOut(kSource, value, [&] { Check(owner_->FuncAt(index).func->get_Category(value)); });
}

STDMETHODIMP TLibOrlen::FuncsView::get_Signature(LONG index, BSTR* value) {
  return GuardOut(kSource, value, [&] { Check(owner_->FuncAt(index).func->get_Signature(value)); });
}

STDMETHODIMP TLibOrlen::FuncsView::get_CountAlias(LONG indexFunc, LONG* value) {
  return GuardOut(kSource, value,
                  [&] { Check(owner_->FuncAt(indexFunc).func->get_CountAlias(value)); });
}

STDMETHODIMP TLibOrlen::FuncsView::get_Alias(LONG indexFunc, LONG indexAlias, BSTR* value) {
  return GuardOut(kSource, value,
                  [&] { Check(owner_->FuncAt(indexFunc).func->get_Alias(indexAlias, value)); });
}

STDMETHODIMP TLibOrlen::FuncsView::get_Settings(ISettings** value) {
  return owner_->get_Settings(value);
}
STDMETHODIMP TLibOrlen::FuncsView::put_Settings(ISettings* value) {
  return owner_->put_Settings(value);
}
STDMETHODIMP TLibOrlen::FuncsView::get_ErrorEvents(IErrorEvents** value) {
  return owner_->get_ErrorEvents(value);
}
STDMETHODIMP TLibOrlen::FuncsView::put_ErrorEvents(IErrorEvents* value) {
  return owner_->put_ErrorEvents(value);
}

// --- the IConsts and IVars views -----------------------------------------------------------------

STDMETHODIMP TLibOrlen::NamesView::QueryInterface(REFIID iid, void** out) {
  return owner_->QueryInterface(iid, out);
}
STDMETHODIMP_(ULONG) TLibOrlen::NamesView::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) TLibOrlen::NamesView::Release() { return owner_->Release(); }

IConst* TLibOrlen::NamesView::At(LONG index) const {
  const Merged& m = owner_->merged_;
  if (vars_) {
    CheckRange(index, m.vars.size());
    return m.vars[index].item.Get();
  }
  CheckRange(index, m.consts.size());
  return m.consts[index].item.Get();
}

STDMETHODIMP TLibOrlen::NamesView::get_Count(LONG* value) {
  if (!value) return E_POINTER;
  const Merged& m = owner_->merged_;
  *value = static_cast<LONG>(vars_ ? m.vars.size() : m.consts.size());
  return S_OK;
}

STDMETHODIMP TLibOrlen::NamesView::get_Item(LONG index, IConst** value) {
  return GuardOut(kSource, value, [&] {
    *value = At(index);
    (*value)->AddRef();
  });
}

STDMETHODIMP TLibOrlen::NamesView::GetIndex(BSTR name, LONG* result) {
  if (!result) return E_POINTER;
  *result = vars_ ? owner_->FindVar(BstrChars(name), BstrLength(name))
                  : owner_->FindConst(BstrChars(name), BstrLength(name));
  return S_OK;
}

STDMETHODIMP TLibOrlen::NamesView::get_Name(LONG index, BSTR* value) {
  return GuardOut(kSource, value, [&] { Check(At(index)->get_Name(value)); });
}

STDMETHODIMP TLibOrlen::NamesView::Value(LONG index, VARIANT* result) {
  return GuardOut(kSource, result, [&] { Check(At(index)->Value(result)); });
}

STDMETHODIMP TLibOrlen::NamesView::get_Description(LONG index, BSTR* value) {
  return GuardOut(kSource, value, [&] { Check(At(index)->get_Description(value)); });
}

STDMETHODIMP TLibOrlen::NamesView::get_Category(LONG index, CategoryOrlen* value) {
  return GuardOut(kSource, value, [&] { Check(At(index)->get_Category(value)); });
}

STDMETHODIMP TLibOrlen::NamesView::get_ErrorEvents(IErrorEvents** value) {
  return owner_->get_ErrorEvents(value);
}
STDMETHODIMP TLibOrlen::NamesView::put_ErrorEvents(IErrorEvents* value) {
  return owner_->put_ErrorEvents(value);
}

STDMETHODIMP TLibOrlen::NamesView::SetValue(LONG index, VARIANT newValue) {
  return Guard(kSource, [&] {
    if (!vars_) RaiseError(L"Constants cannot be changed");
    CheckRange(index, owner_->merged_.vars.size());
    Check(owner_->merged_.vars[index].item->SetValue(newValue));
  });
}

// --- creation ------------------------------------------------------------------------------------

HRESULT CreateLibOrlen(REFIID iid, void** out) { return CreateObject<TLibOrlen>(iid, out); }

EVALKERN_CLASS(LibOrlen, &CreateLibOrlen);

}  // namespace evalkern
