#include "ShellSettings.h"

#include "ComValues.h"
#include "FwComSupport.h"
#include "KbdAction.h"
#include "ManagerRef.h"
#include "ShellIds.h"

namespace {

const wchar_t kCodeFormat[] = L"Settings\\CodeFormat";
const wchar_t kWindow[] = L"Settings\\Window";
const wchar_t kKeyboard[] = L"Settings\\Keyboard";
const wchar_t kSettings[] = L"Settings";
const wchar_t kTextEditor[] = L"Settings\\TextEditor";
const wchar_t kPanels[] = L"Settings\\Panels";
const wchar_t kViews[] = L"Settings\\ViewsConfig";
constexpr int kLexemeCount = LexemeTypeMax + 1;

// A failing call of the load.
struct LoadFailure {
  HRESULT hr;
};

void Check(HRESULT hr) {
  if (FAILED(hr)) throw LoadFailure{hr};
}

CString Indexed(LPCWSTR pattern, int index) {
  CString name;
  name.Format(pattern, index);
  return name;
}

long AsFlag(long value) { return value != 0 ? 1 : 0; }

// The persist manager's reads, failures thrown.
class Reader {
public:
  explicit Reader(IKivPersistManager* persist) : m_persist(persist) {}
  long Int(LPCWSTR section, LPCWSTR name, long fallback) {
    long value = fallback;
    Check(m_persist->ReadInteger(_bstr_t(section), _bstr_t(name), fallback, &value));
    return value;
  }
  CString Str(LPCWSTR section, LPCWSTR name, LPCWSTR fallback) {
    BSTR value = nullptr;
    Check(m_persist->ReadString(_bstr_t(section), _bstr_t(name), _bstr_t(fallback), &value));
    CString text = value != nullptr ? value : L"";
    ::SysFreeString(value);
    return text;
  }

private:
  IKivPersistManager* m_persist;
};

// The persist manager's writes; a failure is remembered and the writing goes on.
class Writer {
public:
  explicit Writer(IKivPersistManager* persist) : m_persist(persist) {}
  void Int(LPCWSTR section, LPCWSTR name, long value) {
    Note(m_persist->WriteInteger(_bstr_t(section), _bstr_t(name), value));
  }
  void Str(LPCWSTR section, LPCWSTR name, LPCWSTR value) {
    Note(m_persist->WriteString(_bstr_t(section), _bstr_t(name), _bstr_t(value != nullptr ? value : L"")));
  }
  // Writes the value a getter gives, or remembers the getter's failure.
  template <class T, class Getter>
  void From(LPCWSTR section, LPCWSTR name, Getter get, long (*convert)(T)) {
    T value{};
    if (Note(get(&value))) Int(section, name, convert(value));
  }
  bool Note(HRESULT hr) {
    if (FAILED(hr)) m_ok = false;
    return SUCCEEDED(hr);
  }
  bool Ok() const { return m_ok; }

private:
  IKivPersistManager* m_persist;
  bool m_ok = true;
};

// The manager, or the getter's failure thrown.
template <class Manager>
Manager* Need(const CManagerRef<Manager>& manager) {
  if (!manager) throw LoadFailure{manager.Failure()};
  return manager.get();
}

// ---- load -----------------------------------------------------------------------------------------

void LoadCodeFormat(Reader& read, ICodeFormatter* formatter) {
  CodeCommonFormat common = {};
  common.CcfBackColor = static_cast<unsigned long>(read.Int(kCodeFormat, L"CCFBackColor", -1));
  common.CcfFontCharSet = read.Int(kCodeFormat, L"CCFCharset", 1);
  CString fontName = read.Str(kCodeFormat, L"CCFFontName", L"Courier New");
  common.CcfFontHeight = read.Int(kCodeFormat, L"CCFFontSize", 220);
  _bstr_t font(static_cast<LPCWSTR>(fontName));
  common.CcfFontName = font;
  Check(formatter->SetCommonFormat(common));
  for (int i = 1; i <= kLexemeCount; ++i) {
    CharFormat format = {};
    format.CfBackColor = static_cast<unsigned long>(read.Int(kCodeFormat, Indexed(L"Lexeme%iBackColor", i), -1));
    format.CfForeColor = static_cast<unsigned long>(read.Int(kCodeFormat, Indexed(L"Lexeme%iForeColor", i), -1));
    format.CfBold = read.Int(kCodeFormat, Indexed(L"Lexeme%iBold", i), i == LexemeTypeBracketsHilight + 1 ? 1 : 0);
    format.CfItalic = read.Int(kCodeFormat, Indexed(L"Lexeme%iItalic", i), 0);
    format.CfStrikeout = read.Int(kCodeFormat, Indexed(L"Lexeme%iStrikeout", i), 0);
    format.CfUnderline = static_cast<UnderlineTypes>(read.Int(kCodeFormat, Indexed(L"Lexeme%iUnderline", i), 0));
    Check(formatter->SetCharFormat(static_cast<LexemeType>(i - 1), format));
  }
  Check(formatter->EndUpdate());
}

void LoadActions(Reader& read, IKivSettingsManager* settings) {
  long count = read.Int(kKeyboard, L"KbdActionsCount", 0);
  if (count < 0) count = 0;
  if (count > kMaxKbdActions) count = kMaxKbdActions;
  Check(settings->put_KbdActionsCount(count));
  for (long i = 1; i <= count; ++i) {
    CString name = read.Str(kKeyboard, Indexed(L"Action%iName", i), L"");
    CString answer = read.Str(kKeyboard, Indexed(L"Action%iTemplate", i), L"");
    CalcActionEx action = {};
    action.BaseAction.Processing = static_cast<ActionProcessing>(read.Int(kKeyboard, Indexed(L"Action%iProcessing", i), -1));
    action.Activated = read.Int(kKeyboard, Indexed(L"Action%iActivated", i), -1);
    action.KeyHandle = read.Int(kKeyboard, Indexed(L"Action%iKeyHandle", i), -1);
    action.Pass = read.Int(kKeyboard, Indexed(L"Action%iPass", i), -1);
    _bstr_t nameText(static_cast<LPCWSTR>(name)), answerText(static_cast<LPCWSTR>(answer));
    action.Name = nameText;
    action.BaseAction.Template = answerText;
    Check(settings->SetKbdActionEx(i - 1, action));
  }
}

// Adds one panel; a panel that cannot be added leaves the others.
void AddPanel(IKivPanelsManager* manager, UINT captionId, PanelViewType view, ICBCommandPanel* panel) {
  CString caption;
  caption.LoadString(captionId);
  long index = 0;
  manager->AddPanel(_bstr_t(static_cast<LPCWSTR>(caption)), view, VARIANT_FALSE, panel, &index);
}

void LoadPanels(INumbrookMain* root, IKivPanelsManager* manager, CommandPanels& panels) {
  Check(manager->Clear());
  try {
    panels.firstDefined.reset(new CDefinedCommandPanel(IDS_PANEL_RUN_FIRST));
    AddPanel(manager, IDS_PANEL_DEFINED_FIRST, PVTGroups, panels.firstDefined.get());
    ICalculatorKernel* kernel = nullptr;
    if (FAILED(root->GetCalculatorKernel(&kernel))) kernel = nullptr;
    panels.categories.reset(new CCategoryCommandPanel(kernel));
    if (kernel != nullptr) kernel->Release();
    AddPanel(manager, IDS_PANEL_CATEGORIES, PVTGroups, panels.categories.get());
    panels.secondDefined.reset(new CDefinedCommandPanel(IDS_PANEL_RUN_SECOND));
    AddPanel(manager, IDS_PANEL_DEFINED_SECOND, PVTCells, panels.secondDefined.get());
  } catch (LoadFailure&) {
    throw;
  } catch (...) {
    // Start-up goes on without the panels that could not be made.
  }
}

void Load(INumbrookMain* root, CommandPanels& panels) {
  CManagerRef<IKivPersistManager> persist(root, &INumbrookMain::GetPersistManager);
  Reader read(Need(persist));
  CManagerRef<ICodeFormatter> formatter(root, &INumbrookMain::GetCodeFormatter);
  if (formatter.get() != nullptr) LoadCodeFormat(read, formatter.get());

  CManagerRef<IKivTray> tray(root, &INumbrookMain::GetTrayManager);
  CManagerRef<IKivSettingsManager> settings(root, &INumbrookMain::GetSettingsManager);
  Check(Need(tray)->put_MinToTray(AsVariantBool(read.Int(kWindow, L"MinToTray", 1))));
  Check(tray->put_CloseToTray(AsVariantBool(read.Int(kWindow, L"CloseToTray", 1))));
  Check(Need(settings)->put_ShowAtStartup(AsVariantBool(read.Int(kWindow, L"ShowAtStartup", 1))));
  Check(settings->put_PassShowHideKey(AsVariantBool(read.Int(kKeyboard, L"PassShowHideKey", 0))));
  Check(settings->put_ShowHideKey(read.Int(kKeyboard, L"ShowHideKey", 0)));
  Check(settings->put_AlwaysOnTop(AsVariantBool(read.Int(kSettings, L"AlwaysOnTop", 0))));
  LoadActions(read, settings.get());

  CManagerRef<IKivPanelsManager> manager(root, &INumbrookMain::GetPanelsManager);
  LoadPanels(root, Need(manager), panels);
  Check(manager->put_ActivePanel(read.Int(kPanels, L"ActivePanel", 0)));
}

// ---- save -----------------------------------------------------------------------------------------

long FromVariantBool(VARIANT_BOOL value) { return AsFlag(value); }
long FromLong(long value) { return value; }
long FromStyle(VisualStyle value) { return value; }
long FromModel(DocumentModel value) { return value; }
long FromFnProcessing(FnProcessing value) { return value; }

void SaveCodeFormat(Writer& write, ICodeFormatter* formatter) {
  CodeCommonFormat common = {};
  if (write.Note(formatter->GetCommonFormat(&common))) {
    write.Int(kCodeFormat, L"CCFBackColor", static_cast<long>(common.CcfBackColor));
    write.Int(kCodeFormat, L"CCFCharset", common.CcfFontCharSet);
    write.Str(kCodeFormat, L"CCFFontName", common.CcfFontName);
    write.Int(kCodeFormat, L"CCFFontSize", common.CcfFontHeight);
    ::SysFreeString(common.CcfFontName);
  }
  for (int i = 1; i <= kLexemeCount; ++i) {
    CharFormat format = {};
    if (!write.Note(formatter->GetCharFormat(static_cast<LexemeType>(i - 1), &format))) continue;
    write.Int(kCodeFormat, Indexed(L"Lexeme%iBackColor", i), static_cast<long>(format.CfBackColor));
    write.Int(kCodeFormat, Indexed(L"Lexeme%iForeColor", i), static_cast<long>(format.CfForeColor));
    write.Int(kCodeFormat, Indexed(L"Lexeme%iBold", i), AsFlag(format.CfBold));
    write.Int(kCodeFormat, Indexed(L"Lexeme%iItalic", i), AsFlag(format.CfItalic));
    write.Int(kCodeFormat, Indexed(L"Lexeme%iStrikeout", i), AsFlag(format.CfStrikeout));
    write.Int(kCodeFormat, Indexed(L"Lexeme%iUnderline", i), format.CfUnderline);
  }
}

void SaveActions(Writer& write, IKivSettingsManager* settings) {
  long count = 0;
  if (!write.Note(settings->get_KbdActionsCount(&count))) return;
  write.Int(kKeyboard, L"KbdActionsCount", count);
  for (long i = 1; i <= count; ++i) {
    CalcActionEx action = {};
    if (!write.Note(settings->GetKbdActionEx(i - 1, &action))) continue;
    write.Str(kKeyboard, Indexed(L"Action%iName", i), action.Name);
    write.Str(kKeyboard, Indexed(L"Action%iTemplate", i), action.BaseAction.Template);
    write.Int(kKeyboard, Indexed(L"Action%iProcessing", i), action.BaseAction.Processing);
    write.Int(kKeyboard, Indexed(L"Action%iActivated", i), AsFlag(action.Activated));
    write.Int(kKeyboard, Indexed(L"Action%iKeyHandle", i), action.KeyHandle);
    write.Int(kKeyboard, Indexed(L"Action%iPass", i), AsFlag(action.Pass));
    ::SysFreeString(action.Name);
    ::SysFreeString(action.BaseAction.Template);
  }
}

}  // namespace

