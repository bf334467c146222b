// The search benchmark: every case of BenchCases over 1 MiB and 8 MiB of
// generated UTF-16 text, through Tandrel's evaluation road, PCRE2-JIT and
// std::wregex, plus a plain find of the rare literal as the limit. Before
// timing, it checks that the engines agree on every case and prints the hit
// counts; after timing, it prints a summary of speeds and ratios.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "AllocCounter.h"
#include "BenchCases.h"
#include "BenchText.h"
#include "PeerEngines.h"

namespace {

constexpr size_t kMiB = 1u << 20;
struct CTextSize {
  const char* label;
  size_t units;  // 16-bit units: 1 MiB of text is 512 Ki units
};
constexpr CTextSize kSizes[] = {{"1MB", kMiB / 2}, {"8MB", 8 * kMiB / 2}};

// std::regex runs that would take longer than this (estimated from the 1 MiB
// run) are left out and reported as skipped.
constexpr double kStdRegexBudgetSeconds = 40.0;

const std::u16string& Text(size_t units) {
  static const std::u16string longText = MakeBenchText(kSizes[1].units);
  static const std::u16string shortText = longText.substr(0, kSizes[0].units);
  return units == kSizes[0].units ? shortText : longText;
}

double Seconds(const std::function<void()>& f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

struct CCaseCheck {
  CRunResult tandrel[2], pcre[2], std[2];
  bool stdRan[2] = {false, false};
  double peakBytesPerHit[2] = {0, 0};
  bool agree = true;
};

std::map<std::string, CCaseCheck> g_checks;

std::string Describe(const CRunResult& r) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "%zu hits, %zu units found, replaced %zu units #%016llx", r.hits, r.foundUnits,
                r.replacedUnits, static_cast<unsigned long long>(r.replacedHash));
  return buf;
}

// One untimed run of each engine per case and size: the hit counts must
// agree, and so must the found lengths and the replaced texts.
bool CheckAgreement() {
  bool allAgree = true;
  std::printf("Agreement check (untimed): hits per engine, Tandrel's peak heap per hit\n");
  std::printf("%-20s %-4s %10s %10s %10s  %s\n", "case", "size", "Tandrel", "PCRE2-JIT", "std::regex", "peak heap/hit");
  for (const CBenchCase& c : BenchCases()) {
    CCaseCheck& check = g_checks[c.name];
    double stdSecondsSmall = 0;
    for (int s = 0; s < 2; ++s) {
      const std::u16string& text = Text(kSizes[s].units);
      {
        CTandrelEngine t(c, text);
        const size_t before = HeapBytesInUse();
        ResetHeapPeak();
        t.Run();
        check.tandrel[s] = t.Result();
        const size_t peak = HeapPeakBytes() - before;
        check.peakBytesPerHit[s] = check.tandrel[s].hits ? static_cast<double>(peak) / check.tandrel[s].hits : 0;
      }
      {
        CPcreEngine p(c, text);
        p.Run();
        check.pcre[s] = p.Result();
      }
      if (s == 0 || stdSecondsSmall * 8 <= kStdRegexBudgetSeconds) {
        CStdRegexEngine e(c, text);
        const double secs = Seconds([&] { e.Run(); });
        if (s == 0) stdSecondsSmall = secs;
        check.std[s] = e.Result();
        check.stdRan[s] = true;
      }
      const bool agree = check.tandrel[s] == check.pcre[s] && (!check.stdRan[s] || check.tandrel[s] == check.std[s]);
      check.agree = check.agree && agree;
      allAgree = allAgree && agree;
      std::printf("%-20s %-4s %10zu %10zu %10s  %.0f B%s\n", c.name.c_str(), kSizes[s].label, check.tandrel[s].hits,
                  check.pcre[s].hits, check.stdRan[s] ? std::to_string(check.std[s].hits).c_str() : "skipped",
                  check.peakBytesPerHit[s], agree ? "" : "   <-- ENGINES DISAGREE");
      if (!agree) {
        std::printf("    Tandrel:    %s\n    PCRE2-JIT:  %s\n", Describe(check.tandrel[s]).c_str(),
                    Describe(check.pcre[s]).c_str());
        if (check.stdRan[s]) std::printf("    std::regex: %s\n", Describe(check.std[s]).c_str());
      }
    }
  }
  const size_t limitHits = CountLiteral(Text(kSizes[1].units), kRareWord);
  std::printf("memchr-style find of \"quetzal\" over 8MB: %zu occurrences\n\n", limitHits);
  return allAgree;
}

