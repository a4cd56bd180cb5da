// Application object: profile settings in the registry (and the INI fallback), the recent-file
// list and command-line parsing.
#include "Framework.h"
#include <gtest/gtest.h>

class CProfileApp : public CWinApp {
public:
  CProfileApp() : CWinApp(L"FwProfileTest") {}
};
static CProfileApp theApp;

class Profile : public ::testing::Test {
protected:
  void SetUp() override {
    theApp.SetRegistryKey(L"Numbrook Framework Test");
    theApp.WriteProfileString(L"Section", nullptr, nullptr);  // start from nothing
  }
  static HKEY OpenSection() {
    HKEY h = nullptr;
    ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Numbrook Framework Test\\FwProfileTest\\Section", 0, KEY_READ, &h);
    return h;
  }
};

TEST_F(Profile, ValuesLiveUnderCompanyAndApplicationKeys) {
  EXPECT_TRUE(theApp.WriteProfileInt(L"Section", L"Number", -7));
  EXPECT_TRUE(theApp.WriteProfileString(L"Section", L"Text", L"h\x00e9llo"));
  BYTE blob[] = {0, 1, 2, 0xFF};
  EXPECT_TRUE(theApp.WriteProfileBinary(L"Section", L"Blob", blob, sizeof(blob)));
  HKEY h = OpenSection();
  ASSERT_NE(nullptr, h);
  DWORD type = 0, value = 0, size = sizeof(value);
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(h, L"Number", nullptr, &type, (LPBYTE)&value, &size));
  EXPECT_EQ((DWORD)REG_DWORD, type);
  EXPECT_EQ((DWORD)-7, value);
  size = 0;
  EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(h, L"Blob", nullptr, &type, nullptr, &size));
  EXPECT_EQ((DWORD)REG_BINARY, type);
  EXPECT_EQ(4u, size);
  ::RegCloseKey(h);

  EXPECT_EQ((UINT)-7, theApp.GetProfileInt(L"Section", L"Number", 5));
  EXPECT_STREQ(L"h\x00e9llo", theApp.GetProfileString(L"Section", L"Text"));
  LPBYTE data = nullptr;
  UINT n = 0;
  ASSERT_TRUE(theApp.GetProfileBinary(L"Section", L"Blob", &data, &n));
  ASSERT_EQ(4u, n);
  EXPECT_EQ(0, memcmp(blob, data, 4));
  delete[] data;
}

TEST_F(Profile, MissingOrMistypedValuesGiveTheDefault) {
  theApp.WriteProfileString(L"Section", L"Text", L"12");
  struct { const wchar_t* entry; int def; UINT want; } ints[] = {
      {L"Absent", 42, 42}, {L"Text", 9, 9}};  // a string is not read as a number
  for (auto& t : ints) EXPECT_EQ(t.want, theApp.GetProfileInt(L"Section", t.entry, t.def)) << t.entry;
  theApp.WriteProfileInt(L"Section", L"Number", 3);
  EXPECT_STREQ(L"dflt", theApp.GetProfileString(L"Section", L"Number", L"dflt"));
  EXPECT_STREQ(L"", theApp.GetProfileString(L"Other", L"Absent"));
  LPBYTE data = (LPBYTE)1;
  UINT n = 99;
  EXPECT_FALSE(theApp.GetProfileBinary(L"Section", L"Number", &data, &n));
  EXPECT_EQ(nullptr, data);
  EXPECT_EQ(0u, n);
  // A null value deletes the entry, a null entry the section.
  EXPECT_TRUE(theApp.WriteProfileString(L"Section", L"Text", nullptr));
  EXPECT_STREQ(L"gone", theApp.GetProfileString(L"Section", L"Text", L"gone"));
  EXPECT_TRUE(theApp.WriteProfileString(L"Section", nullptr, nullptr));
  EXPECT_EQ(7u, theApp.GetProfileInt(L"Section", L"Number", 7));
}

