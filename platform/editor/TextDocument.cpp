#include "TextDocument.h"

#include <algorithm>
#include <cstring>
#include <regex>

#include "EditorMessages.h"

namespace {

// Case folding for the ANSI code page 1252: ASCII letters and the accented Latin letters.
unsigned char Fold(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
  if (c == 0x9F) return 0xFF;
  return c;
}

bool IsEolChar(char c) { return c == '\r' || c == '\n'; }

}  // namespace

TextDocument::TextDocument() { markers_.InsertValue(0, 1, 0); }

std::string TextDocument::GetRange(int start, int end) const {
  start = Clamp(start);
  end = Clamp(end);
  if (end <= start) return std::string();
  std::string s(end - start, '\0');
  text_.Copy(&s[0], start, end - start);
  return s;
}

void TextDocument::CopyRange(char* out, int start, int end) const {
  start = Clamp(start);
  end = Clamp(end);
  if (end > start) text_.Copy(out, start, end - start);
}

void TextDocument::CopyStyles(unsigned char* out, int start, int end) const {
  start = Clamp(start);
  end = Clamp(end);
  if (end > start) styles_.Copy(reinterpret_cast<char*>(out), start, end - start);
}

// ---- Modification ------------------------------------------------------------------------

void TextDocument::Notify(int type, int pos, int len, int linesAdded, const char* text) {
  if (!watcher_) return;
  DocChange c;
  c.type = type;
  c.position = pos;
  c.length = len;
  c.linesAdded = linesAdded;
  c.text = text;
  c.line = LineFromPosition(pos);
  watcher_->DocChanged(c);
}

bool TextDocument::IsLineStartAt(int pos) const {
  if (pos <= 0 || pos > Length()) return false;
  char before = text_.ValueAt(pos - 1);
  if (before == '\n') return true;
  if (before == '\r') return pos == Length() || text_.ValueAt(pos) != '\n';
  return false;
}

void TextDocument::MergeMarkersUp(int line) {
  if (line <= 0 || line >= markers_.Length()) return;
  markers_.SetValueAt(line - 1, markers_.ValueAt(line - 1) | markers_.ValueAt(line));
  markers_.Delete(line, 1);
}

bool TextDocument::BasicInsert(int pos, const char* s, int len, int performed) {
  if (len <= 0) return true;
  Notify(SC_MOD_BEFOREINSERT | performed, pos, len, 0, s);
  int linesBefore = LineCount();
  int line = lines_.LineOf(pos);
  bool hadStart = pos > 0 && lines_.Start(line) == pos;

  text_.Insert(pos, s, len);
  styles_.InsertValue(pos, len, 0);
  lines_.Shift(line, len);

  // Line starts within [pos, pos + len] depend on the new bytes; everything else only moved.
  std::vector<int> found;
  bool maybeEol = hadStart || (pos > 0 && text_.ValueAt(pos - 1) == '\r');
  if (!maybeEol) {
    for (int i = 0; i < len && !maybeEol; ++i) maybeEol = IsEolChar(s[i]);
  }
  if (maybeEol) {
    for (int p = pos; p <= pos + len; ++p) {
      if (IsLineStartAt(p)) found.push_back(p);
    }
  }
  size_t next = 0;
  int at = line;
  if (hadStart) {
    if (!found.empty()) {
      lines_.SetStart(line, found[0]);
      next = 1;
    } else {
      lines_.RemoveLine(line);
      MergeMarkersUp(line);
      at = line - 1;
    }
  }
  for (; next < found.size(); ++next) {
    ++at;
    lines_.InsertLine(at, found[next]);
    markers_.InsertValue(at, 1, 0);
  }
  if (endStyled_ > pos) endStyled_ = pos;
  if (!inUndoRedo_) Record(true, pos, s, len, false);
  Notify(SC_MOD_INSERTTEXT | performed, pos, len, LineCount() - linesBefore, s);
  return true;
}