template <typename Engine>
void RegisterEngine(const CBenchCase& c, int s, const char* engineName) {
  const std::string name = c.name + "/" + engineName + "/" + kSizes[s].label;
  benchmark::RegisterBenchmark(name.c_str(),
                               [&c, s](benchmark::State& state) {
                                 const std::u16string& text = Text(kSizes[s].units);
                                 Engine engine(c, text);
                                 // One untimed run first: the timed runs then reuse the
                                 // memory of the hit list and the replaced text, as the
                                 // wizard's repeated evaluations do.
                                 engine.Run();
                                 for (auto _ : state) {
                                   engine.Run();
                                   benchmark::ClobberMemory();
                                 }
                                 state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * text.size()));
                                 state.counters["hits"] = static_cast<double>(engine.Result().hits);
                               })
      ->Unit(benchmark::kMillisecond);
}

void RegisterAll() {
  for (const CBenchCase& c : BenchCases()) {
    for (int s = 0; s < 2; ++s) {
      RegisterEngine<CTandrelEngine>(c, s, "tandrel");
      RegisterEngine<CPcreEngine>(c, s, "pcre2jit");
      if (g_checks[c.name].stdRan[s]) RegisterEngine<CStdRegexEngine>(c, s, "stdregex");
    }
  }
  for (int s = 0; s < 2; ++s) {
    const std::string name = std::string("rare_literal/memchr_limit/") + kSizes[s].label;
    benchmark::RegisterBenchmark(name.c_str(),
                                 [s](benchmark::State& state) {
                                   const std::u16string& text = Text(kSizes[s].units);
                                   size_t n = 0;
                                   for (auto _ : state) {
                                     n = CountLiteral(text, kRareWord);
                                     benchmark::DoNotOptimize(n);
                                   }
                                   state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * 2 * text.size()));
                                   state.counters["hits"] = static_cast<double>(n);
                                 })
        ->Unit(benchmark::kMillisecond);
  }
}

// Keeps one time per benchmark (the median when repetitions were asked for)
// for the summary, and shows everything as the console reporter does. The
// summary uses CPU time: the benchmark is single-threaded, and on a shared
// machine wall time mostly measures the neighbours.
class CSummaryReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports) {
      if (run.error_occurred) continue;
      const double seconds = run.GetAdjustedCPUTime() * TimeUnitSeconds(run.time_unit);
      const std::string name = run.run_name.function_name;
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "median") m_median[name] = seconds;
      } else {
        m_sum[name] += seconds;
        m_count[name] += 1;
      }
    }
    ConsoleReporter::ReportRuns(reports);
  }

  // Seconds per run of name, or a negative value when it did not run.
  double Time(const std::string& name) const {
    if (auto it = m_median.find(name); it != m_median.end()) return it->second;
    if (auto it = m_sum.find(name); it != m_sum.end()) return it->second / m_count.at(name);
    return -1;
  }

private:
  static double TimeUnitSeconds(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kNanosecond: return 1e-9;
      case benchmark::kMicrosecond: return 1e-6;
      case benchmark::kMillisecond: return 1e-3;
      case benchmark::kSecond: return 1.0;
    }
    return 1.0;
  }
  std::map<std::string, double> m_median, m_sum;
  std::map<std::string, int> m_count;
};

