// The expression analyser: the kernel's only parser. It scans one expression into tokens
// (Scanner.h), rewrites every operator into a call by a fixed sequence of passes and builds the
// node tree (TreeBuilder.h). Operator precedence comes from the order of those passes alone.
#pragma once

#include <string>

#include "KernelObject.h"

namespace evalkern {

// Analyses `text` into `*root`, releasing whatever `*root` held first.
// Success: `*root` is a call named "(" whose single child is the whole expression.
// Failure: `*root` is an error node holding the message, and the sink has received ErrorText
// and then ErrorFlag TRUE. The caller clears ErrorFlag beforehand; the analyser never clears it,
// and an analysis that finds the flag already set ends with an error node holding the sink's
// current text. `sink` may be null (errors then only show in the error node).
void AnalyzeExpression(const std::wstring& text, IErrorEvents* sink, INodeParsing** root);

}  // namespace evalkern
