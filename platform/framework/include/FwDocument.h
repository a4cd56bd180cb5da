// CDocument, the document templates and the creation context that ties frame, document and view.
#pragma once
#include "FwApp.h"
#include <vector>

class CView;
class CFrameWnd;
class CDocTemplate;
class CFile;
class CArchive;

// Handed through frame and view creation.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
public:
  CDocument();
  ~CDocument() override;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCWSTR lpszTitle);
  const CString& GetPathName() const { return m_strPathName; }
  // Also sets the title to the file's name and, when asked, adds the file to the recent list.
  virtual void SetPathName(LPCWSTR lpszPathName, BOOL bAddToMRU = TRUE);
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

  void AddView(CView* pView);
  void RemoveView(CView* pView);
  virtual POSITION GetFirstViewPosition() const;
  virtual CView* GetNextView(POSITION& rPosition) const;
  void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);
  virtual void OnChangedViewList();
  virtual void UpdateFrameCounts();

  virtual BOOL OnNewDocument();
  virtual BOOL OnOpenDocument(LPCWSTR lpszPathName);
  virtual BOOL OnSaveDocument(LPCWSTR lpszPathName);
  virtual void OnCloseDocument();
  virtual void DeleteContents() {}
  virtual void Serialize(CArchive& ar) override {}
  virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
  virtual void PreCloseFrame(CFrameWnd* pFrame) {}
  // Asks whether to save a modified document; FALSE means the user cancelled.
  virtual BOOL SaveModified();
  virtual BOOL DoSave(LPCWSTR lpszPathName, BOOL bReplace = TRUE);
  virtual BOOL DoFileSave();
  virtual CFile* GetFile(LPCWSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
  virtual void ReleaseFile(CFile* pFile, BOOL bAbort);
  virtual void ReportSaveLoadException(LPCWSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault);
  virtual void OnIdle() {}
  // Own handlers first, then the document template's.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;
  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  std::vector<CView*> m_viewList;
  BOOL m_bModified = FALSE;

  afx_msg void OnFileClose();
  afx_msg void OnFileSave();
  afx_msg void OnFileSaveAs();
protected:
  DECLARE_MESSAGE_MAP()
  friend class CDocTemplate;
};

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
public:
  enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };
  enum Confidence { noAttempt, maybeAttemptForeign, maybeAttemptNative, yesAttemptForeign, yesAttemptNative, yesAlreadyOpen };
  ~CDocTemplate() override = default;

  virtual void LoadTemplate();
  virtual BOOL GetDocString(CString& rString, DocStringIndex index) const;
  virtual void AddDocument(CDocument* pDoc);
  virtual void RemoveDocument(CDocument* pDoc);
  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
  virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL bEndSession);
  virtual CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* pDocument) = 0;
  virtual Confidence MatchDocType(LPCWSTR lpszPathName, CDocument*& rpDocMatch);
  virtual void OnIdle();
  // The menu used while an embedded object is active in place; kept for the in-place frames.
  void SetContainerInfo(UINT nIDOleInPlaceContainer);
  UINT GetContainerInfo() const { return m_nIDContainerResource; }

  UINT m_nIDResource;
  UINT m_nIDContainerResource = 0;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  CString m_strDocStrings;
  BOOL m_bAutoDelete = TRUE;
protected:
  CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
  // A new document in a new frame; null (the user told) when either cannot be made.
  CDocument* CreateDocumentWithFrame(CFrameWnd*& rpFrame);
  // The document's open; a fault escaping it counts as a failed open (reported) that may have
  // touched the contents.
  static BOOL OpenOrFail(CDocument* pDocument, LPCWSTR lpszPathName);
};

// One document at a time: a new or opened file replaces the current one in the same frame.
class CSingleDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CSingleDocTemplate)
public:
  CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
  ~CSingleDocTemplate() override;
  void AddDocument(CDocument* pDoc) override;
  void RemoveDocument(CDocument* pDoc) override;
  POSITION GetFirstDocPosition() const override;
  CDocument* GetNextDoc(POSITION& rPos) const override;
  CDocument* OpenDocumentFile(LPCWSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* pDocument) override;
  CDocument* m_pOnlyDoc = nullptr;
};
