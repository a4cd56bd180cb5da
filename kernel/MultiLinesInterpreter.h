// The worksheet interpreter: many lines, statements at ";", "//" comments, ":=" assignments into
// temporary variables, one output line per input line, and the host asked between lines
// whether the run is still wanted.
#pragma once

#include <wrl/client.h>

#include <string>
#include <vector>

#include "BlockPool.h"
#include "Creatable.h"
#include "KernelObject.h"
#include "Nodes.h"

namespace evalkern {

using Microsoft::WRL::ComPtr;

HRESULT CreateMultiLinesInterpreterOrlen(REFIID iid, void** out);
HRESULT CreateBasicMultiLinesInterpreterOrlen(REFIID iid, void** out);

class TMultiLinesInterpreterOrlen : public TRefCount, public IMultiLinesInterpreterOrlen, public TCreatable {
  EVALKERN_IUNKNOWN

 public:
  explicit TMultiLinesInterpreterOrlen(const CLSID& clsid);
  ~TMultiLinesInterpreterOrlen() override;
  void* Cast(REFIID iid);
  // The class factory's initialisation; the basic interpreter also fills its library.
  void Initialize(bool withBasicLibrary);

  STDMETHODIMP get_Text(BSTR* value) override;
  STDMETHODIMP put_Text(BSTR value) override;
  STDMETHODIMP Clear() override;
  STDMETHODIMP get_Settings(ISettings** value) override;
  STDMETHODIMP put_Settings(ISettings* value) override;
  STDMETHODIMP get_Lib(ILibOrlen** value) override;
  STDMETHODIMP put_Lib(ILibOrlen* value) override;
  STDMETHODIMP Parsing(VARIANT_BOOL* result) override;
  STDMETHODIMP get_IMainNode(INodeParsing** value) override;
  STDMETHODIMP Calc(VARIANT_BOOL* result) override;
  STDMETHODIMP get_Value(VARIANT* value) override;
  STDMETHODIMP get_ErrorEvents(IErrorEvents** value) override;
  STDMETHODIMP put_ErrorEvents(IErrorEvents* value) override;
  STDMETHODIMP get_IsCalculationNeeded(IIsCalculationNeeded** value) override;
  STDMETHODIMP put_IsCalculationNeeded(IIsCalculationNeeded* value) override;
  STDMETHODIMP get_TempVars(IVars** value) override;

 private:
  // One statement of the last parse.
  struct RecLine {
    std::wstring expression;
    std::wstring name;         // empty when the statement assigns nothing
    std::wstring failure;      // the message of a bad assignment, reported again by every Calc
    ComPtr<INodeParsing> tree;
    KernelNodeRef kind;        // what the tree is, found once for all the runs that use it
  };
  using Line = std::vector<RecLine, PoolAllocator<RecLine>>;  // most lines hold one statement

  IErrorEvents* Sink();
  bool CheckCalculationNeeded();
  bool ParseLines();
  void BuildMainNode();
  void RebuildTempVars();
  const RecLine* FindReusable(const std::wstring& expression, const std::wstring& name, int& cursor) const;
  bool CalcLines();

  const ErrorSource source_;
  ComPtr<ILibOrlen> Lib;
  ComPtr<ISettings> Settings;
  ComPtr<IErrorEvents> ErrorEvents;
  // The text, the lines and the output are a worksheet's largest buffers: they come from the
  // block pool, so that the next interpreter writes into memory this one has used.
  PooledText Text;
  ComPtr<ICollectionVars> TempVars;
  PooledVector<Line> lines_;
  bool parsed_ = false;            // lines_ holds the last parse of Text
  ComPtr<INodeParsing> IMainNode;  // made from lines_ when first asked for
  // The results of the last Calc, one line per line of the text; the value a host reads is this
  // text, made into a string of its own on each request. Empty when there is no Calc to show.
  PooledText Value;
  bool hasValue_ = false;
  ComPtr<IIsCalculationNeeded> IsCalculationNeeded;
};

}  // namespace evalkern
