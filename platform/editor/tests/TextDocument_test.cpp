// The editing control's document without a window: lines, edits, undo, styles, markers,
// braces and searching.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EditorMessages.h"
#include "TextDocument.h"

namespace {

void Set(TextDocument& d, const std::string& s) { d.SetText(s.data(), static_cast<int>(s.size())); }
void Insert(TextDocument& d, int pos, const std::string& s, bool typed = false) {
  d.InsertText(pos, s.data(), static_cast<int>(s.size()), typed);
}

// Line starts computed from scratch: a line ends after LF, after CR LF, or after a CR alone.
std::vector<int> NaiveStarts(const std::string& s) {
  std::vector<int> starts{0};
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n')))
      starts.push_back(static_cast<int>(i + 1));
  }
  return starts;
}

void ExpectLinesMatch(const TextDocument& d, const std::string& model) {
  std::vector<int> starts = NaiveStarts(model);
  ASSERT_EQ(d.GetText(), model);
  ASSERT_EQ(d.LineCount(), static_cast<int>(starts.size())) << "text: " << model;
  for (size_t i = 0; i < starts.size(); ++i) ASSERT_EQ(d.LineStart(static_cast<int>(i)), starts[i]) << i;
  for (int pos = 0; pos <= static_cast<int>(model.size()); pos += 7) {
    int expected = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
    ASSERT_EQ(d.LineFromPosition(pos), expected) << pos;
  }
}

struct Recorder : DocWatcher {
  std::vector<DocChange> changes;
  std::vector<std::string> texts;
  int readOnlyAttempts = 0;
  void DocChanged(const DocChange& c) override {
    changes.push_back(c);
    texts.push_back(c.text ? std::string(c.text, c.length) : std::string());
  }
  void DocModifyAttemptReadOnly() override { ++readOnlyAttempts; }
};

TEST(EditorDocumentLines, LineEndsOfEveryKind) {
  struct Case {
    const char* text;
    int lines;
    std::vector<int> lengths;  // line lengths, line ends included
  };
  const Case cases[] = {
      {"", 1, {0}},
      {"abc", 1, {3}},
      {"a\r\nb", 2, {3, 1}},
      {"a\nb\n", 3, {2, 2, 0}},
      {"a\rb", 2, {2, 1}},
      {"\r\n\r\n", 3, {2, 2, 0}},
      {"x\r\r\ny", 3, {2, 2, 1}},
      {"end\r", 2, {4, 0}},
  };
  for (const Case& c : cases) {
    TextDocument d;
    Set(d, c.text);
    ASSERT_EQ(d.LineCount(), c.lines) << c.text;
    for (int i = 0; i < c.lines; ++i) EXPECT_EQ(d.LineLength(i), c.lengths[i]) << c.text << " line " << i;
    EXPECT_EQ(d.LineStart(c.lines), -1) << "past the last line";
    EXPECT_EQ(d.LineStart(-1), -1);
    EXPECT_EQ(d.LineLength(c.lines), 0);
  }
}

TEST(EditorDocumentLines, PositionsColumnsAndLineEnds) {
  TextDocument d;
  d.SetTabWidth(4);
  Set(d, "ab\tc\r\nxyz");
  EXPECT_EQ(d.LineFromPosition(-5), 0);
  EXPECT_EQ(d.LineFromPosition(5), 0);  // the LF of CR LF
  EXPECT_EQ(d.LineFromPosition(6), 1);
  EXPECT_EQ(d.LineFromPosition(1000), 1);
  EXPECT_EQ(d.LineEnd(0), 4);
  EXPECT_EQ(d.Column(3), 4);  // after the tab
  EXPECT_EQ(d.Column(4), 5);
  EXPECT_EQ(d.Column(8), 2);
}

// Edits that split and join CR LF pairs, compared with the line starts recomputed from scratch.
TEST(EditorDocumentLines, EditsKeepTheLineIndexExact) {
  TextDocument d;
  std::string model;
  unsigned seed = 12345;
  auto rnd = [&](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
  };
  const char* pieces[] = {"a", "\r", "\n", "\r\n", "xy\r\nz", "\n\n", "long line text", "\r\r"};
  for (int step = 0; step < 3000; ++step) {
    int pos = rnd(static_cast<int>(model.size()) + 1);
    if (model.size() > 40 && rnd(2) == 0) {
      int len = 1 + rnd(std::min<int>(6, static_cast<int>(model.size()) - pos + 1));
      len = std::min<int>(len, static_cast<int>(model.size()) - pos);
      d.DeleteRange(pos, len);
      model.erase(pos, len);
    } else {
      std::string s = pieces[rnd(8)];
      Insert(d, pos, s);
      model.insert(pos, s);
    }
    ExpectLinesMatch(d, model);
  }
}

