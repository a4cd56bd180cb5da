// The evaluator: walks a parse tree against a library and gives one value. Function calls
// resolve by alias, argument count and category; a bare name resolves as a constant, then a
// variable, then a function of no arguments; arguments are evaluated each time they are asked for.
#pragma once

#include <wrl/client.h>

#include <memory>
#include <string>

#include "KernelObject.h"

namespace evalkern {

using Microsoft::WRL::ComPtr;

// --- small COM helpers shared by the library, the sets and the interpreters -------------------

// A new BSTR holding `text`; raises on allocation failure.
BSTR MakeBstr(const wchar_t* text, std::size_t length);
inline BSTR MakeBstr(const std::wstring& text) { return MakeBstr(text.data(), text.size()); }
std::wstring FromBstr(BSTR text);

// Raises the kernel's range error for an index outside 0..count-1.
void CheckRange(LONG index, std::size_t count, HRESULT hr = E_UNEXPECTED);

// True when a sink is given and its flag is set.
bool ErrorFlagSet(IErrorEvents* sink);

// --- evaluation ----------------------------------------------------------------------------------

// Evaluates `node` against `lib` into `result` (which the function initialises). Raises when the
// library has no error sink or the sink cannot be read; every other failure is reported on the
// sink and gives Empty.
void EvaluateNode(INodeParsing* node, ILibOrlen* lib, VARIANT* result);

// EvaluateNode for many trees against one library whose sink and views stay the same meanwhile:
// they are fetched once, at the first evaluation.
struct EvalContext;
struct KernelNodeRef;
class TreeEvaluator {
 public:
  explicit TreeEvaluator(ILibOrlen* lib);
  ~TreeEvaluator();
  TreeEvaluator(const TreeEvaluator&) = delete;
  TreeEvaluator& operator=(const TreeEvaluator&) = delete;
  void Evaluate(INodeParsing* node, VARIANT* result);
  // The same for a node that IdentifyNode has identified as `kind`.
  void Evaluate(INodeParsing* node, const KernelNodeRef& kind, VARIANT* result);

 private:
  ILibOrlen* lib_;
  std::shared_ptr<const EvalContext> ctx_;
};

// How far `count` arguments miss the nearest function named `name` (0 = one fits; positive = too
// many; negative = too few); INT_MIN when no function has the name.
long NearestCountMismatch(IFuncs* funcs, BSTR name, long count);

// The reports of a call or a bare name that does not resolve.
void ReportFuncCallError(ILibOrlen* lib, IErrorEvents* sink, BSTR name, long count);
void ReportUnknownIdentifier(ILibOrlen* lib, IErrorEvents* sink, BSTR name);

// No arguments at all: Count 0, and every Value the integer 0.
ComPtr<IArguments> NewHollowArguments();

// The bracket function "(" that gives a parenthesised group its value.
ComPtr<IFunc> NewBracketFunc();

// True when `lib` has a function "(" of one argument; the interpreters insert one otherwise.
bool HasBracketFunc(ILibOrlen* lib);

}  // namespace evalkern
