// The expression line lexer: cuts worksheet text into the tokens that decide its colours in
// the expression pane and its CSS classes in the HTML export. It never evaluates anything;
// names are classified afterwards through the kernel bridge.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "NumbrookLib.h"

namespace numbrook {

enum TokenKind {
  TkStray = 0,     // one character that no rule takes
  TkError = 1,     // a malformed number, string or operator run
  TkBlank = 3,     // a run of blanks
  TkName = 4,      // identifier
  TkOperator = 5,  // a run of operator characters, or a single "/"
  TkBracket = 6,   // ( ) [ ] { }
  TkNumber = 7,
  TkComment = 8,   // "//" up to the line end
  TkString = 9,    // a quoted string
};

enum NumberForm {
  NfNone = 0,  // not a number (error)
  NfBinary = 1,
  NfDecimalInteger = 2,
  NfOctal = 3,
  NfHexadecimal = 4,
  NfRoman = 5,
  NfDecimalReal = 6,  // with a point or an exponent
};

// Editor styles the lexer gives besides the lexeme-class styles.
constexpr int StyleStray = 31;
constexpr int StyleDefault = 32;

// The state of one scan. Positions and lengths count UTF-16 code units from 0.
struct TokenCursor {
  std::wstring_view Text;
  int Length = 0;
  int Position = 0;
  TokenKind Kind = TkStray;
  int TokenLength = 0;
  NumberForm Form = NfNone;
  uint64_t Value = 0;  // integer value of a prefixed number, 0 for decimal forms

  explicit TokenCursor(std::wstring_view text)
      : Text(text), Length(static_cast<int>(text.size())) {}
};

// Classifies the token at the cursor's position, stores its kind and length and moves past
// it. False (kind and length 0) when the position has reached the end of the text.
bool NextToken(TokenCursor& cursor);

// Editor style of a token kind (names are styled by ClassifyWord instead).
int StyleOfToken(TokenKind kind);

// What ColourRange needs of the editing control. Positions and lengths count bytes of the
// control's ANSI text.
class IStyledText {
 public:
  virtual ~IStyledText() = default;
  virtual int GetLength() = 0;
  virtual std::wstring GetTextRange(int start, int end) = 0;
  virtual int GetEndStyled() = 0;
  virtual void StartStyling(int pos) = 0;
  virtual void SetStyling(int length, int style) = 0;
};

// Gives a name its style (the expression pane asks the kernel bridge).
class IWordClassifier {
 public:
  virtual ~IWordClassifier() = default;
  virtual int ClassifyWord(const std::wstring& word) = 0;
};

// Colours the control's text from `start` up to (not including) `end`; a negative end means
// the end of the whole text.
void ColourRange(IStyledText& editor, IWordClassifier& classifier, int start, int end);

// The style of a name by what the kernel's library says it is: constant 1, function 9,
// operator 3, variable 2; the words for true and false (any case) are numbers (6); anything
// else is an error (8). A null kernel or a failing call counts as undefined.
int ClassifyWordByKernel(ICalculatorKernel* kernel, const std::wstring& word,
                         const std::wstring& trueWord, const std::wstring& falseWord);

}  // namespace numbrook