TEST_F(Profile, RecentFileListKeepsNewestFirstWithoutDuplicates) {
  theApp.LoadStdProfileSettings(3);
  ASSERT_NE(nullptr, theApp.m_pRecentFileList);
  for (const wchar_t* f : {L"C:\\a.txt", L"C:\\b.txt", L"C:\\c.txt", L"C:\\A.TXT", L"C:\\d.txt"})
    theApp.AddToRecentFileList(f);
  CRecentFileList& mru = *theApp.m_pRecentFileList;
  ASSERT_EQ(3, mru.GetSize());
  EXPECT_STREQ(L"C:\\d.txt", mru[0]);
  EXPECT_STREQ(L"C:\\A.TXT", mru[1]);
  EXPECT_STREQ(L"C:\\c.txt", mru[2]);
  theApp.SaveStdProfileSettings();
  EXPECT_STREQ(L"C:\\A.TXT", theApp.GetProfileString(L"Recent File List", L"File2"));
  theApp.LoadStdProfileSettings(3);  // read back
  EXPECT_STREQ(L"C:\\d.txt", (*theApp.m_pRecentFileList)[0]);
  theApp.m_pRecentFileList->Remove(0);
  EXPECT_STREQ(L"C:\\A.TXT", (*theApp.m_pRecentFileList)[0]);
  EXPECT_STREQ(L"", (*theApp.m_pRecentFileList)[2]);
  theApp.WriteProfileString(L"Recent File List", nullptr, nullptr);
}

// The menu names a file of the current directory by its name alone, any other by its path.
TEST(RecentFileNames, AFileOfTheCurrentDirectoryShowsByItsName) {
  CRecentFileList mru(0, L"Recent File List", L"File%d", 1);
  const struct {
    const wchar_t* path;
    const wchar_t* curDir;
    const wchar_t* shown;
  } cases[] = {
      {L"C:\\work\\a.txt", L"C:\\work\\", L"a.txt"},
      {L"C:\\WORK\\a.txt", L"c:\\work\\", L"a.txt"},         // the directory in any case
      {L"C:\\work\\a.txt", L"C:\\work", L"a.txt"},             // without its closing backslash
      {L"C:\\work\\sub\\a.txt", L"C:\\work\\", L"C:\\work\\sub\\a.txt"},  // deeper down
      {L"C:\\work2\\a.txt", L"C:\\work", L"C:\\work2\\a.txt"},   // a directory that only starts alike
      {L"C:\\other\\a.txt", L"C:\\work\\", L"C:\\other\\a.txt"},
      {L"C:\\work\\a.txt", nullptr, L"C:\\work\\a.txt"},
  };
  for (const auto& c : cases) {
    mru[0] = c.path;
    CString name;
    ASSERT_TRUE(mru.GetDisplayName(name, 0, c.curDir, c.curDir ? (int)wcslen(c.curDir) : 0)) << c.path;
    EXPECT_STREQ(c.shown, name) << c.path << L" in " << (c.curDir ? c.curDir : L"(none)");
  }
  mru[0] = L"";
  CString name = L"old";
  EXPECT_FALSE(mru.GetDisplayName(name, 0, L"C:\\", 3));
}

// The application's profile in an INI file of its own (no registry key) for one test.
class ProfileIni : public ::testing::Test {
protected:
  void SetUp() override {
    m_savedKey = theApp.m_pszRegistryKey ? theApp.m_pszRegistryKey : L"";
    free((void*)theApp.m_pszRegistryKey);
    theApp.m_pszRegistryKey = nullptr;
    free((void*)theApp.m_pszProfileName);
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    m_ini = CString(tmp) + L"fw_profile_test.ini";
    ::DeleteFileW(m_ini);
    theApp.m_pszProfileName = _wcsdup(m_ini);
  }
  void TearDown() override {
    ::DeleteFileW(m_ini);
    free((void*)theApp.m_pszProfileName);
    theApp.m_pszProfileName = _wcsdup(theApp.m_pszAppName ? theApp.m_pszAppName : L"");
    if (!m_savedKey.IsEmpty()) theApp.SetRegistryKey(m_savedKey);
  }
  CString m_ini, m_savedKey;
};

TEST_F(ProfileIni, WithoutRegistryKeyTheIniFileIsUsed) {
  EXPECT_TRUE(theApp.WriteProfileInt(L"S", L"N", 12));
  EXPECT_EQ(12u, theApp.GetProfileInt(L"S", L"N", 0));
  BYTE blob[] = {0x00, 0x7F, 0xA5};
  EXPECT_TRUE(theApp.WriteProfileBinary(L"S", L"B", blob, 3));
  LPBYTE data = nullptr;
  UINT n = 0;
  ASSERT_TRUE(theApp.GetProfileBinary(L"S", L"B", &data, &n));
  ASSERT_EQ(3u, n);
  EXPECT_EQ(0, memcmp(blob, data, 3));
  delete[] data;
}

