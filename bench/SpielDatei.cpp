// Saving and reading a game file of random games with many variations, no engines attached.
#include "engine/Engines.h"
#include "record/StellungDoc.h"
#include "record/TPAcht.h"
#include "support/StringsV5.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

namespace {
std::string Datei() { return (std::filesystem::temp_directory_path() / "kiboru_bench_spiel.go").string(); }

// Plays random games from the start, each a new variation of the first move, with a variation
// at every tenth move, each at most 120 half-moves; the current position is the end of the last.
void ZufallsSpiele(int spiele) {
    EngineListe.clear();
    RegistriereLogMemo([](const std::string&) {});
    NeuesSpiel();
    std::mt19937 zufall(7);
    for (int s = 0; s < spiele; ++s) {
        ErsterZug();
        int gespielt = 0;
        while (!Regeln.BeidePassen() && gespielt < 120) {
            std::vector<TZug> erlaubt;
            for (int i = 2; i <= Regeln.Kandidaten(); ++i) {
                const TZug k = Regeln.Zugliste[i]; // a copy: the test rebuilds the list
                if (Regeln.IstErlaubt(k)) erlaubt.push_back(k);
            }
            if (erlaubt.empty()) erlaubt.push_back(Passzug());
            ZieheMitUhr(erlaubt[zufall() % erlaubt.size()]);
            if (++gespielt % 10 == 0 && erlaubt.size() > 1) {
                ZurueckMitUhr();
                ZieheMitUhr(erlaubt[zufall() % erlaubt.size()]);
            }
        }
    }
}

void BM_SpeichereSpiel(benchmark::State& state) {
    ZufallsSpiele(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SpeichereSpiel(Datei()).Code);
    state.counters["Token"] = Baum.Letzter + 1;
}
BENCHMARK(BM_SpeichereSpiel)->Arg(1)->Arg(20)->Unit(benchmark::kMicrosecond);

// The recovery copy after a change: the same atomic save (temporary file, rename), timed by the
// clock on the wall, as the user would wait for it.
void BM_Wiederherstellungskopie(benchmark::State& state) {
    ZufallsSpiele(static_cast<int>(state.range(0)));
    const std::string kopie =
        (std::filesystem::temp_directory_path() / "kiboru_bench_wiederherstellen.go").string();
    for (auto _ : state)
        benchmark::DoNotOptimize(SpeichereSpiel(kopie).Code);
    state.counters["Token"] = Baum.Letzter + 1;
    std::filesystem::remove(kopie);
}
BENCHMARK(BM_Wiederherstellungskopie)
    ->Arg(1)
    ->Arg(20)
    ->Arg(200)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

void BM_LeseSpiel(benchmark::State& state) {
    ZufallsSpiele(static_cast<int>(state.range(0)));
    SpeichereSpiel(Datei());
    const int token = Baum.Letzter + 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(LeseSpiel(Datei()).Code);
    state.counters["Token"] = token;
    state.counters["Halbzuege"] = Regeln.Zugnummer - 1;
}
BENCHMARK(BM_LeseSpiel)->Arg(1)->Arg(20)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
