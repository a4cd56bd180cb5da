// The export over two real editing controls (BrookEdit.dll): lines and results taken from the
// panes, the default style's back colour in the page, and the message box of a file that
// cannot be written.
#include "CalcExportPanes.h"

#include <gtest/gtest.h>

#include <string>

#include "ExpressionLexer.h"
#include "ScintillaWnd.h"
#include "WorkspaceTestKit.h"

namespace {

CWinApp theApp(L"WorkspaceExportPanesTest");

class AutoFormatter : public ICodeFormatter {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 0; }
  STDMETHODIMP GetCharFormat(LexemeType, CharFormat* format) override {
    *format = {AutoColor, AutoColor, 0, 0, 0, UnderlineTypeNone};
    return S_OK;
  }
  STDMETHODIMP SetCharFormat(LexemeType, CharFormat) override { return E_NOTIMPL; }
  STDMETHODIMP GetCommonFormat(CodeCommonFormat* format) override {
    *format = {AutoColor, 200, 0, SysAllocString(L"Tahoma")};
    return S_OK;
  }
  STDMETHODIMP SetCommonFormat(CodeCommonFormat) override { return E_NOTIMPL; }
  STDMETHODIMP EndUpdate() override { return S_OK; }
};

class ErrorClassifier : public numbrook::IWordClassifier {
 public:
  int ClassifyWord(const std::wstring&) override { return 8; }
};

std::wstring TempPath(const wchar_t* name) {
  return std::wstring(TempPathFor(L"wexport")) + L"_" + name;
}

class ExportPanesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_NE(nullptr, ::LoadLibraryW(L"BrookEdit.dll"));
    HMODULE resources = ::LoadLibraryW(L"BrookResx.dll");
    ASSERT_NE(nullptr, resources) << "BrookResx.dll not found beside the test";
    AfxSetResourceHandle(resources);
  }
  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                              nullptr, nullptr));
    ASSERT_TRUE(left.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 300), &host, 1));
    ASSERT_TRUE(right.Create(L"", WS_CHILD | WS_VISIBLE, CRect(300, 0, 600, 300), &host, 2));
    left.InitEditor();
    right.InitEditor();
  }
  void TearDown() override { host.DestroyWindow(); }

  CWnd host;
  CScintillaWnd left, right;
  AutoFormatter formatter;
  ErrorClassifier classifier;
};

TEST_F(ExportPanesTest, TextTakesEveryExpressionLineAndTheResultsBesideThem) {
  left.SetText(L"2+3  \t\r\nx\r\n\r\n");
  right.SetText(L"5 \r\n");
  ExportSettings settings;
  settings.HtmlFormat = 0;
  settings.Separator = L"\t";
  const std::wstring path = TempPath(L"panes.txt");
  settings.FilePath = path.c_str();
  ASSERT_TRUE(ExportPanes(&left, settings, left, &right, &formatter, classifier));
  EXPECT_EQ(ReadBytes(path), "1:\t2+3\t5\r\n2:\tx\t\r\n3:\t\t\r\n4:\t\t\r\n");

  // Without a results pane every result is empty.
  ASSERT_TRUE(ExportPanes(&left, settings, left, nullptr, &formatter, classifier));
  EXPECT_EQ(ReadBytes(path), "1:\t2+3\t\r\n2:\tx\t\r\n3:\t\t\r\n4:\t\t\r\n");
  ::DeleteFileW(path.c_str());
}

TEST_F(ExportPanesTest, HtmlTakesTheDefaultStyleBackForClassesWithoutOne) {
  left.SetText(L"1");
  right.SetText(L"1");
  left.SetStyleBack(32, RGB(0x10, 0x20, 0x30));
  ExportSettings settings;
  const std::wstring path = TempPath(L"panes.html");
  settings.FilePath = path.c_str();
  ASSERT_TRUE(ExportPanes(&left, settings, left, &right, &formatter, classifier));
  const std::string bytes = ReadBytes(path);
  EXPECT_NE(bytes.find(".CalcStyleDigitNumber { color: #000080; background-color: #102030;"), std::string::npos)
      << bytes;
  EXPECT_NE(bytes.find("<td width=50%><span class=\"CalcStyleDigitNumber\">1</span></td>\r\n<td width=50%>1</td>"),
            std::string::npos)
      << bytes;
  ::DeleteFileW(path.c_str());
}

TEST_F(ExportPanesTest, AFileThatCannotBeWrittenIsToldAndNothingIsWritten) {
  left.SetText(L"1");
  ExportSettings settings;
  const std::wstring path = TempPath(L"no such folder\\out.html");
  settings.FilePath = path.c_str();
  MessageBoxCloser closer;
  HANDLE thread = ::CreateThread(nullptr, 0, MessageBoxCloser::Run, &closer, 0, nullptr);
  EXPECT_FALSE(ExportPanes(&left, settings, left, &right, &formatter, classifier));
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 15000));
  ::CloseHandle(thread);
  CString text, caption;
  text.LoadString(2025);
  caption.LoadString(2026);
  EXPECT_FALSE(text.IsEmpty());
  EXPECT_EQ(closer.text, text.str());
  EXPECT_EQ(closer.caption, caption.str());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
}

}  // namespace