// Binary values in an INI file: only the sixteen nibble letters decode, and a value longer than
// a first read buffer comes back whole.
TEST_F(ProfileIni, BinaryValuesDecodeOnlyTheirAlphabetAndComeBackWhole) {
  const wchar_t* garbage[] = {L"AQ", L"ab", L"A1", L"@A", L"AAA", L"A PA"};
  for (const wchar_t* text : garbage) {
    ASSERT_TRUE(::WritePrivateProfileStringW(L"S", L"B", text, m_ini));
    LPBYTE data = reinterpret_cast<LPBYTE>(1);
    UINT n = 7;
    EXPECT_FALSE(theApp.GetProfileBinary(L"S", L"B", &data, &n)) << text;
    EXPECT_EQ(nullptr, data) << text;
    EXPECT_EQ(0u, n) << text;
  }

  std::vector<BYTE> blob(5000);
  for (size_t i = 0; i < blob.size(); ++i) blob[i] = (BYTE)(i * 7);
  ASSERT_TRUE(theApp.WriteProfileBinary(L"S", L"Long", blob.data(), (UINT)blob.size()));
  LPBYTE data = nullptr;
  UINT n = 0;
  ASSERT_TRUE(theApp.GetProfileBinary(L"S", L"Long", &data, &n));
  EXPECT_EQ(blob.size(), n);
  EXPECT_TRUE(n == blob.size() && memcmp(blob.data(), data, n) == 0);
  delete[] data;
}

// A registry string without its terminator, or with an odd byte count, never reads past itself.
TEST_F(Profile, RegistryStringsEndInsideTheirValue) {
  HKEY h = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER,
                                             L"Software\\Numbrook Framework Test\\FwProfileTest\\Section", 0, nullptr,
                                             0, KEY_WRITE, nullptr, &h, nullptr));
  ::RegSetValueExW(h, L"Bare", 0, REG_SZ, (const BYTE*)L"abcdef", 3 * sizeof(wchar_t));
  ::RegSetValueExW(h, L"Odd", 0, REG_SZ, (const BYTE*)L"xyz", 5);
  ::RegCloseKey(h);
  EXPECT_STREQ(L"abc", theApp.GetProfileString(L"Section", L"Bare"));
  EXPECT_STREQ(L"xy", theApp.GetProfileString(L"Section", L"Odd"));
}

// The program's own switch handling on top of the standard one.
class CTrayCommandLine : public CCommandLineInfo {
public:
  BOOL tray = FALSE;
  void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) override {
    CString p(pszParam);
    p.MakeLower();
    if (bFlag && p == L"tray") {
      tray = TRUE;
      ParseLast(bLast);
      return;
    }
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
  }
};

TEST(CommandLine, SwitchesAndFileNames) {
  struct Arg { const wchar_t* text; BOOL flag; };
  struct {
    std::vector<Arg> args;
    int command;
    const wchar_t* file;
    BOOL tray;
    BOOL embedded;
  } table[] = {
      {{}, CCommandLineInfo::FileNew, L"", FALSE, FALSE},
      {{{L"sheet.txt", FALSE}}, CCommandLineInfo::FileOpen, L"sheet.txt", FALSE, FALSE},
      {{{L"TRAY", TRUE}}, CCommandLineInfo::FileNew, L"", TRUE, FALSE},
      {{{L"tray", FALSE}}, CCommandLineInfo::FileOpen, L"tray", FALSE, FALSE},
      {{{L"p", TRUE}, {L"x.txt", FALSE}}, CCommandLineInfo::FilePrint, L"x.txt", FALSE, FALSE},
      {{{L"Unregserver", TRUE}}, CCommandLineInfo::AppUnregister, L"", FALSE, FALSE},
      {{{L"register", TRUE}}, CCommandLineInfo::AppRegister, L"", FALSE, FALSE},
      {{{L"Embedding", TRUE}}, CCommandLineInfo::FileNew, L"", FALSE, TRUE}};
  for (auto& t : table) {
    CTrayCommandLine info;
    for (size_t i = 0; i < t.args.size(); ++i)
      info.ParseParam(t.args[i].text, t.args[i].flag, i + 1 == t.args.size());
    EXPECT_EQ(t.command, info.m_nShellCommand);
    EXPECT_STREQ(t.file, info.m_strFileName);
    EXPECT_EQ(t.tray, info.tray);
    EXPECT_EQ(t.embedded, info.m_bRunEmbedded);
  }
}