TEST(EditorDocumentLines, ConvertEolsToEachMode) {
  struct Case {
    EolMode mode;
    const char* expected;
  } cases[] = {{EolMode::CrLf, "a\r\nb\r\nc\r\nd"}, {EolMode::Lf, "a\nb\nc\nd"}, {EolMode::Cr, "a\rb\rc\rd"}};
  for (const Case& c : cases) {
    TextDocument d;
    Set(d, "a\nb\r\nc\rd");
    d.ConvertEols(c.mode);
    EXPECT_EQ(d.GetText(), c.expected);
    EXPECT_EQ(d.LineCount(), 4);
  }
}

TEST(EditorDocumentEdits, NotificationsCarryPositionLengthAndLinesAdded) {
  TextDocument d;
  Recorder r;
  Set(d, "one\r\ntwo");
  d.SetWatcher(&r);
  Insert(d, 3, "\r\nmid");
  d.DeleteRange(0, 5);
  ASSERT_EQ(r.changes.size(), 4u);
  EXPECT_EQ(r.changes[0].type, SC_MOD_BEFOREINSERT | SC_PERFORMED_USER);
  EXPECT_EQ(r.changes[1].type, SC_MOD_INSERTTEXT | SC_PERFORMED_USER);
  EXPECT_EQ(r.changes[1].position, 3);
  EXPECT_EQ(r.changes[1].length, 5);
  EXPECT_EQ(r.changes[1].linesAdded, 1);
  EXPECT_EQ(r.texts[1], "\r\nmid");
  EXPECT_EQ(r.changes[3].type, SC_MOD_DELETETEXT | SC_PERFORMED_USER);
  EXPECT_EQ(r.changes[3].linesAdded, -1);
  EXPECT_EQ(r.texts[3], "one\r\n");
  EXPECT_EQ(d.GetText(), "mid\r\ntwo");
}

TEST(EditorDocumentEdits, OutOfRangeArgumentsAreClampedNotTrusted) {
  TextDocument d;
  Set(d, "abc");
  Insert(d, 99, "!");
  Insert(d, -4, "<");
  d.DeleteRange(2, 100);
  EXPECT_EQ(d.GetText(), "<a");
  EXPECT_EQ(d.GetRange(-3, 50), "<a");
  EXPECT_EQ(d.GetRange(2, 1), "");
  EXPECT_FALSE(d.InsertText(0, nullptr, 3) == false);  // nothing to insert is not a refusal
}

TEST(EditorDocumentEdits, ReadOnlyRefusesEveryChange) {
  TextDocument d;
  Recorder r;
  Set(d, "keep\r\nme");
  Insert(d, 0, "x");
  d.SetWatcher(&r);
  d.SetReadOnly(true);
  EXPECT_FALSE(d.InsertText(0, "a", 1));
  EXPECT_FALSE(d.DeleteRange(0, 2));
  EXPECT_FALSE(d.SetText("new", 3));
  EXPECT_FALSE(d.ConvertEols(EolMode::Lf));
  EXPECT_EQ(d.Undo(), -1);
  d.SetTargetStart(0);
  d.SetTargetEnd(1);
  EXPECT_EQ(d.ReplaceTarget("zz", 2), 0);
  EXPECT_EQ(d.GetText(), "xkeep\r\nme");
  EXPECT_TRUE(r.changes.empty());
  EXPECT_EQ(r.readOnlyAttempts, 6);
  d.SetReadOnly(false);
  EXPECT_TRUE(d.CanUndo());
}

// ---- Undo --------------------------------------------------------------------------------

