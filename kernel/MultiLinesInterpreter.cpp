#include "MultiLinesInterpreter.h"

#include <memory>
#include <new>

#include "ClassRegistry.h"
#include "Creators.h"
#include "ErrorEvents.h"
#include "Evaluator.h"
#include "ExpressionAnalyzer.h"
#include "Format.h"
#include "Messages.h"
#include "NameCompare.h"
#include "Nodes.h"
#include "Settings.h"
#include "WorksheetText.h"

namespace evalkern {

namespace {

constexpr size_t kMaxLines = 32767;       // lines of a text, and statements of a line
const wchar_t kLineBreak[] = L"\r\n";
const wchar_t kStatementJoin[] = L"; ";

INodeParsing* LowermostText(const std::wstring& text) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = MakeBstr(text);
  INodeParsing* node = MakeLowermostNode(v);
  VariantClear(&v);
  return node;
}

INodeParsing* LowermostEmpty() {
  VARIANT v;
  VariantInit(&v);
  return MakeLowermostNode(v);
}

// A result that holds line breaks (a text made with char(10), say) must not push the results of
// the following lines down: its breaks are shown as blanks.
void AppendOnOneLine(PooledText& out, const std::wstring& result) {
  size_t from = out.size();
  out += result;
  for (size_t i = from; i < out.size(); ++i)
    if (out[i] == L'\r' || out[i] == L'\n') out[i] = L' ';
}

// Only blanks and control characters (codes 32 and below).
bool IsBlank(const std::wstring& s) {
  for (wchar_t c : s)
    if (c > L' ') return false;
  return true;
}

struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

}  // namespace

TMultiLinesInterpreterOrlen::TMultiLinesInterpreterOrlen(const CLSID& clsid)
    : TCreatable(clsid),
      source_{IsEqualCLSID(clsid, CLSID_BasicMultiLinesInterpreterOrlen)
                  ? L"Evalkern.BasicMultiLinesInterpreterOrlen"
                  : L"Evalkern.MultiLinesInterpreterOrlen",
              &IID_IMultiLinesInterpreterOrlen} {}

TMultiLinesInterpreterOrlen::~TMultiLinesInterpreterOrlen() = default;

void* TMultiLinesInterpreterOrlen::Cast(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_ISimpleInterpreterOrlen) ||
      IsEqualIID(iid, IID_IMultiLinesInterpreterOrlen))
    return static_cast<IMultiLinesInterpreterOrlen*>(this);
  return CreatableCast(iid);
}

void TMultiLinesInterpreterOrlen::Initialize(bool withBasicLibrary) {
  Adopt(ErrorEvents, NewErrorEvents());
  Adopt(Settings, NewSettings());
  TempVars = CoCollectionVars::Create();
  if (!withBasicLibrary) return;
  Lib = CoLibOrlen::Create();
  LONG at = -1;
  Check(Lib->Add(CoBasicSetConsts::Create().Get(), &at));
  Check(Lib->Add(CoBasicSetFuncs::Create().Get(), &at));
  Check(Lib->Refresh());
}

IErrorEvents* TMultiLinesInterpreterOrlen::Sink() {
  return MadeOnDemand(ErrorEvents, NewErrorEvents);
}

bool TMultiLinesInterpreterOrlen::CheckCalculationNeeded() {
  if (!IsCalculationNeeded) return true;
  VARIANT_BOOL answer = VARIANT_TRUE;
  Check(IsCalculationNeeded->IsCalculationNeeded(&answer));
  return answer != VARIANT_FALSE;
}

// The old statement with the same text and name near `cursor` (two lines up, two lines down),
// so that lines inserted or removed above keep the trees below them.
const TMultiLinesInterpreterOrlen::RecLine* TMultiLinesInterpreterOrlen::FindReusable(
    const std::wstring& expression, const std::wstring& name, int& cursor) const {
  const int last = static_cast<int>(lines_.size()) - 1;
  auto search = [&](int line) -> const RecLine* {
    for (const RecLine& old : lines_[line])
      if (old.tree && old.failure.empty() && old.expression == expression && old.name == name) {
        cursor = line;
        return &old;
      }
    return nullptr;
  };
  for (int line = std::min(cursor, last); line >= 0 && line >= cursor - 2; --line)
    if (const RecLine* found = search(line)) return found;
  for (int line = std::max(cursor + 1, 0); line <= last && line <= cursor + 2; ++line)
    if (const RecLine* found = search(line)) return found;
  return nullptr;
}

