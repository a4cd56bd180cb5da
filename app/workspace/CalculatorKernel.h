// CCalculatorKernel: the program's one link to the Evalkern interpreter.
//
// It creates the kernel's multi-line interpreter and categories list by class id, keeps the
// angle unit and result notation, and offers ICalculatorKernel to the rest of the program.
// Towards the kernel it is the error sink (IErrorEvents) and the progress callback
// (IIsCalculationNeeded); the callback pumps the thread's messages while a worksheet is
// calculated (every few milliseconds, not at every line), and a newer "DoCalculationFerrow"
// request ends the running calculation.
//
// The object is not reference-counted: AddRef answers 1, Release 0, and the owner (the
// application object) deletes it. Its destructor releases the kernel's objects before the
// memory that the kernel's callbacks point to goes away.
#pragma once
#include <windows.h>
#include <wrl/client.h>
#include <vector>
#include "Evalkern.h"
#include "NumbrookLib.h"
#include "FwString.h"

// ---- mapping between the program's enumerations and the kernel's ----------------------------

// False (and `out` untouched) for a value outside CalcAngleFormat.
bool AngleFormatToKernel(long angleFormat, TAngleMeasurement& out);
CalcAngleFormat AngleFormatFromKernel(TAngleMeasurement angle);
// False (and `out` untouched) for a value outside CalcResultFormat.
bool ResultFormatToKernel(long resultFormat, TFormatOut& out);
CalcResultFormat ResultFormatFromKernel(TFormatOut format);

// Names compare without regard to the case of ASCII letters only.
bool SameName(LPCWSTR a, LPCWSTR b);
// The library functions whose names are written as word operators: and, div, mod, not, or,
// shl, shr, xor.
bool IsWordOperator(LPCWSTR name);
// The operators that GetOperator lists: text and kind by index 0..8; false outside.
bool OperatorByIndex(int index, LPCWSTR& text, OperatorType& type);

class CCalculatorKernel : public ICalculatorKernel, public IErrorEvents, public IIsCalculationNeeded {
public:
  // Creates the kernel's objects; on failure shows the error and throws _com_error.
  CCalculatorKernel();
  virtual ~CCalculatorKernel();
  CCalculatorKernel(const CCalculatorKernel&) = delete;
  CCalculatorKernel& operator=(const CCalculatorKernel&) = delete;

  // The bridge object behind an ICalculatorKernel reference of this program (null for any
  // other implementation).
  static CCalculatorKernel* FromInterface(ICalculatorKernel* kernel);

  // IUnknown (every face).
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }

  // ICalculatorKernel.
  STDMETHODIMP ParseExpression(BSTR Expression, ParseExpResult* Result) override;
  STDMETHODIMP GetVarValue(int Index, VARIANT* Value) override;
  STDMETHODIMP GetVarName(int Index, BSTR* Name) override;
  STDMETHODIMP IsDefined(BSTR Text, CalcObjectType* defType, int* findIndex) override;
  STDMETHODIMP GetCountObjects(CalcObjectType ObjectType, int* Count) override;
  STDMETHODIMP GetFunction(int Index, CalcFunction* Function) override;
  STDMETHODIMP GetFunctionIndex(BSTR funcName, int* Index) override;
  STDMETHODIMP GetConstant(int Index, CalcConstant* Constant) override;
  STDMETHODIMP GetOperator(int Index, CalcOperator* Operator) override;
  STDMETHODIMP GetCategory(int Index, CalcCategory* Category) override;
  STDMETHODIMP GetCategoryIndex(int categoryId, int* Index) override;
  STDMETHODIMP GetCalcAngleFormat(CalcAngleFormat* Format) override;
  STDMETHODIMP GetCalcResultFormat(CalcResultFormat* Format) override;
  STDMETHODIMP SetCalcSettings(CalcAngleFormat angleFormat, CalcResultFormat resultFormat) override;

  // IErrorEvents: the kernel reports the error of a statement here.
  STDMETHODIMP get_ErrorFlag(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_ErrorFlag(VARIANT_BOOL Value) override;
  STDMETHODIMP get_ErrorText(BSTR* Value) override;
  STDMETHODIMP put_ErrorText(BSTR Value) override;

  // IIsCalculationNeeded: asked by the interpreter between the lines of a calculation.
  STDMETHODIMP IsCalculationNeeded(VARIANT_BOOL* Result) override;

  // The result text of one expression; empty when the evaluation failed or was deferred.
  CString EvaluateToText(LPCWSTR text);
  // A kernel value as the program shows it; throws _com_error when the value has no text.
  static CString VariantToText(const VARIANT& value);

  // True when the last evaluated statement failed (the kernel read the error flag set).
  bool IsErrorSeen() const { return ErrorSeen; }
  // True while a worksheet is being calculated. A message handler that runs inside the
  // calculation (the pump dispatches messages) and needs an evaluation re-posts its request
  // instead; ParseExpression called now defers the request on its own (see there).
  bool IsBusy() const { return Busy; }

private:
  void PostDeferredRequests();

  TAngleMeasurement AngleMeasurement = amRadian;
  TFormatOut FormatOut = foDecimal;
  Microsoft::WRL::ComPtr<IMultiLinesInterpreterOrlen> Interpreter;
  Microsoft::WRL::ComPtr<ILibOrlen> Library;
  Microsoft::WRL::ComPtr<ICategoriesList> Categories;
  CString ErrorText;
  VARIANT_BOOL ErrorFlag = VARIANT_FALSE;
  bool ErrorSeen = false;

  // The kernel is not re-entrant: one calculation at a time.
  bool Busy = false;
  // When the running calculation's callback looks at the queue next (performance-counter
  // ticks; 0: at the next callback).
  LONGLONG NextPumpAt = 0;
  // The posted message that the pump is dispatching now, and whether it was deferred already.
  const MSG* Dispatching = nullptr;
  bool DispatchingDeferred = false;
  // Requests deferred during the running calculation, posted again when it ends.
  std::vector<MSG> Deferred;
};
