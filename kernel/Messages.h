// Every user-visible text of the kernel is fetched by id from the message module, a
// resource-only library that sits beside the kernel's own file.
#pragma once
#include <string>

namespace evalkern {

// Text of one message id (10000-10127 ... 15000-15127); raises a range error for other ids.
std::wstring GetMessageText(int id);
// The same text with its first "%s" replaced by `arg`.
std::wstring GetMessageTextFmt(int id, const std::wstring& arg);

// Loads the message module from the kernel's folder, once; later calls do nothing. Lookups call
// it themselves on first use, so nobody has to (and it must not run under the loader lock).
void LoadMessageModule();

// File name of the message module, looked up in the folder of the module that holds this code.
extern const wchar_t kMessageModuleName[];

// Forgets the loaded module and every cached text; the next lookup loads `fileName` from the
// kernel's folder instead of the usual module. Tests use it to see a missing or other module.
void ReloadMessageModuleForTests(const std::wstring& fileName);

}  // namespace evalkern