HRESULT LoadShellSettings(INumbrookMain* root, CommandPanels& panels) {
  if (root == nullptr) return E_POINTER;
  try {
    Load(root, panels);
  } catch (const LoadFailure& failure) {
    return failure.hr;
  } catch (...) {
    return E_FAIL;
  }
  return S_OK;
}

bool SaveShellSettings(INumbrookMain* root, int leftPaneWidth) {
  if (root == nullptr) return false;
  CManagerRef<IKivPersistManager> persist(root, &INumbrookMain::GetPersistManager);
  if (persist.get() == nullptr) return false;
  Writer write(persist.get());
  try {
    CManagerRef<ICodeFormatter> formatter(root, &INumbrookMain::GetCodeFormatter);
    if (formatter.get() != nullptr) SaveCodeFormat(write, formatter.get());

    CManagerRef<IKivTray> tray(root, &INumbrookMain::GetTrayManager);
    CManagerRef<IKivSettingsManager> settings(root, &INumbrookMain::GetSettingsManager);
    CManagerRef<IKivPanelsManager> panels(root, &INumbrookMain::GetPanelsManager);
    if (tray.get() == nullptr || settings.get() == nullptr || panels.get() == nullptr) write.Note(E_POINTER);
    if (tray.get() != nullptr) {
      write.From<VARIANT_BOOL>(kWindow, L"MinToTray", [&](VARIANT_BOOL* v) { return tray->get_MinToTray(v); }, FromVariantBool);
      write.From<VARIANT_BOOL>(kWindow, L"CloseToTray", [&](VARIANT_BOOL* v) { return tray->get_CloseToTray(v); }, FromVariantBool);
    }
    if (settings.get() != nullptr) {
      IKivSettingsManager* s = settings.get();
      write.From<VARIANT_BOOL>(kWindow, L"ShowAtStartup", [&](VARIANT_BOOL* v) { return s->get_ShowAtStartup(v); }, FromVariantBool);
      write.From<VARIANT_BOOL>(kKeyboard, L"PassShowHideKey", [&](VARIANT_BOOL* v) { return s->get_PassShowHideKey(v); }, FromVariantBool);
      write.From<long>(kKeyboard, L"ShowHideKey", [&](long* v) { return s->get_ShowHideKey(v); }, FromLong);
      write.From<DocumentModel>(kSettings, L"DocumentModel", [&](DocumentModel* v) { return s->get_DocModel(v); }, FromModel);
      write.From<VARIANT_BOOL>(kSettings, L"AlwaysOnTop", [&](VARIANT_BOOL* v) { return s->get_AlwaysOnTop(v); }, FromVariantBool);
      write.From<FnProcessing>(kTextEditor, L"FnProcessing", [&](FnProcessing* v) { return s->get_CurrentFnProcessing(v); }, FromFnProcessing);
      SaveActions(write, s);
    }
    if (panels.get() != nullptr)
      write.From<long>(kPanels, L"ActivePanel", [&](long* v) { return panels->get_ActivePanel(v); }, FromLong);
    if (settings.get() != nullptr)
      write.From<VisualStyle>(kWindow, L"CurrentStyle", [&](VisualStyle* v) { return settings->get_CurrentStyle(v); }, FromStyle);
    write.Int(kViews, L"LeftPaneWidth", leftPaneWidth);
  } catch (...) {
    write.Note(E_FAIL);
  }
  return write.Ok();
}