bool TextDocument::BasicDelete(int pos, int len, int performed) {
  if (len <= 0) return true;
  std::string removed = GetRange(pos, pos + len);
  Notify(SC_MOD_BEFOREDELETE | performed, pos, len, 0, removed.c_str());
  int linesBefore = LineCount();
  int line = lines_.LineOf(pos);
  // Starts inside (pos, pos + len] vanish with their bytes; a start at pos may, too.
  while (line + 1 < LineCount() && lines_.Start(line + 1) <= pos + len) {
    lines_.RemoveLine(line + 1);
    MergeMarkersUp(line + 1);
  }
  text_.Delete(pos, len);
  styles_.Delete(pos, len);
  lines_.Shift(line, -len);
  bool startAtPos = pos > 0 && lines_.Start(line) == pos;
  if (startAtPos && !IsLineStartAt(pos)) {
    lines_.RemoveLine(line);
    MergeMarkersUp(line);
  } else if (!startAtPos && IsLineStartAt(pos)) {
    lines_.InsertLine(line + 1, pos);
    markers_.InsertValue(line + 1, 1, 0);
  }
  if (endStyled_ > pos) endStyled_ = pos;
  if (targetStart_ > Length()) targetStart_ = Length();
  if (targetEnd_ > Length()) targetEnd_ = Length();
  if (!inUndoRedo_) Record(false, pos, removed.data(), len, false);
  Notify(SC_MOD_DELETETEXT | performed, pos, len, LineCount() - linesBefore, removed.c_str());
  return true;
}

bool TextDocument::InsertText(int pos, const char* s, int len, bool typed) {
  if (readOnly_) {
    if (watcher_) watcher_->DocModifyAttemptReadOnly();
    return false;
  }
  if (!s || len <= 0) return true;
  pos = Clamp(pos);
  bool coalesce = typed && typingOpen_;
  if (coalesce) {
    const Action& last = actions_[current_ - 1];
    coalesce = current_ == static_cast<int>(actions_.size()) && last.insert && last.typed &&
               last.position + static_cast<int>(last.text.size()) == pos && groupDepth_ == 0;
  }
  inUndoRedo_ = coalesce || !collectUndo_;
  BasicInsert(pos, s, len, SC_PERFORMED_USER);
  inUndoRedo_ = false;
  if (coalesce) {
    actions_[current_ - 1].text.append(s, len);
  } else if (collectUndo_ && typed && current_ > 0) {
    actions_[current_ - 1].typed = true;
  }
  typingOpen_ = typed && collectUndo_;
  return true;
}

bool TextDocument::DeleteRange(int pos, int len) {
  if (readOnly_) {
    if (watcher_) watcher_->DocModifyAttemptReadOnly();
    return false;
  }
  pos = Clamp(pos);
  if (len > Length() - pos) len = Length() - pos;
  if (len <= 0) return true;
  typingOpen_ = false;
  inUndoRedo_ = !collectUndo_;
  BasicDelete(pos, len, SC_PERFORMED_USER);
  inUndoRedo_ = false;
  return true;
}

bool TextDocument::SetText(const char* s, int len) {
  if (readOnly_) {
    if (watcher_) watcher_->DocModifyAttemptReadOnly();
    return false;
  }
  BeginUndoAction();
  DeleteRange(0, Length());
  if (s && len > 0) InsertText(0, s, len);
  EndUndoAction();
  return true;
}

// ---- Lines -------------------------------------------------------------------------------

int TextDocument::LineStart(int line) const {
  if (line < 0 || line >= LineCount()) return -1;
  return lines_.Start(line);
}

int TextDocument::LineEnd(int line) const {
  if (line < 0 || line >= LineCount()) return -1;
  int end = lines_.Start(line + 1);
  int start = lines_.Start(line);
  if (end > start && text_.ValueAt(end - 1) == '\n') --end;
  if (end > start && text_.ValueAt(end - 1) == '\r') --end;
  return end;
}

int TextDocument::LineLength(int line) const {
  if (line < 0 || line >= LineCount()) return 0;
  return lines_.Start(line + 1) - lines_.Start(line);
}

int TextDocument::LineFromPosition(int pos) const {
  if (pos <= 0) return 0;
  return lines_.LineOf(pos);
}

int TextDocument::Column(int pos) const {
  pos = Clamp(pos);
  int start = lines_.Start(LineFromPosition(pos));
  int col = 0;
  for (int p = start; p < pos; ++p) {
    char c = text_.ValueAt(p);
    if (c == '\t')
      col = (col / tabWidth_ + 1) * tabWidth_;
    else if (IsEolChar(c))
      break;
    else
      ++col;
  }
  return col;
}

const char* TextDocument::EolText() const {
  switch (eolMode_) {
    case EolMode::Cr:
      return "\r";
    case EolMode::Lf:
      return "\n";
    default:
      return "\r\n";
  }
}

