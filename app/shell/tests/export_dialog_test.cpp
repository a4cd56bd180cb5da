// The export dialog: the separator's tokens as a table, and the dialog itself run modally with
// its controls driven by messages: the options it hands back for a text export and the file
// they give, the file type deciding HTML or text, the question about an empty separator, the
// separator menu, and Cancel, which asks nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "TestPump.h"
#include "ExportDlg.h"
#include "FrameworkPump.h"
#include "ShellTestKit.h"
#include "Framework.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "bars/UfxToolbarButton.h"

namespace {

// ---- the separator ------------------------------------------------------------------------------

struct SeparatorCase {
  const wchar_t* written;
  const wchar_t* decoded;
};

TEST(ExportSeparator, TokensBecomeCharactersAndEverythingElseStaysAsWritten) {
  const SeparatorCase cases[] = {
      {L"[#0032]", L" "},
      {L"[#9]", L"\t"},
      {L"a[Tab]b", L"a\tb"},
      {L"x[\\r\\n]y", L"x\r\ny"},
      {L"[#0032]=[#0032]", L" = "},
      {L"[#65]1[#66]", L"A1B"},
      {L"[#65535]", L"\xFFFF"},
      // out of range: stays as written
      {L"[#0]", L"[#0]"},
      {L"[#65536]", L"[#65536]"},
      {L"[#99999999999999999999]", L"[#99999999999999999999]"},
      // broken or open escapes, brackets and digits outside escapes
      {L"[#]", L"[#]"},
      {L"[#12", L"[#12"},
      {L"[#1x]", L"[#1x]"},
      {L"[#[#65]", L"[#A"},
      {L"a]b", L"a]b"},
      {L"12[3", L"12[3"},
      {L"[", L"["},
      {L"[tab]", L"[tab]"},
      {L"", L""},
      // the named tokens go first, and what an escape makes is not read again
      {L"[#91]Tab]", L"[Tab]"},
  };
  for (const SeparatorCase& c : cases) EXPECT_STREQ(c.decoded, DecodeExportSeparator(c.written)) << c.written;
}

// ---- the dialog ---------------------------------------------------------------------------------

const UINT WM_RUN_SCRIPT = WM_APP + 41;

// The export dialog with a script that runs once the system dialog is set up, inside its modal
// loop. The script ends the dialog itself (OK or Cancel of the system dialog).
class CScriptedExportDlg : public CExportDlg {
public:
  explicit CScriptedExportDlg(std::function<void(CScriptedExportDlg&)> script)
      : CExportDlg(nullptr), m_script(std::move(script)) {}
  void OnInitDone() override { PostMessage(WM_RUN_SCRIPT); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_RUN_SCRIPT) {
      m_script(*this);
      return 0;
    }
    return CExportDlg::WindowProc(message, wParam, lParam);
  }

  HWND Dialog() const { return ::GetParent(m_hWnd); }
  HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
  bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
  void SetSeparator(LPCWSTR text) { ::SetWindowTextW(Item(IDC_EXPORT_SEPARATOR), text); }
  CString Separator() const {
    CString text;
    CWnd::FromHandle(Item(IDC_EXPORT_SEPARATOR))->GetWindowText(text);
    return text;
  }
  void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
  // Chooses file type `index` (0 first) as the user does in the type list.
  void ChooseType(int index) {
    HWND types = ::GetDlgItem(Dialog(), cmb1);
    ::SendMessageW(types, CB_SETCURSEL, index, 0);
    for (WORD note : {CBN_SELCHANGE, CBN_SELENDOK})
      ::SendMessageW(Dialog(), WM_COMMAND, MAKEWPARAM(cmb1, note), reinterpret_cast<LPARAM>(types));
  }
  void Ok() { ::PostMessageW(Dialog(), WM_COMMAND, IDOK, 0); }
  void Cancel() { ::PostMessageW(Dialog(), WM_COMMAND, IDCANCEL, 0); }

private:
  std::function<void(CScriptedExportDlg&)> m_script;
};