std::string Cell(double value, const char* format) {
  if (value < 0) return "-";
  char buf[32];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

void PrintSummary(const CSummaryReporter& rep) {
  auto mibps = [&](const std::string& name, int s) {
    const double t = rep.Time(name);
    return t > 0 ? static_cast<double>(2 * kSizes[s].units) / kMiB / t : -1.0;
  };
  auto ratio = [&](const std::string& a, const std::string& b) {
    const double ta = rep.Time(a), tb = rep.Time(b);
    return ta > 0 && tb > 0 ? ta / tb : -1.0;
  };
  std::printf("\nSummary (CPU time; MiB/s of UTF-16 text; T/P = Tandrel time / PCRE2-JIT time; 8/1 = time(8MB) / time(1MB))\n");
  std::printf("%-20s %5s | %9s %9s %9s | %9s %9s %9s | %6s %6s | %6s %6s %6s\n", "case", "", "Tandrel", "PCRE2-JIT",
              "std::regex", "Tandrel", "PCRE2-JIT", "std::regex", "T/P", "T/P", "8/1", "8/1", "8/1");
  std::printf("%-20s %5s | %9s %9s %9s | %9s %9s %9s | %6s %6s | %6s %6s %6s\n", "", "", "1MB", "1MB", "1MB", "8MB", "8MB",
              "8MB", "1MB", "8MB", "Tandr.", "PCRE2", "std");
  for (const CBenchCase& c : BenchCases()) {
    const std::string t1 = c.name + "/tandrel/1MB", t8 = c.name + "/tandrel/8MB";
    const std::string p1 = c.name + "/pcre2jit/1MB", p8 = c.name + "/pcre2jit/8MB";
    const std::string s1 = c.name + "/stdregex/1MB", s8 = c.name + "/stdregex/8MB";
    std::printf("%-20s %5s | %9s %9s %9s | %9s %9s %9s | %6s %6s | %6s %6s %6s\n", c.name.c_str(),
                g_checks[c.name].agree ? "" : "DIFF", Cell(mibps(t1, 0), "%.1f").c_str(), Cell(mibps(p1, 0), "%.1f").c_str(),
                Cell(mibps(s1, 0), "%.1f").c_str(), Cell(mibps(t8, 1), "%.1f").c_str(), Cell(mibps(p8, 1), "%.1f").c_str(),
                g_checks[c.name].stdRan[1] ? Cell(mibps(s8, 1), "%.1f").c_str() : "skipped",
                Cell(ratio(t1, p1), "%.2f").c_str(), Cell(ratio(t8, p8), "%.2f").c_str(), Cell(ratio(t8, t1), "%.2f").c_str(),
                Cell(ratio(p8, p1), "%.2f").c_str(), Cell(ratio(s8, s1), "%.2f").c_str());
  }
  for (int s = 0; s < 2; ++s) {
    const std::string limit = std::string("rare_literal/memchr_limit/") + kSizes[s].label;
    const std::string tandrel = std::string("rare_literal/tandrel/") + kSizes[s].label;
    std::printf("rare literal, %s: memchr-style find %s MiB/s; Tandrel at %s of it\n", kSizes[s].label,
                Cell(mibps(limit, s), "%.1f").c_str(), Cell(100 * ratio(limit, tandrel), "%.0f%%").c_str());
  }
  const CCaseCheck& every = g_checks["every_char"];
  std::printf("every_char: Tandrel's peak heap per hit %.0f bytes (1MB, %zu hits), %.0f bytes (8MB, %zu hits)\n",
              every.peakBytesPerHit[0], every.tandrel[0].hits, every.peakBytesPerHit[1], every.tandrel[1].hits);
  for (const CBenchCase& c : BenchCases()) {
    if (!g_checks[c.name].stdRan[1]) {
      std::printf("%s: std::regex left out at 8MB (its 1MB run predicts more than %.0f s)\n", c.name.c_str(),
                  kStdRegexBudgetSeconds);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // --no_check leaves out the agreement check (and so the hit counts and
  // the heap figures), for profiling one benchmark alone.
  bool check = true;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--no_check") {
      check = false;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const bool agree = check ? CheckAgreement() : true;
  if (!check) {
    for (const CBenchCase& c : BenchCases()) g_checks[c.name].stdRan[0] = g_checks[c.name].stdRan[1] = true;
  }
  SetHeapCounting(false);  // the timings run without the allocation counter
  RegisterAll();
  CSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  PrintSummary(reporter);
  benchmark::Shutdown();
  if (!agree) {
    std::printf("\nThe engines disagree on at least one case (see the check above).\n");
    return 1;
  }
  return 0;
}
