// What the bytes of a worksheet file become in the editing control, and whether the control
// holds them exactly. The control keeps NUL-terminated text in the ANSI code page: a file with
// NUL bytes in it, or with characters that the code page has no place for, cannot come back
// from the control as it was, and whoever saves over such a file must keep the original.
#pragma once

#include <string>

// How a worksheet file was loaded.
enum class WorksheetLoad {
  Absent,      // no file, or an empty one: nothing there to lose
  Exact,       // the control holds the file's text exactly
  Altered,     // loaded, but the control cannot give the file back as it was
  Unreadable,  // the file is there but could not be read (locked, too large, a read error)
};

struct WorksheetFileText {
  std::string ansi;  // the text for the control, without its terminator
  bool exact = true;
};

// The text of a worksheet file's bytes:
// - UTF-16 (little-endian) with its byte-order mark, which is dropped;
// - the form written by earlier versions (one NUL byte at the end, every line feed written as
//   CR LF on top of the text's own CR), read back to the text it was saved from;
// - UTF-16 without a mark (most of its NUL bytes at odd offsets), never exact;
// - anything else is ANSI text; NUL bytes inside it are left out and make it inexact.
WorksheetFileText DecodeWorksheetBytes(const std::string& bytes);

// UTF-16 text in the ANSI code page; `exact` is cleared when a character has no place there
// (or is a NUL, which would end the text in the control).
std::string WorksheetWideToAnsi(const std::wstring& wide, bool& exact);
