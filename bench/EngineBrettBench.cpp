// Move execution, legality and evaluation of the engine board.
#include "EngineStellungen.h"

#include "engine/SWertDflt.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<TEngineZustand*> Stellungen() {
    static std::vector<TEngineZustand*> s = [] {
        std::vector<TEngineZustand*> v;
        for (const auto& f : MittelspielFolgen()) {
            auto* e = new TEngineZustand;
            SpieleFolge(*e, f);
            v.push_back(e);
        }
        return v;
    }();
    return s;
}

void BM_ZieheZuruecknehmen(benchmark::State& state) {
    auto st = Stellungen();
    std::vector<std::vector<int>> legal;
    for (auto* e : st) {
        legal.emplace_back();
        for (int k = 1; k <= e->Zuganzahl; ++k)
            if (e->IstErlaubt(e->Zugliste[k])) legal.back().push_back(e->Zugliste[k]);
    }
    std::int64_t n = 0;
    for (auto _ : state)
        for (std::size_t i = 0; i < st.size(); ++i)
            for (int p : legal[i]) {
                st[i]->Ziehe(p);
                st[i]->Zuruecknehmen(true);
                ++n;
            }
    state.SetItemsProcessed(n);
}
BENCHMARK(BM_ZieheZuruecknehmen);

void BM_IstErlaubt(benchmark::State& state) {
    auto st = Stellungen();
    std::int64_t n = 0;
    for (auto _ : state)
        for (auto* e : st)
            for (int k = 1; k <= e->Zuganzahl; ++k) {
                benchmark::DoNotOptimize(e->IstErlaubt(e->Zugliste[k]));
                ++n;
            }
    state.SetItemsProcessed(n);
}
BENCHMARK(BM_IstErlaubt);

void BM_Bewertung(benchmark::State& state) {
    auto st = Stellungen();
    TBewertungsKonstanten k;
    LeseWerteText(StandardWerteText(), k);
    std::int64_t n = 0;
    for (auto _ : state)
        for (auto* e : st) {
            benchmark::DoNotOptimize(Bewertung(*e, k));
            ++n;
        }
    state.SetItemsProcessed(n);
}
BENCHMARK(BM_Bewertung);

} // namespace

BENCHMARK_MAIN();
