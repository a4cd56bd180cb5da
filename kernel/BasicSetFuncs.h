// The kernel's fixed set of built-in functions and operators (coclass BasicSetFuncs) and the
// bodies its table points to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ArgAccess.h"
#include "Evalkern.h"

namespace evalkern {

// One row of the built-in table as it is written in the code; texts are message ids.
struct FuncRow {
  const wchar_t* name;                  // display name (the operator sign for operators)
  std::vector<const wchar_t*> aliases;  // the names a lookup finds the entry under
  CountCheck check;
  CategoryOrlen category;
  int descriptionId;
  int signatureId;
  FuncBody body;
};

// The 79 rows in index order.
const std::vector<FuncRow>& BuiltinFuncRows();
constexpr long kBuiltinFuncCount = 79;

// Makes a new BasicSetFuncs object (texts fetched) and answers the asked interface.
HRESULT CreateBasicSetFuncs(REFIID iid, void** out);

// ---- bodies: arithmetic, statistics, comparison, logic ----
void FuncPlus(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncMinus(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncMultiply(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncDivide(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncPower(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncCaret(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncLog(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncLog10(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncLog2(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncLn(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncSqrt(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncSqr(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncExp(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAbs(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncUnarMinus(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncPercent(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncFrac(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncInt(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncSign(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncRound(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncRounddn(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncRoundup(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncDiv(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncMod(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncFactorial(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncLngamma(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncPermut(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncSum(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncMulti(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncMin(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncMax(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAverage(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncSumsqr(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncStdev(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncStdevp(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncIf(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncEq(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncNe(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncLt(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncGt(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncLe(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncGe(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncNot(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAnd(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncOr(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncXor(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncShr(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncShl(IErrorEvents*, ISettings*, IArguments*, VARIANT*);

// The factorial table: entry i = i! in extended precision for i = 0..1754.
constexpr int kFactorialTableSize = 1755;
long double FactorialEntry(int i);

// ---- bodies: trigonometric and hyperbolic ----
void FuncSin(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncCos(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncTan(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncCtan(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAsin(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAcos(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAtan(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncActan(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncSinh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncCosh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncTanh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncCtanh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAsinh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAcosh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAtanh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncActanh(IErrorEvents*, ISettings*, IArguments*, VARIANT*);

// ---- bodies: conversion and computer ----
void FuncGuid(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncHex(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncBin(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncOct(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncRoman(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncDecimal(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncRgb(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncRandom(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncWinerror(IErrorEvents*, ISettings*, IArguments*, VARIANT*);

// ---- bodies: text, progressions, molar mass ----
void FuncChar(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAprog(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncAprogs(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncGprog(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncGprogs(IErrorEvents*, ISettings*, IArguments*, VARIANT*);
void FuncMol(IErrorEvents*, ISettings*, IArguments*, VARIANT*);

}  // namespace evalkern