bool TextDocument::ConvertEols(EolMode mode) {
  if (readOnly_) {
    if (watcher_) watcher_->DocModifyAttemptReadOnly();
    return false;
  }
  const char* eol = mode == EolMode::Cr ? "\r" : (mode == EolMode::Lf ? "\n" : "\r\n");
  int eolLen = static_cast<int>(std::strlen(eol));
  BeginUndoAction();
  for (int line = 0; line + 1 < LineCount(); ++line) {
    int end = LineEnd(line);
    int next = lines_.Start(line + 1);
    if (next - end == eolLen && GetRange(end, next) == eol) continue;
    DeleteRange(end, next - end);
    InsertText(end, eol, eolLen);
  }
  EndUndoAction();
  return true;
}

// ---- Undo --------------------------------------------------------------------------------

void TextDocument::Record(bool insert, int pos, const char* s, int len, bool typed) {
  if (!collectUndo_) return;
  actions_.resize(current_);
  bool start = groupDepth_ == 0 || !groupOpen_;
  if (groupDepth_ > 0) groupOpen_ = true;
  actions_.push_back(Action{insert, pos, std::string(s, len), start, typed});
  current_ = static_cast<int>(actions_.size());
}

void TextDocument::BeginUndoAction() {
  if (groupDepth_++ == 0) groupOpen_ = false;
  typingOpen_ = false;
}

void TextDocument::EndUndoAction() {
  if (groupDepth_ > 0 && --groupDepth_ == 0) groupOpen_ = false;
  typingOpen_ = false;
}

int TextDocument::UndoSteps() const {
  int n = 0;
  for (int i = current_ - 1; i >= 0; --i) {
    ++n;
    if (actions_[i].groupStart) break;
  }
  return n;
}

int TextDocument::Undo() {
  if (readOnly_) {
    if (watcher_) watcher_->DocModifyAttemptReadOnly();
    return -1;
  }
  if (!CanUndo()) return -1;
  typingOpen_ = false;
  inUndoRedo_ = true;
  int caret = -1;
  while (current_ > 0) {
    const Action a = actions_[--current_];
    if (a.insert) {
      BasicDelete(a.position, static_cast<int>(a.text.size()), SC_PERFORMED_UNDO);
      caret = a.position;
    } else {
      BasicInsert(a.position, a.text.data(), static_cast<int>(a.text.size()), SC_PERFORMED_UNDO);
      caret = a.position + static_cast<int>(a.text.size());
    }
    if (a.groupStart) break;
  }
  inUndoRedo_ = false;
  return caret;
}

int TextDocument::Redo() {
  if (readOnly_) {
    if (watcher_) watcher_->DocModifyAttemptReadOnly();
    return -1;
  }
  if (!CanRedo()) return -1;
  typingOpen_ = false;
  inUndoRedo_ = true;
  int caret = -1;
  int n = static_cast<int>(actions_.size());
  do {
    const Action a = actions_[current_++];
    if (a.insert) {
      BasicInsert(a.position, a.text.data(), static_cast<int>(a.text.size()), SC_PERFORMED_REDO);
      caret = a.position + static_cast<int>(a.text.size());
    } else {
      BasicDelete(a.position, static_cast<int>(a.text.size()), SC_PERFORMED_REDO);
      caret = a.position;
    }
  } while (current_ < n && !actions_[current_].groupStart);
  inUndoRedo_ = false;
  return caret;
}

void TextDocument::EmptyUndoBuffer() {
  actions_.clear();
  current_ = 0;
  typingOpen_ = false;
  groupOpen_ = false;
}

// ---- Styles ------------------------------------------------------------------------------

void TextDocument::StartStyling(int pos, int mask) {
  stylingPos_ = Clamp(pos);
  stylingMask_ = mask & 0xFF;
  endStyled_ = stylingPos_;
}

void TextDocument::SetStyling(int len, int style) {
  if (len <= 0) return;
  int start = stylingPos_;
  if (len > Length() - start) len = Length() - start;
  if (len <= 0) return;
  bool changed = false;
  for (int p = start; p < start + len; ++p) {
    char old = styles_.ValueAt(p);
    char now = static_cast<char>((old & ~stylingMask_) | (style & stylingMask_));
    if (now != old) {
      styles_.SetValueAt(p, now);
      changed = true;
    }
  }
  stylingPos_ = start + len;
  endStyled_ = stylingPos_;
  if (changed) Notify(SC_MOD_CHANGESTYLE | SC_PERFORMED_USER, start, len, 0, nullptr);
}

