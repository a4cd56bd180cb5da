// Bodies of the table whose computation is not built yet: they answer with a clear error.
#include "BasicSetFuncs.h"

namespace evalkern {

namespace {
void NotBuilt(IErrorEvents* sink, VARIANT* result, const wchar_t* name) {
  ReportText(sink, std::wstring(L"The function ") + name + L" is not available");
  SetErrorResult(result);
}
}  // namespace

#define EVALKERN_PENDING_BODY(fn, name) \
  void fn(IErrorEvents* sink, ISettings*, IArguments*, VARIANT* result) { NotBuilt(sink, result, name); }

EVALKERN_PENDING_BODY(FuncSin, L"sin")
EVALKERN_PENDING_BODY(FuncCos, L"cos")
EVALKERN_PENDING_BODY(FuncTan, L"tan")
EVALKERN_PENDING_BODY(FuncCtan, L"ctan")
EVALKERN_PENDING_BODY(FuncAsin, L"asin")
EVALKERN_PENDING_BODY(FuncAcos, L"acos")
EVALKERN_PENDING_BODY(FuncAtan, L"atan")
EVALKERN_PENDING_BODY(FuncActan, L"actan")
EVALKERN_PENDING_BODY(FuncSinh, L"sinh")
EVALKERN_PENDING_BODY(FuncCosh, L"cosh")
EVALKERN_PENDING_BODY(FuncTanh, L"tanh")
EVALKERN_PENDING_BODY(FuncCtanh, L"ctanh")
EVALKERN_PENDING_BODY(FuncAsinh, L"asinh")
EVALKERN_PENDING_BODY(FuncAcosh, L"acosh")
EVALKERN_PENDING_BODY(FuncAtanh, L"atanh")
EVALKERN_PENDING_BODY(FuncActanh, L"actanh")
EVALKERN_PENDING_BODY(FuncGuid, L"guid")
EVALKERN_PENDING_BODY(FuncHex, L"hex")
EVALKERN_PENDING_BODY(FuncBin, L"bin")
EVALKERN_PENDING_BODY(FuncOct, L"oct")
EVALKERN_PENDING_BODY(FuncRoman, L"roman")
EVALKERN_PENDING_BODY(FuncDecimal, L"decimal")
EVALKERN_PENDING_BODY(FuncRgb, L"rgb")
EVALKERN_PENDING_BODY(FuncRandom, L"random")
EVALKERN_PENDING_BODY(FuncWinerror, L"winerror")
EVALKERN_PENDING_BODY(FuncChar, L"char")
EVALKERN_PENDING_BODY(FuncAprog, L"aprog")
EVALKERN_PENDING_BODY(FuncAprogs, L"aprogs")
EVALKERN_PENDING_BODY(FuncGprog, L"gprog")
EVALKERN_PENDING_BODY(FuncGprogs, L"gprogs")
EVALKERN_PENDING_BODY(FuncMol, L"mol")

}  // namespace evalkern
