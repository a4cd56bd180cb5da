#include "Scanner.h"

#include <stdexcept>

#include "Messages.h"
#include "NameCompare.h"

namespace evalkern {

namespace {

constexpr int kMsgBinaryNoDigits = 14039;
constexpr int kMsgHexNoDigits = 14040;
constexpr int kMsgOctalNoDigits = 14041;
constexpr int kMsgRomanNoDigits = 14042;
constexpr int kMsgLoneDecimalPoint = 14043;
constexpr int kMsgUnexpectedChar = 14044;

bool IsBlank(wchar_t c) { return c == 9 || c == 32 || c == 160; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }
bool IsHexDigit(wchar_t c) {
  return IsDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}
bool IsRomanLetter(wchar_t c) {
  switch (FoldAscii(c)) {
    case L'c': case L'd': case L'i': case L'l': case L'm': case L'v': case L'x':
      return true;
    default:
      return false;
  }
}

bool IsPrefixLetter(wchar_t c) {
  switch (FoldAscii(c)) {
    case L'b': case L'o': case L'r': case L'x':
      return true;
    default:
      return false;
  }
}

class Scanner {
 public:
  // A token's own text is never longer than the part of `text` it comes from, so `own` holds
  // them all without growing once it has the room of the whole text: the views into it stay
  // valid.
  Scanner(const std::wstring& text, TokenList& tokens, std::wstring& own)
      : s_(text), n_(text.size()), tokens_(tokens), own_(own) {
    own_.clear();
    own_.reserve(n_);
  }

  void Run() {
    while (i_ < n_) Step();
  }

 private:
  wchar_t At(size_t k) const { return k < n_ ? s_[k] : L'\0'; }
  std::wstring_view Source(size_t from, size_t length) const {
    return std::wstring_view(s_).substr(from, length);
  }
  void Add(std::wstring_view text, TokenKind kind) { tokens_.push_back({text, kind}); }
  void Add1(TokenKind kind) {
    Add(Source(i_, 1), kind);
    ++i_;
  }
  // Appends a text of the token's own; `own_` has room for it (see the constructor).
  std::wstring_view Own(const wchar_t* text, size_t length) {
    if (own_.size() + length > own_.capacity()) throw std::length_error("token texts");
    const size_t at = own_.size();
    own_.append(text, length);
    return std::wstring_view(own_).substr(at, length);
  }

  void Step() {
    const wchar_t c = s_[i_];
    const wchar_t next = At(i_ + 1);
    const bool hasNext = i_ + 1 < n_;
    if (IsBlank(c)) {
      ++i_;
      return;
    }
    switch (c) {
      case L'!': case L'%': return Add1(tkPostfix);
      case L'+': case L'-': return Add1(tkSign);
      case L'*': case L'/': case L'^': return Add1(tkMultiplicative);
      case L'~': return Add1(tkLogical);
      case L',': return Add1(tkComma);
      case L'(': return Add1(tkOpen);
      case L')': return Add1(tkClose);
      case L'"': case L'\'': return ScanString();
      case L'|':
      case L'&':
        if (hasNext && next == c) return AddTwo(tkLogical);
        return Add1(tkLogical);
      case L'<':
      case L'>':
        if (hasNext && next == c) return AddTwo(tkLogical);  // "<<" ">>"
        if (hasNext && (next == L'=' || (c == L'<' && next == L'>'))) return AddTwo(tkComparison);
        return Add1(tkComparison);
      case L'=': return Add1(tkComparison);
      case L'#': case L'$': return ScanHashHex();
      default: break;
    }
    if (c == L'0' && IsPrefixLetter(next)) {
      // A prefix needs a character after its letter; a prefix at the very end of the text is a
      // literal of that notation without digits.
      return ScanPrefixed();
    }
    if (IsDigit(c) || c == L'.') return ScanDecimal();
    if (IsLetter(c) || c == L'_') return ScanName();
    // a character outside the basic plane is named whole, not by half of its surrogate pair
    const bool pair = c >= 0xD800 && c <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF;
    FailParse(kMsgUnexpectedChar, std::wstring(s_, i_, pair ? 2 : 1));
  }

  void AddTwo(TokenKind kind) {
    Add(Source(i_, 2), kind);
    i_ += 2;
  }

  // The content between the quotes, a doubled quote standing for one; an unclosed text runs to
  // the end.
  void ScanString() {
    const wchar_t quote = s_[i_++];
    const size_t start = i_;
    size_t end = n_;
    bool doubled = false;
    while (i_ < n_) {
      if (s_[i_] != quote) {
        ++i_;
      } else if (i_ + 1 < n_ && s_[i_ + 1] == quote) {
        doubled = true;
        i_ += 2;
      } else {
        end = i_++;
        break;
      }
    }
    if (!doubled) return Add(Source(start, end - start), tkString);
    std::wstring content;
    for (size_t k = start; k < end; ++k) {
      content += s_[k];
      if (s_[k] == quote) ++k;  // the second of the pair
    }
    Add(Own(content.data(), content.size()), tkString);
  }

  // A "%" right after the digits belongs to the literal.
  void TakePercent() {
    if (i_ < n_ && s_[i_] == L'%') ++i_;
  }

  template <class Pred>
  bool TakeDigits(Pred isDigit) {
    const size_t start = i_;
    while (i_ < n_ && isDigit(s_[i_])) ++i_;
    return i_ > start;
  }

