// Recalculation speed of the worksheet interpreter, driven through COM exactly as the calculator
// drives it on every edit: Text, Parsing, Calc, Value. Prints, for worksheets of 1,000, 10,000
// and 30,000 lines (a worksheet takes at most 32,767), the time of a full recalculation and of a recalculation after a
// one-character edit in the middle; then a longer soak run over random worksheets.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "Evalkern.h"
#include "WorksheetGenerator.h"

namespace {

struct Interpreter {
  IMultiLinesInterpreterOrlen* p = nullptr;
  Interpreter() {
    HRESULT hr = CoCreateInstance(CLSID_BasicMultiLinesInterpreterOrlen, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IMultiLinesInterpreterOrlen, reinterpret_cast<void**>(&p));
    if (FAILED(hr)) {
      std::fprintf(stderr, "Evalkern is not registered (0x%08lx)\n", static_cast<unsigned long>(hr));
      std::exit(1);
    }
  }
  ~Interpreter() { p->Release(); }
  // One recalculation as the host does it; returns the output's length so nothing is optimised away.
  size_t Recalculate(const std::wstring& text) {
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    p->put_Text(b);
    SysFreeString(b);
    VARIANT_BOOL ok;
    p->Parsing(&ok);
    p->Calc(&ok);
    VARIANT v;
    VariantInit(&v);
    p->get_Value(&v);
    size_t n = v.vt == VT_BSTR ? SysStringLen(v.bstrVal) : 0;
    VariantClear(&v);
    return n;
  }
};

double MedianMs(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <class F>
double TimeMs(F&& f) {
  const double start = Now();
  f();
  return (Now() - start) * 1e3;
}

}  // namespace

int main(int argc, char** argv) {
  int soakRounds = argc > 1 ? std::atoi(argv[1]) : 20000;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  {
    Interpreter interp;
    std::printf("%-8s %-22s %12s %12s %14s\n", "lines", "case", "median ms", "us/line", "lines/s");
    for (int lines : {1000, 10000, 30000}) {  // a worksheet takes at most 32767 lines
      worksheetgen::Generator gen(7);
      std::wstring text = gen.RealisticWorksheet(lines);
      // Alternate two texts that differ in one character in the middle, as typing does.
      std::wstring edited = text;
      size_t mid = edited.find(L"\r\n", edited.size() / 2);
      edited.insert(mid, L"1");

      const int runs = lines >= 30000 ? 5 : 11;
      std::vector<double> full, edit;
      for (int r = 0; r < runs; ++r) {
        Interpreter fresh;  // nothing to reuse: every statement analysed anew
        full.push_back(TimeMs([&] { fresh.Recalculate(text); }));
      }
      interp.Recalculate(text);
      for (int r = 0; r < runs; ++r)
        edit.push_back(TimeMs([&] { interp.Recalculate(r % 2 ? text : edited); }));
      for (auto [name, samples] : {std::pair<const char*, std::vector<double>&>{"full recalculation", full},
                                   {"after one-char edit", edit}}) {
        double ms = MedianMs(samples);
        std::printf("%-8d %-22s %12.2f %12.3f %14.0f\n", lines, name, ms, ms * 1000.0 / lines,
                    lines / (ms / 1000.0));
      }
    }

    // Soak: random worksheets, each must give one output line per worksheet line.
    worksheetgen::Generator gen(99);
    int bad = 0;
    double ms = TimeMs([&] {
      for (int round = 0; round < soakRounds; ++round) {
        std::wstring text;
        int lines = 1 + gen.Pick(20);
        for (int i = 0; i < lines; ++i) {
          if (i) text += L"\r\n";
          text += gen.Pick(2) ? gen.RealisticLine(i) : gen.WildLine(80);
        }
        interp.Recalculate(text);
        VARIANT v;
        VariantInit(&v);
        interp.p->get_Value(&v);
        size_t outLines = 1;
        if (v.vt == VT_BSTR)
          for (const wchar_t* c = v.bstrVal; *c; ++c) outLines += *c == L'\n';
        if (v.vt != VT_BSTR || static_cast<int>(outLines) != lines) ++bad;
        VariantClear(&v);
      }
    });
    std::printf("soak: %d random worksheets in %.0f ms, %d with a wrong line count\n", soakRounds, ms, bad);
    if (bad) return 1;
  }
  CoUninitialize();
  return 0;
}
