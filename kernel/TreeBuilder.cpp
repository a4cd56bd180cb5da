#include "TreeBuilder.h"

#include <cstdint>

#include "ErrorEvents.h"
#include "Messages.h"
#include "NameCompare.h"
#include "Nodes.h"
#include "NumberText.h"

namespace evalkern {

namespace {

constexpr int kMsgInvalidNumber = 14035;
constexpr int kMsgMisplacedComma = 14036;
constexpr int kMsgEmptyExpression = 14038;
constexpr int kMsgNotWithoutOperand = 14045;
constexpr int kMsgBracketsUnbalanced = 14046;
constexpr int kMsgTwoOperands = 14047;
constexpr int kMsgMissingOperand = 14048;
constexpr int kMsgEndsWithSign = 14049;
constexpr int kMsgCommaAtEnd = 14050;
constexpr int kMsgUnclosedOperand = 14052;
constexpr int kMsgUnmatchedClose = 14053;

// Tokens that may stand right after an operator as the start of its operand (a sign or "not"
// not included: those have been rewritten by the time this is asked).
bool StartsOperand(TokenKind k) {
  return k == tkOpen || k == tkLiteral || k == tkName || k == tkCall || k == tkString;
}
// Tokens that may end the operand on the left of an operator, once postfixes are rewritten.
bool EndsOperand(TokenKind k) {
  return k == tkClose || k == tkLiteral || k == tkName || k == tkString;
}

void Insert(TokenList& t, size_t pos, std::wstring_view text, TokenKind kind) {
  t.insert(t.begin() + pos, Token{text, kind});
}

// Wrap-right scan: closes the operand that starts after position p with an inserted ")". With
// `notExtends`, "not" tokens at depth 0 belong to the operand (the leading minus).
void WrapRight(TokenList& t, size_t p, std::wstring_view name, bool notExtends = false) {
  long depth = 0;
  for (size_t k = p + 1; k < t.size(); ++k) {
    const TokenKind kind = t[k].kind;
    if (kind == tkOpen || kind == tkCall) {
      ++depth;
    } else if (kind == tkClose) {
      if (--depth == 0) {
        Insert(t, k + 1, L")", tkClose);
        return;
      }
    } else if (depth == 0 && !(notExtends && kind == tkNot)) {
      Insert(t, k + 1, L")", tkClose);
      return;
    }
  }
  if (depth > 0) FailParse(kMsgUnclosedOperand, name);
}

// Find-left scan: puts a call token `name` in front of the operand that ends before position p.
// Answers whether it inserted one (every position from there on moved up by one).
bool FindLeft(TokenList& t, size_t p, std::wstring_view name) {
  long depth = 0;
  for (size_t k = p; k-- > 0;) {
    const TokenKind kind = t[k].kind;
    if (kind == tkClose) {
      ++depth;
    } else if (kind == tkOpen || kind == tkCall) {
      if (depth-- == 1) {
        Insert(t, k, name, tkCall);
        return true;
      }
    } else if (depth == 0) {
      Insert(t, k, name, tkCall);
      return true;
    }
  }
  if (depth > 0) FailParse(kMsgUnmatchedClose, name);
  return false;
}

// The operator at p becomes the comma between the two operands of a call `name`; p then points
// at that comma.
void RewriteBinaryAt(TokenList& t, size_t& p, std::wstring_view name) {
  t[p] = Token{L",", tkComma};
  if (FindLeft(t, p, name)) ++p;
  WrapRight(t, p, name);
}

void CheckPlacement(const TokenList& t) {
  const Token& first = t.front();
  switch (first.kind) {
    case tkPostfix: case tkMultiplicative: case tkComparison: case tkLogical:
      FailParse(kMsgMissingOperand, first.text);
    default: break;
  }
  const Token& last = t.back();
  switch (last.kind) {
    case tkMultiplicative: case tkComparison: case tkNot: case tkLogical:
      FailParse(kMsgMissingOperand, last.text);
    default: break;
  }
  for (size_t p = 1; p + 1 < t.size(); ++p) {
    const TokenKind before = t[p - 1].kind, after = t[p + 1].kind;
    switch (t[p].kind) {
      case tkPostfix:
        if (!IsOperandEnd(before)) FailParse(kMsgMissingOperand, t[p].text);
        break;
      case tkMultiplicative: case tkComparison: case tkLogical:
        if (!IsOperandEnd(before) || !IsOperandStart(after))
          FailParse(kMsgMissingOperand, t[p].text);
        break;
      case tkNot:
        if (!IsOperandStart(after)) FailParse(kMsgMissingOperand, t[p].text);
        break;
      default: break;
    }
  }
}

void MergeSigns(TokenList& t) {
  for (size_t i = 0; i < t.size(); ++i) {
    while (i + 1 < t.size() && t[i].kind == tkSign && t[i + 1].kind == tkSign) {
      if (t[i].text == L"+") {
        t.erase(t.begin() + i);  // "+" before a sign changes nothing
      } else {
        // "--" is "+", "-+" is "-"
        t[i].text = t[i + 1].text == L"-" ? L"+" : L"-";
        t.erase(t.begin() + i + 1);
      }
    }
  }
  for (size_t i = 0; i + 1 < t.size();) {
    if (t[i].kind == tkNot && t[i + 1].kind == tkNot)
      t.erase(t.begin() + i, t.begin() + i + 2);
    else
      ++i;
  }
}

void RewriteEnds(TokenList& t) {
  Token& first = t.front();
  if (first.kind == tkSign && first.text == L"+") {
    t.erase(t.begin());
    if (t.empty()) FailParse(kMsgMissingOperand, L"+");
  } else if (first.kind == tkSign) {
    // A leading minus binds tightest; its operand includes any "not" that follows.
    if (t.size() == 1) FailParse(kMsgMissingOperand, L"-");
    // A minus with nothing to negate ("-)", "-) + 1", "-, x") is a missing operand, not a
    // call without arguments.
    if (t[1].kind == tkClose || t[1].kind == tkComma) FailParse(kMsgMissingOperand, L"-");
    first = Token{L"unarminus", tkCall};
    WrapRight(t, 0, L"-", true);
  } else {
    if (first.kind == tkComma) FailParse(kMsgCommaAtEnd);
    if (t.back().kind == tkComma) {
      // A final comma is accepted only while a bracket before it is still open; the bracket
      // check reports that bracket.
      long open = 0;
      for (size_t k = t.size() - 1; k-- > 0;) {
        if (t[k].kind == tkOpen || t[k].kind == tkCall) {
          ++open;
          if (t[k].kind == tkCall && open > 0) break;
        } else if (t[k].kind == tkClose) {
          --open;
        }
      }
      if (open <= 0) FailParse(kMsgCommaAtEnd);
    }
  }
  if (t.back().kind == tkSign) FailParse(kMsgEndsWithSign);
}

void RewriteUnarySigns(TokenList& t) {
  for (size_t p = 1; p + 1 < t.size(); ++p) {
    if (t[p].kind != tkSign || IsOperandEnd(t[p - 1].kind) || !StartsOperand(t[p + 1].kind))
      continue;
    if (t[p].text == L"+") {
      t.erase(t.begin() + p);
    } else {
      t[p] = Token{L"unarminus", tkCall};
      WrapRight(t, p, L"-");
    }
  }
}

void RewriteNots(TokenList& t) {
  for (size_t p = 0; p + 1 < t.size(); ++p) {
    if (t[p].kind != tkNot) continue;
    if (!StartsOperand(t[p + 1].kind)) FailParse(kMsgNotWithoutOperand);
    t[p] = Token{L"not", tkCall};
    WrapRight(t, p, L"not");
  }
}

void RewritePostfixes(TokenList& t) {
  for (size_t p = 1; p < t.size(); ++p) {
    if (t[p].kind != tkPostfix) continue;
    const std::wstring_view op = t[p].text;
    if (!EndsOperand(t[p - 1].kind)) FailParse(kMsgMissingOperand, op);
    t[p] = Token{L")", tkClose};
    if (FindLeft(t, p, op)) ++p;
  }
}

void RewriteBinarySigns(TokenList& t, const wchar_t* sign, const wchar_t* name) {
  for (size_t p = 1; p + 1 < t.size(); ++p) {
    if (t[p].kind != tkSign || t[p].text != sign) continue;
    if (!EndsOperand(t[p - 1].kind) || !StartsOperand(t[p + 1].kind))
      FailParse(kMsgMissingOperand, sign);
    RewriteBinaryAt(t, p, name);
  }
}

void CheckBrackets(const TokenList& t) {
  long open = 0;
  for (const Token& tok : t) {
    if (tok.kind == tkOpen || tok.kind == tkCall) ++open;
    else if (tok.kind == tkClose && --open < 0)
      FailParse(kMsgBracketsUnbalanced);  // closed too early
  }
  if (open != 0) FailParse(kMsgBracketsUnbalanced);
  for (size_t p = 1; p < t.size(); ++p)
    if (StartsOperand(t[p].kind) && EndsOperand(t[p - 1].kind)) FailParse(kMsgTwoOperands);
}

}  // namespace

// ---- AnalysisSink ----

void AnalysisSink::Report(const std::wstring& text) {
  if (!sink_) {
    text_ = text;
    flag_ = true;
    return;
  }
  ReportTextThenFlag(sink_, text);
}

bool AnalysisSink::ErrorFlag() const {
  if (!sink_) return flag_;
  VARIANT_BOOL f = 0;
  if (FAILED(sink_->get_ErrorFlag(&f))) return false;
  return f != 0;
}

std::wstring AnalysisSink::ErrorText() const {
  if (!sink_) return text_;
  BSTR b = nullptr;
  if (FAILED(sink_->get_ErrorText(&b))) return std::wstring();
  std::wstring r(BstrChars(b), BstrLength(b));
  SysFreeString(b);
  return r;
}

// ---- rewriting ----

void ConvertBinaryOperator(TokenList& t, TokenKind kind, std::wstring_view op) {
  for (size_t p = 1; p + 1 < t.size(); ++p)
    if (t[p].kind == kind && NamesEqual(t[p].text.data(), t[p].text.size(), op.data(), op.size()))
      RewriteBinaryAt(t, p, op);
}

namespace {

struct BinaryPass {
  TokenKind kind;
  std::wstring_view op;
};

// The binary operator passes around the sign passes, in their order.
const BinaryPass kMultiplicativePasses[] = {
    {tkMultiplicative, L"^"}, {tkMultiplicative, L"/"},   {tkMultiplicative, L"*"},
    {tkMultiplicative, L"div"}, {tkMultiplicative, L"mod"},
};
const BinaryPass kLaterPasses[] = {
    {tkLogical, L"shr"},    {tkLogical, L">>"},     {tkLogical, L"shl"},
    {tkLogical, L"<<"},     {tkComparison, L"<="},  {tkComparison, L"le"},
    {tkComparison, L">="},  {tkComparison, L"ge"},  {tkComparison, L"<>"},
    {tkComparison, L"ne"},  {tkComparison, L">"},   {tkComparison, L"gt"},
    {tkComparison, L"<"},   {tkComparison, L"lt"},  {tkComparison, L"="},
    {tkComparison, L"eq"},  {tkLogical, L"and"},    {tkLogical, L"&&"},
    {tkLogical, L"&"},      {tkLogical, L"or"},     {tkLogical, L"|"},
    {tkLogical, L"||"},     {tkLogical, L"xor"},    {tkLogical, L"~"},
};

// Bit i is set when the list holds an operator of passes[i]. A pass turns only its own operators
// into commas and makes none, so the passes whose bit is clear would change nothing: one look
// at the list spares them their scans.
template <size_t N>
std::uint32_t PassesWithWork(const TokenList& t, const BinaryPass (&passes)[N]) {
  static_assert(N <= 32, "one bit per pass");
  std::uint32_t work = 0;
  for (const Token& tok : t) {
    if (tok.kind != tkMultiplicative && tok.kind != tkComparison && tok.kind != tkLogical) continue;
    for (size_t i = 0; i < N; ++i)
      if (tok.kind == passes[i].kind && NamesEqual(tok.text.data(), tok.text.size(),
                                                   passes[i].op.data(), passes[i].op.size()))
        work |= std::uint32_t{1} << i;
  }
  return work;
}

template <size_t N>
void RunBinaryPasses(TokenList& t, const BinaryPass (&passes)[N]) {
  const std::uint32_t work = PassesWithWork(t, passes);
  for (size_t i = 0; i < N; ++i)
    if (work & (std::uint32_t{1} << i)) ConvertBinaryOperator(t, passes[i].kind, passes[i].op);
}

}  // namespace

void RewriteOperators(TokenList& t) {
  if (t.empty()) FailParse(kMsgEmptyExpression);
  CheckPlacement(t);
  MergeSigns(t);
  RewriteEnds(t);
  RewriteUnarySigns(t);
  RewriteNots(t);
  RewritePostfixes(t);
  RunBinaryPasses(t, kMultiplicativePasses);
  RewriteBinarySigns(t, L"-", L"minus");
  RewriteBinarySigns(t, L"+", L"plus");
  RunBinaryPasses(t, kLaterPasses);
  CheckBrackets(t);
}

// ---- grouping ----

TBracket::TBracket() { VariantInit(&Value); }
TBracket::TBracket(const TBracket& o)
    : Level(o.Level), Name(o.Name), Kind(o.Kind), ChildCount(o.ChildCount),
      FirstChild(o.FirstChild), LastChild(o.LastChild), NextSibling(o.NextSibling) {
  VariantInit(&Value);
  if (FAILED(VariantCopy(&Value, const_cast<VARIANT*>(&o.Value))))
    RaiseError(L"Out of memory", E_OUTOFMEMORY);
}
TBracket::~TBracket() { VariantClear(&Value); }

void ConvertLiterals(const TokenList& tokens, AnalysisSink& sink, std::vector<TBracket>& table) {
  // One entry per bracket, call and operand, made in place: no entry is ever copied into a
  // larger buffer.
  size_t entries = 1;
  for (const Token& tok : tokens)
    if (tok.kind == tkOpen || tok.kind == tkCall || tok.kind == tkLiteral || tok.kind == tkName ||
        tok.kind == tkString)
      ++entries;
  table.clear();
  table.reserve(entries);
  table.emplace_back();
  table[0].Level = 0;
  table[0].Name = L"(";
  table[0].Kind = TBracket::bkFunction;
  long depth = 0;
  long commas = 0;

  // Appends an entry at `level` under the nearest earlier function entry whose level is at most
  // `maxParentLevel`. There is always one while brackets nest properly; entry 0 is the limit.
  auto append = [&](long level, long maxParentLevel) -> TBracket* {
    long parent = static_cast<long>(table.size()) - 1;
    while (parent >= 0 &&
           !(table[parent].Kind == TBracket::bkFunction && table[parent].Level <= maxParentLevel))
      --parent;
    if (parent < 0) {
      sink.Report(GetMessageText(kMsgBracketsUnbalanced));
      return nullptr;
    }
    const long at = static_cast<long>(table.size());
    TBracket& p = table[parent];
    if (p.ChildCount > 0) {
      --commas;
      table[p.LastChild].NextSibling = at;
    } else {
      p.FirstChild = at;
    }
    p.LastChild = at;
    ++p.ChildCount;
    table.emplace_back();
    table.back().Level = level;
    return &table.back();
  };

  for (const Token& tok : tokens) {
    switch (tok.kind) {
      case tkComma:
        ++commas;
        break;
      case tkOpen:
      case tkCall: {
        ++depth;
        TBracket* e = append(depth, depth - 1);
        if (!e) return;
        e->Kind = TBracket::bkFunction;
        e->Name.assign(tok.kind == tkOpen ? std::wstring_view(L"(") : tok.text);
        break;
      }
      case tkClose:
        --depth;
        break;
      case tkLiteral: {
        VARIANT v;
        VariantInit(&v);
        const bool isTrue = NamesEqual(tok.text.data(), tok.text.size(), L"true", 4);
        if (isTrue || NamesEqual(tok.text.data(), tok.text.size(), L"false", 5)) {
          v.vt = VT_BOOL;
          v.boolVal = isTrue ? VARIANT_TRUE : VARIANT_FALSE;
        } else {
          const std::wstring literal(tok.text);
          try {
            StrToNumber(literal, v);
          } catch (const KernelError&) {
            sink.Report(GetMessageTextFmt(kMsgInvalidNumber, literal));
            return;
          }
        }
        TBracket* e = append(depth + 1, depth);
        if (!e) {
          VariantClear(&v);
          return;
        }
        e->Kind = TBracket::bkValue;
        e->Value = v;  // the entry takes the value over
        break;
      }
      case tkName: {
        TBracket* e = append(depth + 1, depth);
        if (!e) return;
        e->Kind = TBracket::bkName;
        e->Name.assign(tok.text);
        break;
      }
      case tkString: {
        TBracket* e = append(depth + 1, depth);
        if (!e) return;
        e->Kind = TBracket::bkValue;
        e->Value.vt = VT_BSTR;
        e->Value.bstrVal = SysAllocStringLen(tok.text.data(), static_cast<UINT>(tok.text.size()));
        if (!e->Value.bstrVal) {
          e->Value.vt = VT_EMPTY;
          RaiseError(L"Out of memory", E_OUTOFMEMORY);
        }
        break;
      }
      default:
        break;
    }
  }
  if (table[0].ChildCount > 1 || commas > 0) sink.Report(GetMessageText(kMsgMisplacedComma));
}

// ---- tree ----

INodeParsing* BuildNodeTree(const std::vector<TBracket>& table, long index, AnalysisSink& sink) {
  // Entries come in source order and a parent always precedes its children, so the subtree of
  // an entry is the run of entries up to its last descendant, and building that run from its
  // end gives every function its children before itself. No recursion: the depth of a tree is
  // only limited by the length of the text.
  const long first = index;
  long last = index;
  while (table[static_cast<size_t>(last)].Kind == TBracket::bkFunction &&
         table[static_cast<size_t>(last)].ChildCount > 0)
    last = table[static_cast<size_t>(last)].LastChild;

  NodeChildren built(static_cast<size_t>(last - first + 1), nullptr);
  // What each built node is, for the call above it.
  std::vector<KernelNodeRef, PoolAllocator<KernelNodeRef>> kinds(built.size());
  auto releaseBuilt = [&] {
    for (INodeParsing*& n : built)
      if (n) n->Release(), n = nullptr;
  };
  try {
    for (long i = last; i >= first; --i) {
      const TBracket& e = table[static_cast<size_t>(i)];
      INodeParsing* node = nullptr;
      KernelNodeRef& made = kinds[static_cast<size_t>(i - first)];
      switch (e.Kind) {
        case TBracket::bkValue:
          node = MakeLowermostNode(e.Value, made);
          break;
        case TBracket::bkName:
          node = MakeVariableOrConstNode(e.Name, made);
          break;
        case TBracket::bkFunction: {
          NodeChildren children;
          children.reserve(static_cast<size_t>(e.ChildCount));
          KernelNodeRef few[4];
          std::vector<KernelNodeRef, PoolAllocator<KernelNodeRef>> many;
          KernelNodeRef* childKinds = few;
          if (e.ChildCount > 4) {
            many.resize(static_cast<size_t>(e.ChildCount));
            childKinds = many.data();
          }
          for (long child = e.FirstChild; child >= 0;
               child = table[static_cast<size_t>(child)].NextSibling) {
            INodeParsing*& c = built[static_cast<size_t>(child - first)];
            childKinds[children.size()] = kinds[static_cast<size_t>(child - first)];
            children.push_back(c);
            c = nullptr;  // the new node holds that reference now
          }
          node = MakeFuncNode(e.Name, std::move(children), childKinds, made);
          break;
        }
        default:
          break;
      }
      built[static_cast<size_t>(i - first)] = node;
      if (!node || sink.ErrorFlag()) {
        releaseBuilt();
        return nullptr;
      }
    }
  } catch (...) {
    releaseBuilt();
    throw;
  }
  INodeParsing* root = built[0];
  built[0] = nullptr;
  return root;
}

}  // namespace evalkern
