// The worksheet document. With the document model PDI (the default) a worksheet that the user
// never saved under a name of his own lives in "NumbrookDoc.txt" in the user's application-data
// folder: the expression pane loads it at start-up, and it is written back whenever the
// document is closed or replaced and when the expression pane goes away, so the calculator
// always reopens with the last worksheet. With the model SDI the document is an ordinary
// unnamed document and nothing is stored automatically.
//
// The worksheet file is never written in place: the text goes to a temporary file beside it,
// which replaces the old file only once it is completely written. A save that fails leaves the
// old file as it was, keeps the document modified and is told to the user.
#pragma once

#include <vector>

#include "LeftView.h"
#include "ScintillaColorerDoc.h"

class CScintillaColorerView;
class CScintillaWnd;
class CUfxFrameHelper;

// Resource library strings: the auto-save folder could not be made (text, caption), and the
// worksheet could not be saved automatically (text, caption).
#define IDS_AUTOSAVE_FOLDER_FAILED 2019
#define IDS_AUTOSAVE_FOLDER_CAPTION 2020
#define IDS_AUTOSAVE_FAILED 2027
#define IDS_AUTOSAVE_FAILED_CAPTION 2028
// The worksheet file could not be loaded as it is (text: held inexactly, or not read at all;
// caption): the original is kept as a backup beside it before anything is saved over it.
#define IDS_WORKSHEET_ALTERED 2029
#define IDS_WORKSHEET_KEPT_CAPTION 2030
#define IDS_WORKSHEET_UNREAD 2039

// The application's saved-settings writer. The program's application object implements it: its
// SaveState (called with two null arguments) saves the framework workspace and then every
// settings section. The document finds it on the application object.
class IApplicationStateWriter {
public:
  virtual BOOL SaveState(LPCWSTR lpszSectionName = nullptr, CUfxFrameHelper* pFrameHelper = nullptr) = 0;
protected:
  ~IApplicationStateWriter() = default;
};

// Appends "\Ferrow Software" and "\Numbrook" to `appDataFolder`, creating each folder that does
// not exist yet, and then "\NumbrookDoc.txt". False (and `path` untouched) when either folder
// can neither be created nor is there as a folder.
bool MakeAutoSavePath(const CString& appDataFolder, CString& path);

// Writes the editor's text to `path` (byte for byte, as the editor's SaveFile writes it) through
// a temporary file in the same folder that replaces `path` only after it was completely written
// and flushed. A read-only file is not replaced. FALSE when anything fails; `path` is then left exactly as it was and no
// temporary file remains.
BOOL SaveEditorTextSafely(CScintillaWnd& editor, LPCWSTR path);

class CNumbrookDoc : public CScintillaColorerDoc {
  DECLARE_DYNCREATE(CNumbrookDoc)
public:
  CNumbrookDoc();

  // Empties the path name, reads the document model (settings manager of the main interface,
  // else the profile value Settings\DocumentModel, default PDI) and then does the base's work.
  BOOL OnNewDocument() override;
  // An unnamed auto-saved worksheet is stored before the chosen file replaces it.
  BOOL OnOpenDocument(LPCWSTR lpszPathName) override;
  // The expression pane's text into the file; the modified flag is cleared only when it was
  // written.
  BOOL OnSaveDocument(LPCWSTR lpszPathName) override;
  // Lets the application save its settings, stores an unnamed auto-saved worksheet without a
  // question and asks the usual question for anything still unsaved. While a new or opened
  // worksheet is about to replace an unnamed auto-saved one that holds text, the usual
  // question is asked all the same (Yes saves it under a name, Cancel keeps it): the next
  // store of the auto-save file would otherwise overwrite that text.
  BOOL SaveModified() override;

  // Marks the commands that replace the worksheet (New, Open, a recent file, a dropped file)
  // for as long as the object lives.
  class ReplacingScope {
  public:
    ReplacingScope() { ++s_nReplacing; }
    ~ReplacingScope() { --s_nReplacing; }
    ReplacingScope(const ReplacingScope&) = delete;
    ReplacingScope& operator=(const ReplacingScope&) = delete;
  };

  BOOL IsAutoSaveWorksheet() const { return m_bAutoSaveWorksheet; }
  // The first of the document's views that is an expression pane, or null.
  CScintillaColorerView* GetExpressionView() const;
  // The auto-save file: <application data>\Ferrow Software\Numbrook\NumbrookDoc.txt, the
  // folders created on the way. When they cannot be made the user is told (2019/2020) and the
  // file is ".\NumbrookDoc.txt" in the current folder.
  CString GetDocumentPath();

  // The expression pane's share of the worksheet (the pane calls these).
  //
  // On destruction of the pane (and before another file is opened): when the document has no
  // path name and auto-saves, stores the pane's text in the auto-save file. TRUE when there was
  // nothing to do or the text was stored. A failure is told to the user while the document
  // holds unsaved changes.
  BOOL SaveDocumentText(CScintillaWnd& editor);
  // First part of the pane's initial update: loads the document's file (or, on the first
  // initial update of an unnamed auto-saved worksheet, the auto-save file) into the editor; on
  // that first update a last line with text gets a line break, and the caret goes to the end.
  // Answers whether a file was read. The pane runs its first calculation after this. A file
  // that the pane cannot hold as it is (NUL bytes, characters outside the code page, a read
  // error) is told to the user once and kept as a backup before the first save over it.
  BOOL LoadWorksheet(CScintillaWnd& editor, BOOL bFirstUpdate);
  // Last part of the pane's initial update (of this or any other document): empties the undo
  // buffer, colours the whole text and clears the modified flag.
  static void EndWorksheetLoad(CDocument& doc, CScintillaColorerView& view);

  // The view class of the expression pane (the program sets its left pane's class); views of
  // this class or derived from it count as expression panes. The program's left pane by default.
  static void SetExpressionViewClass(CRuntimeClass* pClass);

protected:
  // What the document needs of the system and of the application shell.
  // The user's application-data folder (CSIDL_APPDATA, not created); empty when unknown.
  virtual CString GetAppDataFolder();
  // The application's saved-settings writer, when the application object has one.
  virtual void SaveApplicationState();
  // A message box with texts from the resource library; answers the button pressed.
  virtual int ResourceMessageBox(HWND hOwner, UINT nTextId, UINT nCaptionId, UINT nType);

  // Stores the editor's text in the auto-save file; no message.
  BOOL AutoSave(CScintillaWnd& editor);
  void ReportAutoSaveFailure();
  // The usual question before an unnamed auto-saved worksheet with text is replaced; the
  // answer of SaveModified.
  BOOL AskBeforeReplacing();

  static int s_nReplacing;
  // Files loaded inexactly or not at all keep a backup beside them ("<file>.bak") before the
  // first save over them in this run; FALSE when that backup could not be made.
  bool IsAwaitingBackup(const CString& path) const;
  BOOL KeepOriginalOf(LPCWSTR path);

  BOOL m_bAutoSaveWorksheet;
  // Files that the pane did not hold as they are and that have no backup yet.
  std::vector<CString> m_awaitingBackup;
};
