// The Evaluation page's full update (evaluation, both panes' text and the
// colouring of the current hit) for a 1 MiB sample, beside the cost of only
// setting the same text into a pane and of only the colouring. Runs without a
// screen (Qt's offscreen platform) and with settings in a temporary folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "BenchText.h"
#include "engine/UnicodeExpression.h"
#include "wizard/CompCtrl.h"
#include "wizard/EvalPage.h"
#include "wizard/TandrelSheet.h"

namespace {

constexpr size_t kUnits = (1u << 20) / 2;  // 1 MiB of UTF-16 text

const std::u16string& Sample() {
  static const std::u16string text = MakeBenchText(kUnits);
  return text;
}

// Colours as the Evaluation page does for one hit: the whole pane back to
// black, then the hit.
void ColourHit(CCompCtrl& pane, int32_t start, int32_t length) {
  pane.SetColor(0, -1, 0);
  pane.SetColor(start, start + length, 255);
}

void SetText(benchmark::State& state) {
  CCompCtrl pane;
  pane.SetReadOnly(true);
  for (auto _ : state) {
    std::u16string text = Sample();
    pane.ExchangeText(text, true);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * kUnits));
}

void ColourOnly(benchmark::State& state) {
  CCompCtrl pane;
  pane.SetReadOnly(true);
  for (auto _ : state) {
    state.PauseTiming();
    std::u16string text = Sample();
    pane.ExchangeText(text, true);
    state.ResumeTiming();
    ColourHit(pane, static_cast<int32_t>(kUnits / 2), 5);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * kUnits));
}

void FullUpdate(benchmark::State& state) {
  CTandrelSheet sheet;
  sheet.m_strSample = Sample();
  sheet.m_strSearch = u"+[0-9]";
  sheet.m_strReplace = u"%1>";
  g_bCaseSensitive = 1;
  sheet.m_nCurHit = 3000;  // a hit near the middle of the sample
  CEvalPage* page = sheet.EvalPage();
  for (auto _ : state) page->ShowCurrentHit();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * kUnits));
  state.counters["hits"] = static_cast<double>(sheet.m_aHits.size());
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RegisterBenchmark("pane/set_text/1MB", SetText)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("pane/colour_hit/1MB", ColourOnly)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("eval_page/full_update/1MB", FullUpdate)->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
