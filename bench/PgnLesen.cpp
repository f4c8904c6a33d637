// Reading tagged game records and building game trees.
#include "record/PgnDoc.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// games with seven tags and up to 60 legal random moves each
std::string Datei(int spiele) {
    std::mt19937 rnd(3);
    std::string s;
    for (int i = 0; i < spiele; ++i) {
        for (const char *n : {"Event", "Site", "Date", "Round", "White", "Black", "Result"})
            s += std::string("[") + n + " \"Wert " + std::to_string(i) + "\"]\r\n";
        s += "\r\n";
        TZugGenerator r;
        for (int k = 0; k < 60; ++k) {
            TZug z = r.Zugliste[1 + static_cast<int>(rnd() % static_cast<unsigned>(r.Kandidaten()))];
            if (!r.IstErlaubt(z)) z = Passzug();
            if (r.AmZug) s += std::to_string(r.Zugnummer / 2 + 1) + ". ";
            s += IstPass(z) ? "O-O" : Feldname(z.Feld);
            s += ' ';
            r.Ziehe(z);
        }
        s += "*\r\n\r\n";
    }
    return s;
}

void BM_PgnLesen(benchmark::State &state) {
    const std::string text = Datei(static_cast<int>(state.range(0)));
    TPgnParser p;
    TPgnGameList l;
    for (auto _ : state) {
        ParsePgnText(p, l, text);
        benchmark::DoNotOptimize(l.Count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["Spiele/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_PgnLesen)->Arg(1)->Arg(100)->Arg(1000);

// A main line of 2000 moves, then a variation at every ply from the end backwards.
void BM_BaumEinfuegen(benchmark::State &state) {
    TBaum b;
    for (auto _ : state) {
        b.Init(1);
        for (int i = 0; i < 2000; ++i)
            b.Einfuegen(1 + i, TZug{Schwarz, static_cast<std::int8_t>(i % 100), 0, 0});
        for (int i = 1999; i >= 0; i -= 10)
            b.Einfuegen(1 + i, TZug{Weiss, 1, 0, 0});
        benchmark::DoNotOptimize(b.Letzter);
    }
}
BENCHMARK(BM_BaumEinfuegen);

} // namespace

BENCHMARK_MAIN();
