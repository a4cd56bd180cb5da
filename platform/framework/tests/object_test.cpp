// Run-time class records, dynamic creation and the string class.
#include "Framework.h"
#include <gtest/gtest.h>

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
public:
  int sides = 0;
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CSquare : public CShape {
  DECLARE_DYNCREATE(CSquare)
public:
  CSquare() { sides = 4; }
};
IMPLEMENT_DYNCREATE(CSquare, CShape)

class CLabel : public CObject {
  DECLARE_DYNCREATE(CLabel)
};
IMPLEMENT_DYNCREATE(CLabel, CObject)

TEST(RuntimeClass, RecordsNameSizeSchemaAndBase) {
  CRuntimeClass* rc = RUNTIME_CLASS(CSquare);
  EXPECT_STREQ("CSquare", rc->m_lpszClassName);
  EXPECT_EQ((int)sizeof(CSquare), rc->m_nObjectSize);
  EXPECT_EQ(0xFFFFu, rc->m_wSchema);
  EXPECT_EQ(RUNTIME_CLASS(CShape), rc->m_pBaseClass);
  EXPECT_EQ(nullptr, RUNTIME_CLASS(CShape)->m_pfnCreateObject);
}

TEST(RuntimeClass, DerivationAndKindTable) {
  CSquare square;
  CLabel label;
  struct Case { CObject* obj; CRuntimeClass* cls; BOOL kind; } cases[] = {
      {&square, RUNTIME_CLASS(CSquare), TRUE}, {&square, RUNTIME_CLASS(CShape), TRUE},
      {&square, RUNTIME_CLASS(CObject), TRUE}, {&square, RUNTIME_CLASS(CLabel), FALSE},
      {&label, RUNTIME_CLASS(CShape), FALSE}, {&label, RUNTIME_CLASS(CObject), TRUE}};
  for (auto& c : cases) EXPECT_EQ(c.kind, c.obj->IsKindOf(c.cls)) << c.cls->m_lpszClassName;
  EXPECT_EQ(&square, DYNAMIC_DOWNCAST(CShape, &square));
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShape, &label));
  EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CShape, (CObject*)nullptr));
}

TEST(RuntimeClass, CreatesByRecordAndByName) {
  CObject* o = RUNTIME_CLASS(CSquare)->CreateObject();
  ASSERT_NE(nullptr, o);
  EXPECT_EQ(RUNTIME_CLASS(CSquare), o->GetRuntimeClass());
  EXPECT_EQ(4, static_cast<CSquare*>(o)->sides);
  delete o;
  o = CRuntimeClass::CreateObject(L"CLabel");
  ASSERT_NE(nullptr, o);
  EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CLabel)));
  delete o;
  EXPECT_EQ(RUNTIME_CLASS(CObject), CRuntimeClass::FromName("CObject"));
  // Unknown names and classes that cannot be created give null, not a crash.
  EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CNoSuchClass"));
  EXPECT_EQ(nullptr, CRuntimeClass::CreateObject(L"CShape"));
  EXPECT_EQ(nullptr, CRuntimeClass::FromName(L"C\x00e9"));
}

TEST(Exceptions, FileExceptionMapsOsErrorsAndNamesTheFile) {
  struct { LONG os; int cause; } table[] = {
      {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound}, {ERROR_PATH_NOT_FOUND, CFileException::badPath},
      {ERROR_ACCESS_DENIED, CFileException::accessDenied}, {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
      {ERROR_DISK_FULL, CFileException::diskFull}, {12345, CFileException::genericException}};
  for (auto& t : table) EXPECT_EQ(t.cause, CFileException::OsErrorToException(t.os)) << t.os;
  try {
    AfxThrowFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, L"C:\\x.txt");
  } catch (CException* e) {
    ASSERT_TRUE(e->IsKindOf(RUNTIME_CLASS(CFileException)));
    wchar_t text[256];
    EXPECT_TRUE(e->GetErrorMessage(text, 256));
    EXPECT_NE(nullptr, wcsstr(text, L"C:\\x.txt"));
    e->Delete();
  }
}

TEST(String, FormatUsesWideStringArguments) {
  CString s;
  s.Format(L"%s=%d [%c] %5.2f %hs", L"x", 42, L'Z', 3.14159, "narrow");
  EXPECT_STREQ(L"x=42 [Z]  3.14 narrow", s);
  CString big;
  big.Format(L"%s|", (LPCWSTR)CString(L'a', 5000));
  EXPECT_EQ(5001, big.GetLength());
  s.AppendFormat(L"+%u", 7u);
  EXPECT_STREQ(L"x=42 [Z]  3.14 narrow+7", s);
}