TEST(EditorDocumentUndo, SequencesOfEditsUndoAndRedo) {
  struct Step {
    char op;  // i insert, t typed, d delete, b begin group, e end group, u undo, r redo, x empty
    int pos;
    const char* text;  // for i/t: inserted; for d: length as digits
    const char* expected;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"single edits undo one by one",
       {{'i', 0, "ab", "ab"}, {'i', 2, "cd", "abcd"}, {'d', 0, "1", "bcd"}, {'u', 0, "", "abcd"},
        {'u', 0, "", "ab"}, {'r', 0, "", "abcd"}, {'r', 0, "", "bcd"}, {'r', 0, "", "bcd"}}},
      {"a group undoes at once",
       {{'i', 0, "x", "x"}, {'b', 0, "", "x"}, {'i', 1, "1", "x1"}, {'i', 2, "2", "x12"}, {'d', 0, "1", "12"},
        {'e', 0, "", "12"}, {'u', 0, "", "x"}, {'r', 0, "", "12"}, {'u', 0, "", "x"}, {'u', 0, "", ""}}},
      {"nested groups are one group",
       {{'b', 0, "", ""}, {'i', 0, "a", "a"}, {'b', 0, "", "a"}, {'i', 1, "b", "ab"}, {'e', 0, "", "ab"},
        {'i', 2, "c", "abc"}, {'e', 0, "", "abc"}, {'u', 0, "", ""}}},
      {"typing coalesces, a jump starts a new step",
       {{'t', 0, "h", "h"}, {'t', 1, "i", "hi"}, {'t', 2, "!", "hi!"}, {'t', 0, ">", ">hi!"},
        {'u', 0, "", "hi!"}, {'u', 0, "", ""}}},
      {"a new edit drops the redo steps",
       {{'i', 0, "a", "a"}, {'i', 1, "b", "ab"}, {'u', 0, "", "a"}, {'i', 1, "c", "ac"}, {'r', 0, "", "ac"},
        {'u', 0, "", "a"}}},
      {"an emptied buffer has nothing to undo",
       {{'i', 0, "a", "a"}, {'x', 0, "", "a"}, {'u', 0, "", "a"}, {'r', 0, "", "a"}}},
  };
  for (const Case& c : cases) {
    TextDocument d;
    for (const Step& s : c.steps) {
      switch (s.op) {
        case 'i': Insert(d, s.pos, s.text); break;
        case 't': Insert(d, s.pos, s.text, true); break;
        case 'd': d.DeleteRange(s.pos, std::atoi(s.text)); break;
        case 'b': d.BeginUndoAction(); break;
        case 'e': d.EndUndoAction(); break;
        case 'u': d.Undo(); break;
        case 'r': d.Redo(); break;
        case 'x': d.EmptyUndoBuffer(); break;
      }
      ASSERT_EQ(d.GetText(), s.expected) << c.name << " at step '" << s.op << "'";
    }
  }
}

TEST(EditorDocumentUndo, UndoRestoresLinesAndReportsItsKind) {
  TextDocument d;
  Recorder r;
  Set(d, "a\r\nb\r\nc");
  d.EmptyUndoBuffer();
  d.DeleteRange(1, 5);
  d.SetWatcher(&r);
  EXPECT_TRUE(d.CanUndo());
  EXPECT_FALSE(d.CanRedo());
  EXPECT_EQ(d.Undo(), 6);
  EXPECT_EQ(d.LineCount(), 3);
  EXPECT_EQ(r.changes.back().type, SC_MOD_INSERTTEXT | SC_PERFORMED_UNDO);
  EXPECT_EQ(d.Redo(), 1);
  EXPECT_EQ(r.changes.back().type, SC_MOD_DELETETEXT | SC_PERFORMED_REDO);
  EXPECT_EQ(d.GetText(), "ac");
  d.SetUndoCollection(false);
  Insert(d, 2, "zz");
  d.Undo();  // undoes the earlier delete, not the uncollected insert
  EXPECT_EQ(d.GetText(), "a\r\nb\r\nczz");
}

// ---- Styles ------------------------------------------------------------------------------

TEST(EditorDocumentStyles, StylingHonoursTheMaskAndEditsLowerTheStyledEnd) {
  TextDocument d;
  Recorder r;
  Set(d, "abcdef");
  d.SetWatcher(&r);
  d.StartStyling(0, 0xFF);
  d.SetStyling(3, 0xE5);
  d.StartStyling(1, 31);
  d.SetStyling(4, 7);
  EXPECT_EQ(d.StyleAt(0), 0xE5);
  EXPECT_EQ(d.StyleAt(1), 0xE7);  // upper bits kept by the mask 31
  EXPECT_EQ(d.StyleAt(4), 7);
  EXPECT_EQ(d.StyleAt(5), 0);
  EXPECT_EQ(d.EndStyled(), 5);
  EXPECT_EQ(r.changes.back().type & SC_MOD_CHANGESTYLE, SC_MOD_CHANGESTYLE);
  d.SetStyling(100, 2);  // runs to the end of the text, no further
  EXPECT_EQ(d.EndStyled(), 6);
  Insert(d, 2, "XY");
  EXPECT_EQ(d.EndStyled(), 2);
  EXPECT_EQ(d.StyleAt(2), 0);  // new text is unstyled
  EXPECT_EQ(d.StyleAt(4), 0xE7);  // old text keeps its style
  d.ClearStyles();
  EXPECT_EQ(d.StyleAt(0), 0);
  EXPECT_EQ(d.EndStyled(), 0);
}