// Runs at the end of ParseLines, which has taken the temporary variables out of the library
// already: the names are looked up among the library's own variables only.
void TMultiLinesInterpreterOrlen::RebuildTempVars() {
  ComPtr<IVars> vars;
  Check(Lib->get_Vars(&vars));
  for (const Line& line : lines_)
    for (const RecLine& statement : line) {
      if (statement.name.empty()) continue;
      BSTR name = MakeBstr(statement.name);
      LONG at = -1;
      HRESULT hr = vars->GetIndex(name, &at);
      if (SUCCEEDED(hr) && at == -1) {
        VARIANT empty;
        VariantInit(&empty);
        hr = TempVars->Add(name, empty);
      }
      SysFreeString(name);
      Check(hr);
    }
  LONG at = -1;
  Check(Lib->Add(TempVars.Get(), &at));
  Check(Lib->Refresh());
}

// A list per line holding its statements' trees, in a list of the lines.
void TMultiLinesInterpreterOrlen::BuildMainNode() {
  std::vector<INodeParsing*> lineNodes;
  lineNodes.reserve(lines_.size());
  try {
    for (const Line& line : lines_) {
      std::vector<INodeParsing*> statementNodes;
      statementNodes.reserve(line.size());
      for (const RecLine& rec : line) {
        rec.tree->AddRef();
        statementNodes.push_back(rec.tree.Get());
      }
      lineNodes.push_back(MakeListNode(std::move(statementNodes)));
    }
  } catch (...) {
    for (INodeParsing* node : lineNodes) node->Release();
    throw;
  }
  Adopt(IMainNode, MakeListNode(std::move(lineNodes)));
}

bool TMultiLinesInterpreterOrlen::ParseLines() {
  hasValue_ = false;
  IMainNode.Reset();
  parsed_ = false;
  if (!Lib) RaiseError(L"The interpreter has no library");
  bool result = true;

  Check(Lib->put_ErrorEvents(Sink()));
  Check(TempVars->Clear());
  LONG index = -1;
  Check(Lib->GetIndex(TempVars.Get(), &index));
  if (index >= 0) Check(Lib->Delete(index));
  Check(Lib->Refresh());

  PooledVector<Line> fresh;
  bool failed = false;
  KernelError failure;
  try {
    ComPtr<IErrorEvents> sink;
    Check(Lib->get_ErrorEvents(&sink));
    if (!sink) sink = Sink();
    Check(sink->put_ErrorFlag(VARIANT_FALSE));
    ComPtr<IConsts> consts;
    Check(Lib->get_Consts(&consts));

    PooledVector<std::wstring_view> texts = WorksheetLineViews(Text);
    if (texts.size() > kMaxLines) RaiseError(GetMessageText(14069));
    fresh.reserve(texts.size());
    int cursor = -1;
    std::vector<std::wstring> statements;
    for (std::wstring_view text : texts) {
      ++cursor;
      SplitLineStatements(text, statements);
      if (statements.size() > kMaxLines) RaiseError(GetMessageText(14070));
      Line line;
      line.reserve(statements.size());
      for (std::wstring& statement : statements) {
        StatementParts parts = SplitAssignment(std::move(statement));
        if (!parts.error && !parts.name.empty()) {
          BSTR name = MakeBstr(parts.name);
          LONG at = -1;
          HRESULT hr = consts->GetIndex(name, &at);
          SysFreeString(name);
          Check(hr);
          if (at >= 0) parts.error = 14033;
        }
        RecLine rec;
        bool keptKind = false;
        if (parts.error) {
          rec.failure = (parts.error == 14032 || parts.error == 14033)
                            ? GetMessageTextFmt(parts.error, parts.name)
                            : GetMessageText(parts.error);
          Adopt(rec.tree, LowermostText(rec.failure));
          ReportFlagThenText(sink.Get(), rec.failure);
        } else {
          rec.expression = std::move(parts.expression);
          rec.name = std::move(parts.name);
          // Empty statements do not move the cursor: blank and comment lines would otherwise push
          // it past the old numbering, and every later tree would be analysed again.
          const RecLine* reused = nullptr;
          if (!rec.expression.empty()) reused = FindReusable(rec.expression, rec.name, cursor);
          if (reused) {
            rec.tree = reused->tree;
            rec.kind = reused->kind;
            keptKind = true;
            // A kept tree that failed to analyse still fails this parse.
            if (rec.kind.kind == NodeKind::Error) result = false;
          } else if (IsBlank(rec.expression)) {
            Adopt(rec.tree, rec.name.empty() ? LowermostText(L"") : LowermostEmpty());
          } else {
            AnalyzeExpression(rec.expression, sink.Get(), rec.tree.ReleaseAndGetAddressOf());
          }
        }
        if (!keptKind) rec.kind = IdentifyNode(rec.tree.Get());
        if (ErrorFlagSet(sink.Get())) result = false;
        Check(sink->put_ErrorFlag(VARIANT_FALSE));
        line.push_back(std::move(rec));
      }
      fresh.push_back(std::move(line));
    }
  } catch (const KernelError& e) {
    failed = true;
    failure = e;
  }

  // The new lines take over even when the parse failed half way. The tree of lists over them
  // is made when a host asks for it.
  lines_ = std::move(fresh);
  parsed_ = true;
  RebuildTempVars();

  if (failed) throw failure;
  return result;
}

