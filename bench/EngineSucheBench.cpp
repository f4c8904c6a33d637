// The search, one thread: time to finish each depth from an empty transposition table,
// positions per second and the effective branching factor (positions of depth d over d-1).
#include "EngineStellungen.h"

#include "engine/BasisBrett.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

void Still(const char*, int) {}

std::map<std::pair<int, int>, double> knotenJeTiefe;

void BM_Suche(benchmark::State& state) {
    const int stellung = static_cast<int>(state.range(0)); // 0 empty board, 1..5 mid-game
    const int tiefe = static_cast<int>(state.range(1));
    SetzeEngineMeldeProc(Still);
    LeseWerteText(StandardWerteText(), Konstanten);
    TEngineZustand e;
    if (stellung > 0) SpieleFolge(e, MittelspielFolgen()[static_cast<std::size_t>(stellung - 1)]);
    TSuchErgebnis r;
    double knoten = 0;
    for (auto _ : state) {
        state.PauseTiming();
        LeereTranspositionstabelle();
        state.ResumeTiming();
        r = SucheZug(e, tiefe, -2147483647.0, 2147483647.0, nullptr);
        knoten += static_cast<double>(r.Stellungen);
    }
    const double jeLauf = knoten / static_cast<double>(state.iterations());
    knotenJeTiefe[{stellung, tiefe}] = jeLauf;
    state.counters["Stellungen"] = jeLauf;
    state.counters["Stellungen/s"] = benchmark::Counter(knoten, benchmark::Counter::kIsRate);
    auto vorher = knotenJeTiefe.find({stellung, tiefe - 1});
    if (vorher != knotenJeTiefe.end() && vorher->second > 0) state.counters["EBF"] = jeLauf / vorher->second;
    state.SetLabel(Feldname(r.Feld) + " " + std::to_string(static_cast<int>(r.Wert)));
}

void Argumente(benchmark::internal::Benchmark* b) {
    for (int s = 0; s <= 5; ++s)
        for (int t = 1; t <= 8; ++t)
            b->Args({s, t});
}
BENCHMARK(BM_Suche)->Apply(Argumente)->Unit(benchmark::kMillisecond)->MinTime(0.2);

} // namespace

BENCHMARK_MAIN();