void TextDocument::ClearStyles() {
  int n = Length();
  if (n > 0) {
    styles_.Delete(0, n);
    styles_.InsertValue(0, n, 0);
  }
  endStyled_ = 0;
  stylingPos_ = 0;
  if (n > 0) Notify(SC_MOD_CHANGESTYLE | SC_PERFORMED_USER, 0, n, 0, nullptr);
}

// ---- Markers -----------------------------------------------------------------------------

int TextDocument::MarkerAdd(int line, int marker) {
  if (line < 0 || line >= LineCount() || marker < 0 || marker > 31) return -1;
  markers_.SetValueAt(line, markers_.ValueAt(line) | (1 << marker));
  if (watcher_) {
    DocChange c;
    c.type = SC_MOD_CHANGEMARKER;
    c.position = LineStart(line);
    c.line = line;
    watcher_->DocChanged(c);
  }
  return ++markerHandles_;
}

void TextDocument::MarkerDelete(int line, int marker) {
  if (line < 0 || line >= LineCount() || marker < -1 || marker > 31) return;
  int before = markers_.ValueAt(line);
  int after = marker == -1 ? 0 : (before & ~(1 << marker));
  markers_.SetValueAt(line, after);
  if (before != after && watcher_) {
    DocChange c;
    c.type = SC_MOD_CHANGEMARKER;
    c.position = LineStart(line);
    c.line = line;
    watcher_->DocChanged(c);
  }
}

void TextDocument::MarkerDeleteAll(int marker) {
  if (marker < -1 || marker > 31) return;
  for (int line = 0; line < LineCount(); ++line) {
    if (markers_.ValueAt(line) & (marker == -1 ? ~0 : (1 << marker))) MarkerDelete(line, marker);
  }
}

int TextDocument::MarkerGet(int line) const {
  if (line < 0 || line >= LineCount()) return 0;
  return markers_.ValueAt(line);
}

int TextDocument::MarkerNext(int line, int mask) const {
  if (line < 0) line = 0;
  for (; line < LineCount(); ++line) {
    if (markers_.ValueAt(line) & mask) return line;
  }
  return -1;
}

int TextDocument::MarkerPrevious(int line, int mask) const {
  if (line >= LineCount()) line = LineCount() - 1;
  for (; line >= 0; --line) {
    if (markers_.ValueAt(line) & mask) return line;
  }
  return -1;
}

// ---- Braces ------------------------------------------------------------------------------

int TextDocument::BraceMatch(int pos) const {
  if (pos < 0 || pos >= Length()) return -1;
  char brace = CharAt(pos);
  char match;
  int dir;
  switch (brace) {
    case '(': match = ')'; dir = 1; break;
    case ')': match = '('; dir = -1; break;
    case '[': match = ']'; dir = 1; break;
    case ']': match = '['; dir = -1; break;
    case '{': match = '}'; dir = 1; break;
    case '}': match = '{'; dir = -1; break;
    case '<': match = '>'; dir = 1; break;
    case '>': match = '<'; dir = -1; break;
    default: return -1;
  }
  // Only braces of the same style pair up, so a bracket inside a string or comment is skipped.
  unsigned char style = StyleAt(pos);
  int depth = 1;
  for (int p = pos + dir; p >= 0 && p < Length(); p += dir) {
    char c = CharAt(p);
    if ((c != brace && c != match) || StyleAt(p) != style) continue;
    depth += c == brace ? 1 : -1;
    if (depth == 0) return p;
  }
  return -1;
}

// ---- Search ------------------------------------------------------------------------------

bool TextDocument::IsWordChar(unsigned char c) const {
  return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         c == '_';
}

