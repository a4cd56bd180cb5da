// The pieces of the worksheet recalculation that need no window: where the caret hint looks
// for a name, the hint text of a name, and the text of the kernel's answer.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "FwString.h"
#include "NumbrookLib.h"

namespace numbrook {

// The word around `column`: word characters (letters, "_" and digits) to the left of the
// column and from the column on to the right. Empty when neither side has one.
std::wstring WordAt(std::wstring_view line, int column);

// The name that the caret hint describes for a caret at `column` of `line`: the word at the
// caret unless it is all digits, else the name written before the "(" of the innermost
// bracket group around the caret, going outwards and leftwards. False when the search ran
// past the start of the line.
bool FindCaretHintWord(std::wstring_view line, int column, std::wstring& word);

}  // namespace numbrook

// The hint for a name by what the kernel says it is: "name=value" for constants and
// variables, "name ( signature )" for functions, empty for a name that is only an alias, and
// resource string 203 for anything else. Failing kernel calls are raised as _com_error.
CString CaretHintForWord(ICalculatorKernel* kernel, const CString& word);

// The kernel's answer as the results pane shows it (the system's conversion to text).
// Raises _com_error when the value has no text.
CString ResultValueText(const VARIANT& value);
