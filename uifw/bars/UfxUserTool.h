// CUfxUserTool: one outside program on the tools menu: its menu text, the program, its arguments
// and initial directory, and the program's small icon.
#pragma once
#include "Framework.h"

class CUfxUserTool : public CObject {
  DECLARE_SERIAL(CUfxUserTool)
public:
  CUfxUserTool();
  ~CUfxUserTool() override;

  // Text, command, arguments, initial directory as archive strings, then the command id.
  void Serialize(CArchive& ar) override;
  // Starts the program; TRUE when it started.
  virtual BOOL Invoke();

  // Sets the program; a changed program brings its own icon.
  void SetCommand(LPCWSTR lpszCmd);
  const CString& GetCommand() const { return m_strCommand; }
  UINT GetCommandId() const { return m_uiCmdId; }
  HICON GetIcon() const { return m_hIcon; }
  // The icon at the small-icon size, centred in the rectangle.
  void DrawIcon(CDC* pDC, const CRect& rect);
  // The icon on the button face as a bitmap on the clipboard; a failure is told to the user.
  BOOL CopyIconToClipboard();

  CString m_strLabel;
  CString m_strArguments;
  CString m_strInitialDirectory;
  UINT m_uiCmdId = 0;

protected:
  virtual HICON LoadIcon();
  virtual HICON GetDefaultIcon();
  virtual void ReleaseIcon();

  CString m_strCommand;
  HICON m_hIcon = nullptr;
};