// Answers every "Export" question box of this process with `answer`, counting them.
class QuestionAnswerer {
public:
  explicit QuestionAnswerer(int answer) : m_answer(answer), m_thread([this] { Run(); }) {}
  ~QuestionAnswerer() {
    m_stop = true;
    m_thread.join();
  }
  int Count() const { return m_count; }

private:
  void Run() {
    while (!m_stop) {
      HWND box = nullptr;
      if (!PumpUntil([&] { return m_stop || (box = FindOwnWindow(L"#32770", L"Export")) != nullptr; }) || box == nullptr)
        continue;
      ++m_count;
      ::SendMessageW(box, WM_COMMAND, m_answer, 0);
      PumpUntil([&] { return m_stop || !::IsWindow(box); });
    }
  }
  int m_answer;
  std::atomic<int> m_count{0};
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

class ExportDialog : public ResourceLibraryTest {
protected:
  void SetUp() override {
    ResourceLibraryTest::SetUp();
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    m_path.Format(L"%sexport_dialog_%lu.txt", folder, ::GetCurrentProcessId());
    ::DeleteFileW(m_path);
  }
  void TearDown() override { ::DeleteFileW(m_path); }

  // Runs the dialog with the target file name already typed in.
  INT_PTR Run(CScriptedExportDlg& dialog) {
    lstrcpynW(dialog.m_szFileName, m_path, MAX_PATH);
    return dialog.DoModal();
  }

  static std::string ReadFile(const CString& path) {
    std::string bytes;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
  }