int TextDocument::Find(int minPos, int maxPos, const char* s, int len, int flags,
                           int* matchLength) const {
  if (matchLength) *matchLength = 0;
  if (!s) return -1;
  if (len < 0) len = static_cast<int>(std::strlen(s));
  if (len == 0) return -1;  // an empty text matches nowhere, so replace loops always end
  minPos = Clamp(minPos);
  maxPos = Clamp(maxPos);
  if (flags & SCFIND_REGEXP) return FindRegex(minPos, maxPos, std::string(s, len), flags, matchLength, nullptr);
  bool forward = minPos <= maxPos;
  bool matchCase = (flags & SCFIND_MATCHCASE) != 0;
  bool wholeWord = (flags & SCFIND_WHOLEWORD) != 0;
  bool wordStart = (flags & SCFIND_WORDSTART) != 0;
  int first, last, step;
  if (forward) {
    first = minPos;
    last = maxPos - len;
    step = 1;
  } else {
    first = std::min(minPos, Length() - len);
    last = maxPos;
    step = -1;
  }
  for (int p = first; forward ? p <= last : p >= last; p += step) {
    bool ok = true;
    for (int i = 0; i < len && ok; ++i) {
      unsigned char a = static_cast<unsigned char>(CharAt(p + i));
      unsigned char b = static_cast<unsigned char>(s[i]);
      ok = matchCase ? a == b : Fold(a) == Fold(b);
    }
    if (!ok) continue;
    unsigned char before = p > 0 ? CharAt(p - 1) : ' ';
    unsigned char firstCh = CharAt(p);
    bool startsWord = p == 0 || !IsWordChar(before) || !IsWordChar(firstCh);
    if ((wholeWord || wordStart) && !startsWord) continue;
    if (wholeWord) {
      int e = p + len;
      unsigned char after = e < Length() ? CharAt(e) : ' ';
      unsigned char lastCh = CharAt(e - 1);
      if (e < Length() && IsWordChar(after) && IsWordChar(lastCh)) continue;
    }
    if (matchLength) *matchLength = len;
    return p;
  }
  return -1;
}

// Regular expressions (ECMAScript syntax) over the bytes of the range. A match must not be
// empty: an empty match would make replace loops stand still.
int TextDocument::FindRegex(int minPos, int maxPos, const std::string& pattern, int flags, int* matchLength,
                            std::vector<std::string>* groups) const {
  bool forward = minPos <= maxPos;
  int lo = forward ? minPos : maxPos;
  int hi = forward ? maxPos : Length();
  std::regex re;
  try {
    auto options = std::regex::ECMAScript;
    if (!(flags & SCFIND_MATCHCASE)) options |= std::regex::icase;
    re.assign(pattern, options);
  } catch (const std::regex_error&) {
    return -1;  // a malformed expression finds nothing
  }
  std::string hay = GetRange(lo, hi);
  int best = -1;
  std::smatch found;
  for (auto it = std::sregex_iterator(hay.begin(), hay.end(), re); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    int start = lo + static_cast<int>(m.position(0));
    if (m.length(0) == 0) continue;
    if (!forward && start > minPos) break;
    best = start;
    found = m;
    if (forward) break;
  }
  if (best < 0) return -1;
  if (matchLength) *matchLength = static_cast<int>(found.length(0));
  if (groups) {
    groups->clear();
    for (size_t i = 0; i < found.size() && i < 10; ++i) groups->push_back(found[i].str());
  }
  return best;
}

int TextDocument::SearchInTarget(const char* s, int len) {
  int found = 0;
  if (s && (searchFlags_ & SCFIND_REGEXP)) {
    if (len < 0) len = static_cast<int>(std::strlen(s));
    if (len == 0) return -1;
    int p = FindRegex(Clamp(targetStart_), Clamp(targetEnd_), std::string(s, len), searchFlags_, &found, &groups_);
    if (p >= 0) {
      targetStart_ = p;
      targetEnd_ = p + found;
    }
    return p;
  }
  int p = Find(targetStart_, targetEnd_, s, len, searchFlags_, &found);
  if (p >= 0) {
    targetStart_ = p;
    targetEnd_ = p + found;
  }
  return p;
}

int TextDocument::ReplaceTarget(const char* s, int len) {
  if (readOnly_) {
    if (watcher_) watcher_->DocModifyAttemptReadOnly();
    return 0;
  }
  if (!s) len = 0;
  if (len < 0) len = static_cast<int>(std::strlen(s));
  int start = std::min(targetStart_, targetEnd_);
  int end = std::max(targetStart_, targetEnd_);
  BeginUndoAction();
  DeleteRange(start, end - start);
  InsertText(start, s, len);
  EndUndoAction();
  targetStart_ = start;
  targetEnd_ = start + len;
  return len;
}

int TextDocument::ReplaceTargetRE(const char* s, int len) {
  if (!s) len = 0;
  if (len < 0) len = static_cast<int>(std::strlen(s));
  std::string out;
  for (int i = 0; i < len; ++i) {
    if (s[i] == '\\' && i + 1 < len && s[i + 1] >= '0' && s[i + 1] <= '9') {
      size_t g = static_cast<size_t>(s[++i] - '0');
      if (g < groups_.size()) out += groups_[g];
    } else if (s[i] == '\\' && i + 1 < len && s[i + 1] == '\\') {
      out += s[++i];
    } else {
      out += s[i];
    }
  }
  return ReplaceTarget(out.data(), static_cast<int>(out.size()));
}