TEST(String, SearchAndSlicing) {
  CString s(L"alpha beta alpha");
  EXPECT_EQ(0, s.Find(L"alpha"));
  EXPECT_EQ(11, s.Find(L"alpha", 1));
  EXPECT_EQ(-1, s.Find(L"gamma"));
  EXPECT_EQ(-1, s.Find(L'a', 99));
  EXPECT_EQ(15, s.ReverseFind(L'a'));
  EXPECT_EQ(1, s.FindOneOf(L"lp"));
  EXPECT_STREQ(L"beta", s.Mid(6, 4));
  EXPECT_STREQ(L"", s.Mid(100));
  EXPECT_STREQ(L"alpha", s.Right(5));
  EXPECT_STREQ(L"alpha beta alpha", s.Left(100));
  EXPECT_STREQ(L"alp", s.SpanIncluding(L"alp"));
  EXPECT_STREQ(L"alpha", s.SpanExcluding(L" "));
  int pos = 0;
  CString parts;
  for (CString t = s.Tokenize(L" ", pos); pos != -1; t = s.Tokenize(L" ", pos)) parts += t + L"/";
  EXPECT_STREQ(L"alpha/beta/alpha/", parts);
}

TEST(String, EditingTrimAndCase) {
  CString s(L"  Hello World \t");
  s.Trim();
  EXPECT_STREQ(L"Hello World", s);
  EXPECT_EQ(2, CString(s).Replace(L"o", L"0"));
  CString r(s);
  EXPECT_EQ(1, r.Replace(L"World", L""));
  EXPECT_STREQ(L"Hello ", r);
  EXPECT_EQ(3, s.Remove(L'l'));
  EXPECT_STREQ(L"Heo Word", s);
  s.Insert(0, L">>");
  s.Delete(2, 3);
  EXPECT_STREQ(L">> Word", s);
  CString c(L"MiXeD");
  EXPECT_STREQ(L"MIXED", CString(c).MakeUpper());
  EXPECT_STREQ(L"mixed", CString(c).MakeLower());
  EXPECT_EQ(0, c.CompareNoCase(L"mixed"));
  EXPECT_NE(0, c.Compare(L"mixed"));
  CString t(L"xxabcxx");
  EXPECT_STREQ(L"abc", t.Trim(L'x'));
}

TEST(String, BufferAccessAndConversion) {
  CString s;
  LPWSTR p = s.GetBuffer(10);
  wcscpy(p, L"abc");
  s.ReleaseBuffer();
  EXPECT_EQ(3, s.GetLength());
  p = s.GetBufferSetLength(2);
  s.ReleaseBuffer(2);
  EXPECT_STREQ(L"ab", s);
  EXPECT_STREQ(L"narrow", CString("narrow"));
  BSTR b = CString(L"bstr").AllocSysString();
  EXPECT_EQ(4u, SysStringLen(b));
  SysFreeString(b);
  CString field;
  EXPECT_TRUE(AfxExtractSubString(field, L"a\nb\n\nd", 3));
  EXPECT_STREQ(L"d", field);
  EXPECT_TRUE(AfxExtractSubString(field, L"a\nb\n\nd", 2));
  EXPECT_STREQ(L"", field);
  EXPECT_FALSE(AfxExtractSubString(field, L"a\nb", 5));
  CString joined;
  LPCWSTR args[] = {L"one", L"two"};
  AfxFormatStrings(joined, L"%2 and %1%%", args, 2);
  EXPECT_STREQ(L"two and one%%", joined);
}

TEST(Geometry, RectArithmetic) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(100, r.Width());
  EXPECT_EQ(50, r.Height());
  EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
  r.DeflateRect(5, 5);
  EXPECT_EQ(CRect(15, 25, 105, 65), r);
  r.OffsetRect(CPoint(-15, -25));
  EXPECT_EQ(CRect(0, 0, 90, 40), r);
  EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
  EXPECT_FALSE(r.PtInRect(CPoint(90, 0)));
  EXPECT_EQ(CRect(50, 0, 90, 40), r & CRect(50, -10, 200, 200));
  EXPECT_EQ(CSize(3, 4), CPoint(5, 6) - CPoint(2, 2));
  CRect n(30, 40, 10, 20);
  n.NormalizeRect();
  EXPECT_EQ(CRect(10, 20, 30, 40), n);
}
