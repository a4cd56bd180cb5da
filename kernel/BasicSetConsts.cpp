#include "BasicSetConsts.h"

#include <string>
#include <vector>

#include "ClassRegistry.h"
#include "Creatable.h"
#include "Creators.h"
#include "Evaluator.h"
#include "KernelObject.h"
#include "Messages.h"
#include "NameCompare.h"

namespace evalkern {

namespace {

const ErrorSource kSource{L"Evalkern.BasicSetConsts", &IID_IBasicSetConsts};

struct recConst {
  std::wstring Name;
  VARIANT Value = {};
  std::wstring Description;
  CategoryOrlen Category;
};

class TBasicSetConsts final : public TRefCount, public IBasicSetConsts, public TCreatable {
  EVALKERN_IUNKNOWN

 public:
  TBasicSetConsts() : TCreatable(CLSID_BasicSetConsts) {}

  ~TBasicSetConsts() override {
    for (recConst& c : consts_) VariantClear(&c.Value);
  }

  // The texts are fetched once, here; `pi` and `exp` carry their values as texts that the
  // argument conversions read as numbers.
  void Initialize() {
    consts_.resize(kBasicConstCount);
    Fill(0, L"Authors", TextValue(11000), GetMessageText(11001), cHidden);
    Fill(1, L"pi", TextValue(11002), GetMessageText(11002), cTrigonometric);
    Fill(2, L"exp", TextValue(11003), GetMessageText(11003), cArithmetic);
    Fill(3, L"true", BoolValue(true), GetMessageText(11004), cLogical);
    Fill(4, L"false", BoolValue(false), GetMessageText(11005), cLogical);
  }

  void* Cast(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IConsts || iid == IID_IBasicSetConsts)
      return static_cast<IBasicSetConsts*>(this);
    return CreatableCast(iid);
  }

  STDMETHODIMP get_Count(long* value) override {
    if (!value) return E_POINTER;
    *value = static_cast<long>(consts_.size());
    return S_OK;
  }

  STDMETHODIMP get_Item(long index, IConst** value) override {
    return GuardOut(kSource, value, [&] {
      At(index);
      Microsoft::WRL::ComPtr<IShellConsts> shell = CoShellConsts::Create();
      Check(shell->SetConsts(this, index));
      *value = shell.Detach();  // IShellConsts derives from IConst
    });
  }

  STDMETHODIMP GetIndex(BSTR name, long* result) override {
    if (!result) return E_POINTER;
    *result = -1;
    for (size_t i = 0; i < consts_.size(); ++i)
      if (NamesEqual(consts_[i].Name, name)) {
        *result = static_cast<long>(i);
        break;
      }
    return S_OK;
  }

  STDMETHODIMP get_Name(long index, BSTR* value) override {
    return GuardOut(kSource, value, [&] { *value = MakeBstr(At(index).Name); });
  }

  STDMETHODIMP Value(long index, VARIANT* result) override {
    return GuardOut(kSource, result, [&] { Check(VariantCopy(result, &At(index).Value)); });
  }

  STDMETHODIMP get_Description(long index, BSTR* value) override {
    return GuardOut(kSource, value, [&] { *value = MakeBstr(At(index).Description); });
  }

  STDMETHODIMP get_Category(long index, CategoryOrlen* value) override {
    if (!value) return E_POINTER;
    return Guard(kSource, [&] { *value = At(index).Category; });
  }

  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override {
    return GetField(errorEvents_, value);
  }

  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override {
    return PutField(errorEvents_, value);
  }

 private:
  static VARIANT TextValue(int id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = MakeBstr(GetMessageText(id));
    return v;
  }

  static VARIANT BoolValue(bool b) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BOOL;
    v.boolVal = b ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
  }

  void Fill(size_t i, const wchar_t* name, VARIANT value, std::wstring description,
            CategoryOrlen category) {
    consts_[i].Name = name;
    consts_[i].Value = value;
    consts_[i].Description = std::move(description);
    consts_[i].Category = category;
  }

  recConst& At(long index) {
    CheckRange(index, consts_.size(), E_INVALIDARG);
    return consts_[static_cast<size_t>(index)];
  }

  std::vector<recConst> consts_;
  Microsoft::WRL::ComPtr<IErrorEvents> errorEvents_;
};

}  // namespace

HRESULT CreateBasicSetConsts(REFIID iid, void** out) {
  return CreateInitialized<TBasicSetConsts>(kSource, iid, out);
}

EVALKERN_CLASS(BasicSetConsts, &CreateBasicSetConsts);

}  // namespace evalkern