// ---- Markers -----------------------------------------------------------------------------

TEST(EditorDocumentMarkers, AddFindDeleteAndFollowTheirLines) {
  TextDocument d;
  Set(d, "l0\r\nl1\r\nl2\r\nl3");
  EXPECT_GT(d.MarkerAdd(1, 0), 0);
  EXPECT_GT(d.MarkerAdd(3, 0), 0);
  EXPECT_GT(d.MarkerAdd(3, 4), 0);
  EXPECT_EQ(d.MarkerAdd(4, 0), -1);
  EXPECT_EQ(d.MarkerAdd(0, 32), -1);
  EXPECT_EQ(d.MarkerGet(3), 0x11);
  EXPECT_EQ(d.MarkerNext(0, 1), 1);
  EXPECT_EQ(d.MarkerNext(2, 1), 3);
  EXPECT_EQ(d.MarkerNext(4, 1), -1);
  EXPECT_EQ(d.MarkerPrevious(2, 1), 1);
  EXPECT_EQ(d.MarkerPrevious(-1, 1), -1);
  EXPECT_EQ(d.MarkerNext(0, 0x10), 3);
  Insert(d, 0, "new\r\n");  // a line above moves the markers down
  EXPECT_EQ(d.MarkerGet(2), 1);
  EXPECT_EQ(d.MarkerGet(4), 0x11);
  d.DeleteRange(d.LineStart(1), d.LineStart(3) - d.LineStart(1));  // lines 1 and 2 go
  EXPECT_EQ(d.LineCount(), 3);
  EXPECT_EQ(d.MarkerGet(1), 1) << "the marker of a removed line joins the surviving line";
  EXPECT_EQ(d.MarkerGet(2), 0x11);
  d.MarkerDelete(2, 4);
  EXPECT_EQ(d.MarkerGet(2), 1);
  d.MarkerDeleteAll(-1);
  EXPECT_EQ(d.MarkerNext(0, -1), -1);
}

// ---- Braces and search -------------------------------------------------------------------

TEST(EditorDocumentSearch, BraceMatchWithinOneStyle) {
  TextDocument d;
  Set(d, "f(a[1]<2>)\"(\"");
  struct Case {
    int pos, match;
  } cases[] = {{1, 9}, {9, 1}, {3, 5}, {5, 3}, {6, 8}, {0, -1}, {-1, -1}, {100, -1}};
  for (const Case& c : cases) EXPECT_EQ(d.BraceMatch(c.pos), c.match) << c.pos;
  d.StartStyling(11, 31);
  d.SetStyling(1, 10);  // the '(' inside the string has another style
  EXPECT_EQ(d.BraceMatch(11), -1);
  Set(d, "((x)");
  EXPECT_EQ(d.BraceMatch(0), -1);
}

TEST(EditorDocumentSearch, FindTextWithEachFlag) {
  TextDocument d;
  Set(d, "Sin sinus sin_x SIN sin");
  struct Case {
    int minPos, maxPos;
    const char* what;
    int flags;
    int expected;
  } cases[] = {
      {0, 23, "sin", 0, 0},
      {1, 23, "sin", 0, 4},
      {1, 23, "sin", SCFIND_MATCHCASE, 4},
      {0, 23, "SIN", SCFIND_MATCHCASE, 16},
      {1, 23, "sin", SCFIND_WHOLEWORD, 16},
      {1, 23, "sin", SCFIND_WHOLEWORD | SCFIND_MATCHCASE, 20},
      {0, 23, "sinus", SCFIND_WHOLEWORD, 4},
      {0, 22, "sin", SCFIND_WHOLEWORD | SCFIND_MATCHCASE, -1},  // the last one does not fit
      {23, 0, "sin", 0, 20},                                    // backward from the end
      {19, 0, "sin", 0, 16},
      {15, 0, "sin", SCFIND_WHOLEWORD | SCFIND_MATCHCASE, -1},
      {15, 0, "sin", SCFIND_MATCHCASE, 10},
      {3, 0, "sin", 0, 0},
      {0, 23, "", 0, -1},
      {0, 23, "cos", 0, -1},
      {0, 23, "sinus sin_x sin", SCFIND_WORDSTART, 4},
  };
  for (const Case& c : cases) {
    int len = -1;
    EXPECT_EQ(d.Find(c.minPos, c.maxPos, c.what, -1, c.flags, &len), c.expected)
        << c.what << " " << c.minPos << ".." << c.maxPos << " flags " << c.flags;
    if (c.expected >= 0) {
      EXPECT_EQ(len, static_cast<int>(std::strlen(c.what)));
    }
  }
  Set(d, "\xC4pfel \xE4PFEL");  // accented letters of the ANSI code page fold too
  EXPECT_EQ(d.Find(1, 11, "\xC4pfel", -1, 0, nullptr), 6);
}

