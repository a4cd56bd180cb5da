// Documents on their own: saving through the archive replaces the file only when the whole
// document was written, opening reads it back, failures are reported and the user is asked
// before unsaved changes are dropped.
#include "Framework.h"
#include <gtest/gtest.h>

#include <new>

class CDocApp : public CWinApp {
public:
  CDocApp() : CWinApp(L"FwDocumentTest") {}
  std::vector<CString> boxes;
  int answer = IDNO;
  int DoMessageBox(LPCWSTR p, UINT, UINT) override {
    boxes.push_back(p);
    return answer;
  }
};
static CDocApp theApp;

class CTextDoc : public CDocument {
public:
  CString text;
  bool failWhileSaving = false;
  bool outOfMemoryWhileLoading = false;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << text;
      if (failWhileSaving) AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, ar.m_strFileName);
      ar << (LONG)text.GetLength();
    } else {
      LONG n;
      ar >> text;
      if (outOfMemoryWhileLoading) throw std::bad_alloc();
      ar >> n;
      if (n != text.GetLength()) AfxThrowArchiveException(CArchiveException::badIndex);
    }
  }
  void DeleteContents() override { text.Empty(); }
};

static CString TempPath(LPCWSTR name) {
  wchar_t dir[MAX_PATH];
  ::GetTempPathW(MAX_PATH, dir);
  return CString(dir) + name;
}

static int FilesLike(const CString& dir, LPCWSTR pattern) {
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW(dir + pattern, &fd);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int n = 0;
  do ++n; while (::FindNextFileW(h, &fd));
  ::FindClose(h);
  return n;
}

TEST(Document, AFailedSaveLeavesTheOldFileWhole) {
  CString path = TempPath(L"fw_doc_test.bin");
  ::DeleteFileW(path);
  CTextDoc doc;
  doc.m_bAutoDelete = FALSE;
  doc.text = L"first version";
  ASSERT_TRUE(doc.OnSaveDocument(path));
  EXPECT_FALSE(doc.IsModified());
  doc.text = L"second version, never complete";
  doc.failWhileSaving = true;
  theApp.boxes.clear();
  EXPECT_FALSE(doc.OnSaveDocument(path));
  EXPECT_EQ(1u, theApp.boxes.size());  // the disk-full error was shown
  CTextDoc reader;
  reader.m_bAutoDelete = FALSE;
  ASSERT_TRUE(reader.OnOpenDocument(path));
  EXPECT_STREQ(L"first version", reader.text);
  CString dir = TempPath(L"");
  EXPECT_EQ(0, FilesLike(dir, L"MFT*.tmp"));  // no half-written copy left behind
  doc.failWhileSaving = false;
  ASSERT_TRUE(doc.OnSaveDocument(path));
  ASSERT_TRUE(reader.OnOpenDocument(path));
  EXPECT_STREQ(L"second version, never complete", reader.text);
  ::DeleteFileW(path);
}

// Every failed open is told once and never escapes as an exception; once the reading began, the
// contents are gone and the document says so (modified), so its template does not keep it.
TEST(Document, OpeningBadOrMissingFilesFailsWithAMessage) {
  auto write = [](const CString& path, const char* bytes, UINT n) {
    CFile f(path, CFile::modeCreate | CFile::modeWrite);
    f.Write(bytes, n);
  };
  const CString truncated = TempPath(L"fw_doc_bad.bin"), inflated = TempPath(L"fw_doc_inflated.bin"),
                good = TempPath(L"fw_doc_good.bin");
  write(truncated, "\x02xy", 3);                    // a narrow string, then nothing
  write(inflated, "\xFF\xFE\xFF\xFE\xFF", 5);      // a string of 65534 characters in five bytes
  write(good, "\x02xy\x02\0\0\0", 7);
  struct {
    CString file;
    bool outOfMemory;
    BOOL contentsGone;
  } table[] = {{truncated, false, TRUE}, {inflated, false, TRUE}, {good, true, TRUE},
               {TempPath(L"fw_doc_missing.bin"), false, FALSE}};
  for (auto& t : table) {
    SCOPED_TRACE((LPCWSTR)t.file);
    theApp.boxes.clear();
    CTextDoc doc;
    doc.m_bAutoDelete = FALSE;
    doc.text = L"kept?";
    doc.outOfMemoryWhileLoading = t.outOfMemory;
    BOOL opened = TRUE;
    EXPECT_NO_THROW(opened = doc.OnOpenDocument(t.file));
    EXPECT_FALSE(opened);
    EXPECT_EQ(1u, theApp.boxes.size());
    EXPECT_EQ(t.contentsGone, doc.IsModified());
    EXPECT_STREQ(t.contentsGone ? L"" : L"kept?", doc.text);
  }
  CTextDoc reader;
  reader.m_bAutoDelete = FALSE;
  ASSERT_TRUE(reader.OnOpenDocument(good)) << "the good file itself opens";
  EXPECT_STREQ(L"xy", reader.text);
  ::DeleteFileW(truncated);
  ::DeleteFileW(inflated);
  ::DeleteFileW(good);
}

TEST(Document, UnsavedChangesAreAskedAbout) {
  CTextDoc doc;
  doc.m_bAutoDelete = FALSE;
  doc.SetTitle(L"Sheet7");
  EXPECT_TRUE(doc.SaveModified());  // unmodified: no question
  doc.SetModifiedFlag(TRUE);
  struct { int answer; BOOL result; } table[] = {{IDNO, TRUE}, {IDCANCEL, FALSE}};
  for (auto& t : table) {
    theApp.boxes.clear();
    theApp.answer = t.answer;
    EXPECT_EQ(t.result, doc.SaveModified());
    ASSERT_EQ(1u, theApp.boxes.size());
    EXPECT_NE(-1, theApp.boxes[0].Find(L"Sheet7"));
  }
  // Yes saves to the document's own path.
  CString path = TempPath(L"fw_doc_yes.bin");
  doc.SetPathName(path, FALSE);
  doc.text = L"saved by yes";
  theApp.answer = IDYES;
  EXPECT_TRUE(doc.SaveModified());
  EXPECT_FALSE(doc.IsModified());
  CTextDoc reader;
  reader.m_bAutoDelete = FALSE;
  ASSERT_TRUE(reader.OnOpenDocument(path));
  EXPECT_STREQ(L"saved by yes", reader.text);
  EXPECT_STREQ(L"fw_doc_yes.bin", doc.GetTitle());
  ::DeleteFileW(path);
}
