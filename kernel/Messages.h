// Every user-visible text of the kernel is fetched by id from the message module.
#pragma once
#include <string>

namespace evalkern {

// Text of one message id (10000-10127 ... 15000-15127); raises a range error for other ids.
std::wstring GetMessageText(int id);
// The same text with its first "%s" replaced by `arg`.
std::wstring GetMessageTextFmt(int id, const std::wstring& arg);

}  // namespace evalkern