  // The literal's text has its prefix letter in lower case.
  void ScanPrefixed() {
    const size_t start = i_;
    const wchar_t letter = FoldAscii(s_[i_ + 1]);
    i_ += 2;
    bool any = false;
    int noDigits = kMsgHexNoDigits;
    switch (letter) {
      case L'b':
        any = TakeDigits([](wchar_t c) { return c == L'0' || c == L'1'; });
        noDigits = kMsgBinaryNoDigits;
        break;
      case L'o':
        any = TakeDigits([](wchar_t c) { return c >= L'0' && c <= L'7'; });
        noDigits = kMsgOctalNoDigits;
        break;
      case L'r':
        any = TakeDigits(IsRomanLetter);
        noDigits = kMsgRomanNoDigits;
        break;
      default:
        any = TakeDigits(IsHexDigit);
        break;
    }
    if (!any) FailParse(noDigits);
    TakePercent();
    if (s_[start + 1] == letter) return Add(Source(start, i_ - start), tkLiteral);
    std::wstring text(Source(start, i_ - start));
    text[1] = letter;
    Add(Own(text.data(), text.size()), tkLiteral);
  }

  void ScanHashHex() {
    const size_t start = i_++;
    if (!TakeDigits(IsHexDigit)) FailParse(kMsgHexNoDigits);
    TakePercent();
    Add(Source(start, i_ - start), tkLiteral);
  }

  void ScanDecimal() {
    const size_t start = i_;
    TakeDigits(IsDigit);
    if (At(i_) == L'.' && i_ < n_) {
      ++i_;
      TakeDigits(IsDigit);
    }
    if (i_ < n_ && (s_[i_] == L'e' || s_[i_] == L'E')) {
      ++i_;
      if (i_ < n_ && (s_[i_] == L'+' || s_[i_] == L'-')) ++i_;
      TakeDigits(IsDigit);
    }
    TakePercent();
    if (s_[i_ - 1] == L'+' || s_[i_ - 1] == L'-') {
      // An exponent sign without a digit is a sign of its own.
      --i_;
    }
    const std::wstring_view text = Source(start, i_ - start);
    if (text == L".") FailParse(kMsgLoneDecimalPoint);
    Add(text, tkLiteral);
  }

  void ScanName() {
    const size_t start = i_;
    while (i_ < n_ && (IsLetter(s_[i_]) || IsDigit(s_[i_]) || s_[i_] == L'_')) ++i_;
    const std::wstring_view name = Source(start, i_ - start);
    size_t k = i_;
    while (k < n_ && IsBlank(s_[k])) ++k;
    if (k < n_ && s_[k] == L'(') {
      i_ = k + 1;
      Add(name, tkCall);
    } else {
      Add(name, tkName);  // the blanks are scanned again
    }
  }

  const std::wstring& s_;
  const size_t n_;
  size_t i_ = 0;
  TokenList& tokens_;
  std::wstring& own_;
};

bool KeywordKind(std::wstring_view text, TokenKind& kind) {
  static const struct {
    const wchar_t* word;
    TokenKind kind;
  } kKeywords[] = {
      {L"true", tkLiteral},   {L"false", tkLiteral},  {L"and", tkLogical},
      {L"or", tkLogical},     {L"xor", tkLogical},    {L"shr", tkLogical},
      {L"shl", tkLogical},    {L"mod", tkMultiplicative}, {L"div", tkMultiplicative},
      {L"le", tkComparison},  {L"ge", tkComparison},  {L"ne", tkComparison},
      {L"gt", tkComparison},  {L"lt", tkComparison},  {L"eq", tkComparison},
      {L"not", tkNot},
  };
  if (text.size() < 2 || text.size() > 5) return false;
  for (const auto& k : kKeywords) {
    if (NamesEqual(text.data(), text.size(), k.word, std::char_traits<wchar_t>::length(k.word))) {
      kind = k.kind;
      return true;
    }
  }
  return false;
}

}  // namespace

[[noreturn]] void FailParse(int id) { throw ParseError{GetMessageText(id)}; }
[[noreturn]] void FailParse(int id, std::wstring_view arg) {
  throw ParseError{GetMessageTextFmt(id, std::wstring(arg))};
}

std::wstring TrimExpression(const std::wstring& text) {
  size_t b = 0, e = text.size();
  while (b < e && text[b] <= 32) ++b;
  while (e > b && text[e - 1] <= 32) --e;
  return text.substr(b, e - b);
}

void ScanExpression(const std::wstring& text, TokenList& tokens, std::wstring& ownTexts) {
  tokens.clear();
  Scanner(text, tokens, ownTexts).Run();
}

void ClassifyKeywords(TokenList& tokens) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    Token& t = tokens[i];
    if (t.kind != tkName && t.kind != tkCall) continue;
    TokenKind kind;
    if (!KeywordKind(t.text, kind)) continue;
    const bool wasCall = t.kind == tkCall;
    t.kind = kind;
    // A keyword written straight before "(" keeps that bracket as a token of its own, except
    // for the Boolean literals, which drop it.
    if (wasCall && kind != tkLiteral) tokens.insert(tokens.begin() + i + 1, Token{L"(", tkOpen});
  }
}

}  // namespace evalkern