bool TMultiLinesInterpreterOrlen::CalcLines() {
  if (!Settings) Adopt(Settings, NewSettings());
  bool result = parsed_ ? true : ParseLines();
  hasValue_ = false;
  if (!Lib) RaiseError(L"The interpreter has no library");
  IErrorEvents* sink = Sink();
  Check(Lib->put_ErrorEvents(sink));
  Check(Lib->put_Settings(Settings.Get()));

  if (!CheckCalculationNeeded()) return false;
  if (!HasBracketFunc(Lib.Get())) {
    ComPtr<IFunc> bracket = NewBracketFunc();
    LONG at = -1;
    Check(Lib->Insert(bracket.Get(), 0, &at));
  }
  Check(Lib->Refresh());
  if (!CheckCalculationNeeded()) return false;

  ComPtr<IVars> vars;
  Check(Lib->get_Vars(&vars));
  std::unique_ptr<OLECHAR, decltype(&SysFreeString)> none(MakeBstr(L"", 0), &SysFreeString);
  TreeEvaluator evaluator(Lib.Get());
  // Results take rarely more room than their expressions: grown step by step, a long
  // worksheet's output would be copied into ever larger buffers. The buffer is kept from one
  // Calc to the next, so that a recalculation writes into memory it has used before.
  PooledText& out = Value;
  out.clear();
  out.reserve(Text.size() + lines_.size() * 2);
  for (size_t l = 0; l < lines_.size(); ++l) {
    const Line& line = lines_[l];
    for (size_t s = 0; s < line.size(); ++s) {
      const RecLine& rec = line[s];
      Variant v;
      if (!rec.failure.empty()) {
        ReportFlagThenText(sink, rec.failure);
      } else {
        evaluator.Evaluate(rec.tree.Get(), rec.kind, &v.v);
      }
      if (!rec.name.empty()) {
        BSTR name = MakeBstr(rec.name);
        LONG index = -1;
        HRESULT hr = vars->GetIndex(name, &index);
        SysFreeString(name);
        Check(hr);
        Variant stored;
        if (!ErrorFlagSet(sink)) Check(VariantCopy(&stored.v, &v.v));
        Check(vars->SetValue(index, stored.v));
      }
      if (s > 0) out += kStatementJoin;
      AppendOnOneLine(out, FormatValue(v.v, sink, Settings.Get()));
      if (ErrorFlagSet(sink)) result = false;
      Check(sink->put_ErrorFlag(VARIANT_FALSE));
      Check(sink->put_ErrorText(none.get()));
    }
    if (l + 1 < lines_.size()) {
      out += kLineBreak;
      if (!CheckCalculationNeeded()) break;
    }
  }
  hasValue_ = true;
  return result;
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_Text(BSTR* value) {
  return GuardOut(source_, value, [&] { *value = MakeBstr(Text.data(), Text.size()); });
}

STDMETHODIMP TMultiLinesInterpreterOrlen::put_Text(BSTR value) {
  // Assigned in place: a long text reuses the buffer of the one before instead of fresh memory.
  return Guard(source_, [&] { Text.assign(BstrChars(value), BstrLength(value)); });
}

// Clear drops the tree too, so that the next Calc parses the (empty) text instead of walking
// lines that are gone.
STDMETHODIMP TMultiLinesInterpreterOrlen::Clear() {
  return Guard(source_, [&] {
    lines_.clear();
    Text.clear();
    IMainNode.Reset();
    parsed_ = false;
    if (TempVars) Check(TempVars->Clear());
  });
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_Settings(ISettings** value) {
  return GetMadeOnDemand(source_, Settings, NewSettings, value);
}

STDMETHODIMP TMultiLinesInterpreterOrlen::put_Settings(ISettings* value) {
  return PutField(Settings, value);
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_Lib(ILibOrlen** value) {
  return GetField(Lib, value);
}

STDMETHODIMP TMultiLinesInterpreterOrlen::put_Lib(ILibOrlen* value) { return PutField(Lib, value); }

STDMETHODIMP TMultiLinesInterpreterOrlen::Parsing(VARIANT_BOOL* result) {
  return GuardOut(source_, result, [&] { *result = ParseLines() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_IMainNode(INodeParsing** value) {
  return GuardOut(source_, value, [&] {
    if (parsed_ && !IMainNode) BuildMainNode();
    PutOut(value, IMainNode);
  });
}

STDMETHODIMP TMultiLinesInterpreterOrlen::Calc(VARIANT_BOOL* result) {
  return GuardOut(source_, result, [&] { *result = CalcLines() ? VARIANT_TRUE : VARIANT_FALSE; });
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_Value(VARIANT* value) {
  if (!value) return E_POINTER;
  VariantInit(value);
  if (!hasValue_) return S_OK;
  BSTR text = SysAllocStringLen(Value.data(), static_cast<UINT>(Value.size()));
  if (!text) return E_OUTOFMEMORY;
  value->vt = VT_BSTR;
  value->bstrVal = text;
  return S_OK;
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_ErrorEvents(IErrorEvents** value) {
  return GetMadeOnDemand(source_, ErrorEvents, NewErrorEvents, value);
}

// Putting no sink keeps the current one.
STDMETHODIMP TMultiLinesInterpreterOrlen::put_ErrorEvents(IErrorEvents* value) {
  if (value) ErrorEvents = value;
  return S_OK;
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_IsCalculationNeeded(IIsCalculationNeeded** value) {
  return GetField(IsCalculationNeeded, value);
}

STDMETHODIMP TMultiLinesInterpreterOrlen::put_IsCalculationNeeded(IIsCalculationNeeded* value) {
  return PutField(IsCalculationNeeded, value);
}

STDMETHODIMP TMultiLinesInterpreterOrlen::get_TempVars(IVars** value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  if (!TempVars) return S_OK;
  return TempVars->QueryInterface(IID_IVars, reinterpret_cast<void**>(value));
}

namespace {

HRESULT Create(const CLSID& clsid, bool basic, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* object = new (std::nothrow) TMultiLinesInterpreterOrlen(clsid);
  if (!object) return E_OUTOFMEMORY;
  object->AddRef();
  const ErrorSource source{basic ? L"Evalkern.BasicMultiLinesInterpreterOrlen"
                                 : L"Evalkern.MultiLinesInterpreterOrlen",
                           &IID_IMultiLinesInterpreterOrlen};
  HRESULT hr = Guard(source, [&] { object->Initialize(basic); });
  if (SUCCEEDED(hr)) hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

}  // namespace

HRESULT CreateMultiLinesInterpreterOrlen(REFIID iid, void** out) {
  return Create(CLSID_MultiLinesInterpreterOrlen, false, iid, out);
}

HRESULT CreateBasicMultiLinesInterpreterOrlen(REFIID iid, void** out) {
  return Create(CLSID_BasicMultiLinesInterpreterOrlen, true, iid, out);
}

EVALKERN_CLASS(MultiLinesInterpreterOrlen, &CreateMultiLinesInterpreterOrlen);
EVALKERN_CLASS(BasicMultiLinesInterpreterOrlen, &CreateBasicMultiLinesInterpreterOrlen);

}  // namespace evalkern
