// The window of the editing control: painting, caret and selection, keyboard and mouse input,
// scrolling, clipboard, printing, and the notifications to the parent. The text itself lives
// in a TextDocument.
#pragma once

#include <windows.h>

#include <string>

#include "EditorMessages.h"
#include "StyleTable.h"
#include "TextDocument.h"

class EditorView : public DocWatcher {
 public:
  static bool RegisterWindowClass(HINSTANCE instance);
  static void UnregisterWindowClass(HINSTANCE instance);

  explicit EditorView(HWND hwnd);
  ~EditorView() override;

  LRESULT Message(UINT msg, WPARAM wp, LPARAM lp);

  // DocWatcher
  void DocChanged(const DocChange& change) override;
  void DocModifyAttemptReadOnly() override;

 private:
  static const int kTextGap = 2;  // pixels between the margins and the text

  // The style number a style byte stands for under the current style bits.
  static int StyleOf(unsigned char byte, int styleBits) {
    int s = byte & ((1 << styleBits) - 1);
    return s > STYLE_MAX ? STYLE_DEFAULT : s;
  }

  struct Margin {
    int type = SC_MARGIN_SYMBOL;
    int width = 0;
    int mask = 0;
    bool sensitive = false;
  };
  struct MarkerDef {
    int symbol = SC_MARK_CIRCLE;
    COLORREF fore = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
  };

  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  // One message and the notices it leaves pending; Message keeps its faults inside the control.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT EditorMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);
  // The control's messages by concern, each in a file of its own; *handled is cleared for a
  // message that the concern does not know.
  LRESULT TextMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);
  LRESULT SelectionMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);
  LRESULT StyleMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);
  LRESULT MarkerMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);
  LRESULT SearchMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);
  LRESULT ViewMessage(UINT msg, WPARAM wp, LPARAM lp, bool* handled);
  LRESULT WindowMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Notifications
  void Notify(SCNotification& scn);
  void NotifyCode(int code);
  void BeginBurst(bool insert);
  void EndBurst();
  void FlushUpdateUI();

  // Geometry
  void Redraw();
  void EnsureFonts();
  void InvalidateFonts();
  int LineHeight();
  int TextLeft() const;  // client x where text column 0 is drawn, before the horizontal offset
  int LinesOnScreen();
  int XOfPosition(int pos);  // client x
  int PositionFromPoint(int x, int y, bool clampToText);
  int MaxTopLine();
  void SetTopLine(int line);
  void SetXOffset(int x);
  void ScrollCaret();
  void UpdateScrollBars();
  int ScrollWidth();

  // Selection and caret
  int SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  int SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  void SetSelection(int anchor, int caret, bool scroll = true);
  void MoveCaret(int pos, bool extend);
  int MoveOutsideCrLf(int pos, int dir) const;
  int NextCharPosition(int pos) const;
  int PrevCharPosition(int pos) const;
  int WordStart(int pos) const;
  int WordEnd(int pos) const;
  int WordLeft(int pos) const;
  int WordRight(int pos) const;
  int CharClass(int pos) const;
  void RestartCaretBlink();

  // Editing
  bool ReplaceSelection(const char* s, int len, bool typed);
  bool DeleteSelection();
  void TypeChar(char c);
  void InsertNewLine();
  void DeleteBack(bool word);
  void DeleteForward(bool word);
  void Undo();
  void Redo();
  void Copy();
  void Cut();
  void Paste();
  bool CanPaste();
  void SetText(const char* s);
  void SetZoom(int zoom);

  // Styling on request
  void EnsureStyledTo(int pos);

  // Input
  bool KeyDown(int vk);
  void MouseDown(int x, int y, bool shift);
  void MouseMove(int x, int y);
  void DoubleClick(int x, int y);
  void Wheel(int delta, bool ctrl);
  void ContextMenu(LPARAM lp);

  // Drawing
  void Paint(HDC dc, const RECT& client);
  void PaintLine(HDC dc, int line, int y, int height, int left, int right);
  void PaintMargins(HDC dc, int firstLine, int lastLine, int height);
  void DrawMarker(HDC dc, int marker, const RECT& rc);
  LRESULT FormatRange(bool draw, RangeToFormat* fr);

  HWND hwnd_;
  TextDocument doc_;
  StyleTable styles_;
  FontSet screenFonts_;
  Margin margins_[3];
  MarkerDef markers_[MARKER_MAX + 1];

  int anchor_ = 0;
  int caret_ = 0;
  int desiredX_ = -1;
  int topLine_ = 0;
  int xOffset_ = 0;
  int scrollWidth_ = 2000;
  int zoom_ = 0;
  int braceA_ = -1;
  int braceB_ = -1;
  bool selForeUsed_ = false;
  COLORREF selFore_ = RGB(255, 255, 255);
  bool selBackUsed_ = true;
  COLORREF selBack_ = RGB(0xC0, 0xC0, 0xC0);
  bool overtype_ = false;
  bool hScrollBar_ = true;
  bool vScrollBar_ = true;
  bool viewEol_ = false;
  int indent_ = 0;
  int caretPeriod_ = 500;
  bool caretOn_ = true;
  bool focused_ = false;
  int modEventMask_ = SC_MODEVENTMASKALL;
  int lexer_ = SCLEX_CONTAINER;
  int printMagnification_ = 0;
  int printColourMode_ = SC_PRINT_NORMAL;
  int printWrapMode_ = SC_WRAP_WORD;
  int wheelDelta_ = 0;
  bool selecting_ = false;
  bool styleNeededActive_ = false;
  bool painting_ = false;
  bool redrawPending_ = false;

  int depth_ = 0;  // nesting of messages being handled
  bool closing_ = false;  // the window is gone; the view goes when the outer message ends
  bool updateUIPending_ = false;
  int burstDepth_ = 0;
  bool burstInsert_ = false;

  struct ScrollState {
    bool shown;
    int max, page, pos;
  };
  ScrollState scrollShown_[2] = {};
  bool scrollKnown_ = false;
  bool scrollBarsDirty_ = false;
  bool scrollBarsStale_ = false;  // fonts changed while hidden: the bars wait for the next drawing
  bool framePending_ = false;  // the frame (scroll bars) waits for its repaint

  HBITMAP buffer_ = nullptr;
  SIZE bufferSize_ = {0, 0};
};