  CString m_path;
};

// Two worksheet lines with their results.
class WorksheetLines : public CalcExport::ILineSource {
public:
  int GetLineCount() override { return 2; }
  CString GetExpressionLine(int line) override { return line == 0 ? L"1+2" : L"x := 5"; }
  CString GetResultLine(int line) override { return line == 0 ? L"3" : L"5"; }
};

TEST_F(ExportDialog, ATextExportTakesTheDecodedSeparatorAndWritesTheLines) {
  struct Seen {
    bool htmlDisablesSeparator = false, textEnablesSeparator = false, noResultsDisablesSeparator = false;
  } seen;
  CScriptedExportDlg dialog([&seen](CScriptedExportDlg& d) {
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(d.Item(IDC_EXPORT_RESULTS), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(d.Item(IDC_EXPORT_NUMBER_LINES), BM_GETCHECK, 0, 0));
    EXPECT_STREQ(L"[Tab]", d.Separator());
    seen.htmlDisablesSeparator = !d.Enabled(IDC_EXPORT_SEPARATOR) && !d.Enabled(IDC_EXPORT_SEPARATOR_MENU) &&
                                 !d.Enabled(IDC_EXPORT_SEPARATOR_LABEL);
    d.ChooseType(1);
    seen.textEnablesSeparator = d.Enabled(IDC_EXPORT_SEPARATOR) && d.Enabled(IDC_EXPORT_SEPARATOR_MENU) &&
                                d.Enabled(IDC_EXPORT_SEPARATOR_LABEL);
    d.Click(IDC_EXPORT_RESULTS);
    seen.noResultsDisablesSeparator = !d.Enabled(IDC_EXPORT_SEPARATOR);
    d.Click(IDC_EXPORT_RESULTS);
    d.SetSeparator(L"[#0032]=[#0032]");
    d.Ok();
  });
  ASSERT_EQ(IDOK, Run(dialog));
  EXPECT_TRUE(seen.htmlDisablesSeparator) << "the first type is HTML: no separator";
  EXPECT_TRUE(seen.textEnablesSeparator);
  EXPECT_TRUE(seen.noResultsDisablesSeparator);

  const ExportSettings& settings = dialog.GetSettings();
  EXPECT_EQ(0, settings.HtmlFormat);
  EXPECT_EQ(1, settings.IncludeResults);
  EXPECT_EQ(1, settings.NumberLines);
  EXPECT_STREQ(L" = ", settings.Separator);
  EXPECT_EQ(0, settings.FilePath.CompareNoCase(m_path)) << static_cast<LPCWSTR>(settings.FilePath);

  WorksheetLines lines;
  CalcExport::CTextLineFormatter formatter(settings);
  CalcExport::WriteExport(settings, lines, formatter);
  EXPECT_EQ("1:\t1+2 = 3\r\n2:\tx := 5 = 5\r\n", ReadFile(m_path));
}

TEST_F(ExportDialog, TheFileTypeChoosesHtmlOrTextUpToOk) {
  const struct {
    const char* name;
    std::vector<int> types;  // chosen in this order
    long html;
  } cases[] = {{"left at the first type", {}, 1}, {"text", {1}, 0}, {"text, then HTML again", {1, 0}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CScriptedExportDlg dialog([&c](CScriptedExportDlg& d) {
      for (int type : c.types) d.ChooseType(type);
      d.Ok();
    });
    ASSERT_EQ(IDOK, Run(dialog));
    EXPECT_EQ(c.html, dialog.GetSettings().HtmlFormat);
    EXPECT_STREQ(L"\t", dialog.GetSettings().Separator);
  }
}

TEST_F(ExportDialog, AnEmptySeparatorIsAskedAboutOnOk) {
  const struct {
    int answer;
    const wchar_t* separator;
  } cases[] = {{IDYES, L"\t"}, {IDNO, L""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    QuestionAnswerer answerer(c.answer);
    CScriptedExportDlg dialog([](CScriptedExportDlg& d) {
      d.ChooseType(1);
      d.SetSeparator(L"");
      d.Ok();
    });
    ASSERT_EQ(IDOK, Run(dialog));
    EXPECT_EQ(1, answerer.Count());
    EXPECT_STREQ(c.separator, dialog.GetSettings().Separator);
  }
}

TEST_F(ExportDialog, CancelAsksNothingAndWritesNothing) {
  QuestionAnswerer answerer(IDYES);
  CScriptedExportDlg dialog([](CScriptedExportDlg& d) {
    d.SetSeparator(L"");
    d.Cancel();
  });
  EXPECT_EQ(IDCANCEL, Run(dialog));
  EXPECT_EQ(0, answerer.Count());
  EXPECT_TRUE(dialog.GetSettings().FilePath.IsEmpty());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(m_path));
}

TEST_F(ExportDialog, TheSeparatorMenuOpensBelowItsButtonAndInsertsItsToken) {
  CString afterMenu, afterUndo, afterLineBreak;
  CRect button, popup;
  CScriptedExportDlg dialog([&](CScriptedExportDlg& d) {
    d.ChooseType(1);
    d.SetSeparator(L"ab");
    ::SendMessageW(d.Item(IDC_EXPORT_SEPARATOR), EM_SETSEL, 1, 1);
    d.Click(IDC_EXPORT_SEPARATOR_MENU);
    CUfxPopupMenu* menu = nullptr;
    if (PumpUntil([&] { return (menu = CUfxPopupMenu::GetActiveMenu()) != nullptr && menu->IsWindowVisible(); })) {
      ::GetWindowRect(d.Item(IDC_EXPORT_SEPARATOR_MENU), &button);
      menu->GetWindowRect(&popup);
      CUfxPopupMenuBar* items = menu->GetMenuBar();
      const int index = items->CommandToIndex(ID_SEPARATOR_CHARACTER);
      if (index >= 0) {
        const CPoint point = items->GetButton(index)->Rect().CenterPoint();
        for (int i = 0; i < 2; ++i)
          ::PostMessageW(items->GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y + i));
        ::PostMessageW(items->GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        PumpUntil([&] { return d.Separator() != L"ab"; });
      }
    }
    afterMenu = d.Separator();
    ::SendMessageW(d.Item(IDC_EXPORT_SEPARATOR), EM_UNDO, 0, 0);
    afterUndo = d.Separator();
    ::SendMessageW(d.Item(IDC_EXPORT_SEPARATOR), EM_SETSEL, 0, 2);
    d.SendMessage(WM_COMMAND, ID_SEPARATOR_LINE_BREAK);
    afterLineBreak = d.Separator();
    d.Cancel();
  });
  EXPECT_EQ(IDCANCEL, Run(dialog));
  EXPECT_EQ(button.left + 1, popup.left);
  EXPECT_EQ(button.bottom, popup.top);
  EXPECT_STREQ(L"a[#0032]b", afterMenu) << "put in at the caret";
  EXPECT_STREQ(L"ab", afterUndo) << "an undoable replacement";
  EXPECT_STREQ(L"[\\r\\n]", afterLineBreak) << "in place of the selection";
}

}  // namespace