// Replace-all as the host runs it: search in the target, replace, continue after the replacement.
int ReplaceAll(TextDocument& d, const char* find, const char* with) {
  int count = 0;
  d.SetTargetStart(0);
  d.SetTargetEnd(d.Length());
  int p = d.SearchInTarget(find, static_cast<int>(std::strlen(find)));
  while (p >= 0 && p < d.Length() && count < 1000) {
    int n = d.ReplaceTarget(with, static_cast<int>(std::strlen(with)));
    ++count;
    d.SetTargetStart(p + n);
    d.SetTargetEnd(d.Length());
    p = d.SearchInTarget(find, static_cast<int>(std::strlen(find)));
  }
  return count;
}

TEST(EditorDocumentSearch, TargetSearchAndReplace) {
  struct Case {
    const char* text;
    const char* find;
    const char* with;
    int flags;
    const char* expected;
    int count;
  } cases[] = {
      {"x+x*xx", "x", "y", 0, "y+y*yy", 4},
      {"x+x*xx", "x", "", 0, "+*", 4},
      {"x+x*xx", "x", "xx", SCFIND_WHOLEWORD, "xx+xx*xx", 2},
      {"a A a", "a", "b", SCFIND_MATCHCASE, "b A b", 2},
      {"abc", "", "z", 0, "abc", 0},  // an empty text is never found, so the loop ends
  };
  for (const Case& c : cases) {
    TextDocument d;
    Set(d, c.text);
    d.SetSearchFlags(c.flags);
    EXPECT_EQ(ReplaceAll(d, c.find, c.with), c.count) << c.text;
    EXPECT_EQ(d.GetText(), c.expected);
  }
  TextDocument d;
  Set(d, "one two");
  d.SetTargetStart(4);
  d.SetTargetEnd(7);
  EXPECT_EQ(d.ReplaceTarget("three", -1), 5);
  EXPECT_EQ(d.TargetStart(), 4);
  EXPECT_EQ(d.TargetEnd(), 9);
  EXPECT_EQ(d.GetText(), "one three");
  d.Undo();
  EXPECT_EQ(d.GetText(), "one two") << "a replacement undoes as one step";
}

TEST(EditorDocumentSearch, RegularExpressions) {
  TextDocument d;
  Set(d, "f(x) = X2 + x10; g(y)");
  struct Case {
    int minPos, maxPos;
    const char* what;
    int flags;
    int expected, length;
  } cases[] = {
      {0, 21, "x[0-9]+", SCFIND_REGEXP, 7, 2},
      {0, 21, "x[0-9]+", SCFIND_REGEXP | SCFIND_MATCHCASE, 12, 3},
      {21, 0, "[a-z]\\(", SCFIND_REGEXP, 17, 2},  // backwards: the last one
      {16, 0, "[a-z]\\(", SCFIND_REGEXP, 0, 2},
      {0, 21, "z*", SCFIND_REGEXP, -1, 0},  // only empty matches: nothing
      {0, 21, "([", SCFIND_REGEXP, -1, 0},  // malformed
  };
  for (const Case& c : cases) {
    int len = -1;
    EXPECT_EQ(d.Find(c.minPos, c.maxPos, c.what, -1, c.flags, &len), c.expected) << c.what;
    EXPECT_EQ(len, c.length) << c.what;
  }
  d.SetSearchFlags(SCFIND_REGEXP | SCFIND_MATCHCASE);
  d.SetTargetStart(0);
  d.SetTargetEnd(d.Length());
  ASSERT_EQ(d.SearchInTarget("([a-z])\\(([a-z])\\)", -1), 0);
  EXPECT_EQ(d.ReplaceTargetRE("\\2 -> \\1, \\\\", -1), 9);
  EXPECT_EQ(d.GetText(), "x -> f, \\ = X2 + x10; g(y)");
}

}  // namespace
