// Lets the expression lexer colour the text of an editing control through its wrapper.
#pragma once

#include <string>

#include "ExpressionLexer.h"
#include "ScintillaWnd.h"

class CScintillaStyledText : public numbrook::IStyledText {
 public:
  explicit CScintillaStyledText(CScintillaWnd& editor) : m_editor(editor) {}
  int GetLength() override { return m_editor.GetLength(); }
  std::wstring GetTextRange(int start, int end) override {
    CString text = m_editor.GetTextRange(start, end);
    return std::wstring(static_cast<LPCWSTR>(text), static_cast<size_t>(text.GetLength()));
  }
  int GetEndStyled() override { return m_editor.GetEndStyled(); }
  void StartStyling(int pos) override { m_editor.StartStyling(pos); }
  void SetStyling(int length, int style) override { m_editor.SetStyling(length, style); }

 private:
  CScintillaWnd& m_editor;
};
