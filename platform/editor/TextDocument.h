// The text of one editing control, apart from any window: bytes with a style byte each, the
// line index, per-line markers, undo history, styling position, target range and searching.
// Positions and lengths count bytes of ANSI text.
#pragma once

#include <string>
#include <vector>

#include "GapBuffer.h"
#include "LineIndex.h"

// What changed, handed to the watcher before and after each modification.
struct DocChange {
  int type = 0;  // SC_MOD_* and SC_PERFORMED_* bits
  int position = 0;
  int length = 0;
  int linesAdded = 0;
  const char* text = nullptr;
  int line = 0;  // for marker changes
};

class DocWatcher {
 public:
  virtual ~DocWatcher() = default;
  virtual void DocChanged(const DocChange& change) = 0;
  virtual void DocModifyAttemptReadOnly() {}
};

enum class EolMode { CrLf = 0, Cr = 1, Lf = 2 };

class TextDocument {
 public:
  TextDocument();

  void SetWatcher(DocWatcher* watcher) { watcher_ = watcher; }

  // ---- Text ----
  int Length() const { return text_.Length(); }
  char CharAt(int pos) const { return text_.ValueAt(pos); }
  std::string GetRange(int start, int end) const;
  void CopyRange(char* out, int start, int end) const;  // no terminator
  std::string GetText() const { return GetRange(0, Length()); }

  // Every change is refused (false) while read-only; the watcher hears about the attempt.
  bool InsertText(int pos, const char* s, int len, bool typed = false);
  bool DeleteRange(int pos, int len);
  bool SetText(const char* s, int len);  // replaces everything, one undo group

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on) { readOnly_ = on; }

  // ---- Lines ----
  int LineCount() const { return lines_.Lines(); }
  int LineStart(int line) const;  // -1 for a line outside 0 .. count - 1
  int LineEnd(int line) const;    // position before the line end characters
  int LineLength(int line) const;  // line end characters included; 0 outside
  int LineFromPosition(int pos) const;
  int Column(int pos) const;  // tabs expanded
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width) { tabWidth_ = width > 0 ? width : 8; }
  EolMode Eol() const { return eolMode_; }
  void SetEol(EolMode mode) { eolMode_ = mode; }
  const char* EolText() const;
  bool ConvertEols(EolMode mode);
  bool IsLineStartAt(int pos) const;

  // ---- Undo ----
  void BeginUndoAction();
  void EndUndoAction();
  bool CanUndo() const { return current_ > 0; }
  bool CanRedo() const { return current_ < static_cast<int>(actions_.size()); }
  int Undo();  // caret position after the undo, -1 when nothing was done
  int Redo();
  void EmptyUndoBuffer();
  void SetUndoCollection(bool on) { collectUndo_ = on; }
  bool UndoCollection() const { return collectUndo_; }
  void BreakTyping() { typingOpen_ = false; }  // the next typed character starts a new undo step
  int UndoSteps() const;  // number of steps the current undo would perform

  // ---- Styles ----
  unsigned char StyleAt(int pos) const { return static_cast<unsigned char>(styles_.ValueAt(pos)); }
  int EndStyled() const { return endStyled_; }
  void StartStyling(int pos, int mask);
  void SetStyling(int len, int style);
  void ClearStyles();
  int StyleBits() const { return styleBits_; }
  void SetStyleBits(int bits) { styleBits_ = bits < 1 ? 1 : (bits > 8 ? 8 : bits); }
  void CopyStyles(unsigned char* out, int start, int end) const;

  // ---- Markers ----
  int MarkerAdd(int line, int marker);  // handle, -1 for a bad line or marker
  void MarkerDelete(int line, int marker);  // marker -1: every marker of the line
  void MarkerDeleteAll(int marker);  // marker -1: every marker
  int MarkerGet(int line) const;
  int MarkerNext(int line, int mask) const;
  int MarkerPrevious(int line, int mask) const;

  // ---- Braces ----
  int BraceMatch(int pos) const;

  // ---- Search ----
  // Forward when minPos <= maxPos: the match lies inside [minPos, maxPos]. Backward otherwise:
  // the nearest match that starts in [maxPos, minPos]. Answers the match start or -1.
  int Find(int minPos, int maxPos, const char* s, int len, int flags, int* matchLength) const;
  int TargetStart() const { return targetStart_; }
  int TargetEnd() const { return targetEnd_; }
  void SetTargetStart(int pos) { targetStart_ = Clamp(pos); }
  void SetTargetEnd(int pos) { targetEnd_ = Clamp(pos); }
  int SearchFlags() const { return searchFlags_; }
  void SetSearchFlags(int flags) { searchFlags_ = flags; }
  int SearchInTarget(const char* s, int len);  // the target moves to the match
  int ReplaceTarget(const char* s, int len);   // answers the replacement's length
  // The same, with \0 to \9 in the replacement standing for the groups of the last regular
  // expression match found in the target.
  int ReplaceTargetRE(const char* s, int len);

  bool IsWordChar(unsigned char c) const;
  int Clamp(int pos) const { return pos < 0 ? 0 : (pos > Length() ? Length() : pos); }

 private:
  struct Action {
    bool insert;
    int position;
    std::string text;
    bool groupStart;
    bool typed;
  };

  int FindRegex(int minPos, int maxPos, const std::string& pattern, int flags, int* matchLength,
                std::vector<std::string>* groups) const;
  bool BasicInsert(int pos, const char* s, int len, int performed);
  bool BasicDelete(int pos, int len, int performed);
  void Record(bool insert, int pos, const char* s, int len, bool typed);
  void Notify(int type, int pos, int len, int linesAdded, const char* text);
  void MergeMarkersUp(int line);

  GapBuffer<char> text_;
  GapBuffer<char> styles_;
  LineIndex lines_;
  GapBuffer<int> markers_;  // one mask per line
  int markerHandles_ = 0;

  std::vector<Action> actions_;
  int current_ = 0;  // actions before this index are done, the rest can be redone
  int groupDepth_ = 0;
  bool groupOpen_ = false;  // an undo group has begun and its first action is recorded
  bool collectUndo_ = true;
  bool typingOpen_ = false;
  bool inUndoRedo_ = false;

  bool readOnly_ = false;
  int tabWidth_ = 8;
  EolMode eolMode_ = EolMode::CrLf;
  int endStyled_ = 0;
  int stylingPos_ = 0;
  int stylingMask_ = 0xFF;
  int styleBits_ = 5;
  int targetStart_ = 0;
  int targetEnd_ = 0;
  int searchFlags_ = 0;
  std::vector<std::string> groups_;  // of the last regular expression match in the target
  DocWatcher* watcher_ = nullptr;
};
