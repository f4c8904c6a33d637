// The search, one thread, on the empty board, five mid-game and two late positions: time until
// the main line is d moves deep from a fresh tree, games and positions per second, one move per
// level with its time budget, and the time a cancelled search takes to answer.
#include "EngineStellungen.h"

#include "engine/BasisBrett.h"
#include "engine/SWertDflt.h"
#include "engine/ZSucheDflt.h"
#include "engine/Zufallspartie.h"
#include "engine/engineDefault.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

namespace {

void Still(const char*, int) {}

std::map<std::pair<int, int>, double> knotenJeTiefe;

// 0 empty board, 1..5 mid-game, 6..7 late.
void Stellung(TEngineZustand& e, int nr) {
    e.Neustart();
    const auto& mitte = MittelspielFolgen();
    const int m = static_cast<int>(mitte.size());
    if (nr >= 1 && nr <= m) SpieleFolge(e, mitte[static_cast<std::size_t>(nr - 1)]);
    if (nr > m) SpieleFolge(e, SpaetFolgen()[static_cast<std::size_t>(nr - m - 1)]);
}

void BM_Suche(benchmark::State& state) {
    const int stellung = static_cast<int>(state.range(0));
    const int tiefe = static_cast<int>(state.range(1));
    SetzeEngineMeldeProc(Still);
    LeseWerteText(StandardWerteText(), Konstanten);
    TEngineZustand e;
    Stellung(e, stellung);
    TSuchErgebnis r;
    double knoten = 0;
    for (auto _ : state) {
        r = SucheZug(e, tiefe, -2147483647.0, 2147483647.0, nullptr);
        knoten += static_cast<double>(r.Stellungen);
    }
    const double jeLauf = knoten / static_cast<double>(state.iterations());
    knotenJeTiefe[{stellung, tiefe}] = jeLauf;
    state.counters["Stellungen"] = jeLauf;
    state.counters["Stellungen/s"] = benchmark::Counter(knoten, benchmark::Counter::kIsRate);
    auto vorher = knotenJeTiefe.find({stellung, tiefe - 1});
    if (vorher != knotenJeTiefe.end() && vorher->second > 0) state.counters["EBF"] = jeLauf / vorher->second;
    state.SetLabel(Feldname(r.Feld) + " " + std::to_string(static_cast<int>(r.Wert)) + " " + r.Grund);
}

void Argumente(benchmark::internal::Benchmark* b) {
    const int stellungen = 1 + static_cast<int>(MittelspielFolgen().size() + SpaetFolgen().size());
    for (int s = 0; s < stellungen; ++s)
        for (int t = 1; t <= 8; ++t)
            b->Args({s, t});
}
BENCHMARK(BM_Suche)->Apply(Argumente)->Unit(benchmark::kMillisecond)->MinTime(0.2);

// Games played to the end per second of wall-clock time and moves per second (tree and games
// together, on all the search's threads), from a fresh tree with a budget of a quarter second,
// on the same positions. KIBORU_SUCHE=Faeden=1 measures one thread.
void BM_Spiele(benchmark::State& state) {
    const int stellung = static_cast<int>(state.range(0));
    SetzeEngineMeldeProc(Still);
    LeseWerteText(StandardWerteText(), Konstanten);
    TEngineZustand e;
    double partien = 0, zuege = 0;
    TSuchErgebnis r;
    for (auto _ : state) {
        // Another game first, so that no tree of the search before is taken over.
        state.PauseTiming();
        e.Neustart();
        SucheZug(e, 1, -2147483647.0, 2147483647.0, nullptr);
        Stellung(e, stellung);
        state.ResumeTiming();
        r = SucheZug(e, MaxKnoten, -2147483647.0, 2147483647.0, nullptr, 0.25);
        partien += static_cast<double>(r.Partien);
        zuege += static_cast<double>(r.Stellungen);
    }
    state.counters["Partien/s"] = benchmark::Counter(partien, benchmark::Counter::kIsRate);
    state.counters["Stellungen/s"] = benchmark::Counter(zuege, benchmark::Counter::kIsRate);
    state.SetLabel(Feldname(r.Feld) + " " + r.Grund);
}
BENCHMARK(BM_Spiele)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

// The games alone, without the tree: 20,000 games from the position with a fixed seed. The
// moves played are the label, so that a faster policy can be checked to play the same games.
void BM_Zufallspartien(benchmark::State& state) {
    TEngineZustand e;
    Stellung(e, static_cast<int>(state.range(0)));
    TBitBrett b;
    b.Uebernehmen(e);
    constexpr int Anzahl = 20000;
    long zuege = 0;
    for (auto _ : state) {
        TZufall z;
        zuege = 0;
        long summe = 0;
        for (int i = 0; i < Anzahl; ++i) {
            TZufallspartie p;
            p.Von(b);
            summe += p.BisZumEnde(z);
            zuege += p.Zuege;
        }
        benchmark::DoNotOptimize(summe);
    }
    state.counters["Partien/s"] = benchmark::Counter(
        static_cast<double>(Anzahl) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(std::to_string(zuege) + " Züge");
}
BENCHMARK(BM_Zufallspartien)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->MinTime(0.3);

// One move at each level 1..8 with the level's time budget, as the engine plays outside the
// book: the answer time and the depth reached.
void BM_Stufe(benchmark::State& state) {
    const int stellung = static_cast<int>(state.range(0));
    const int stufe = static_cast<int>(state.range(1));
    SetzeEngineMeldeProc(Still);
    LeseWerteText(StandardWerteText(), Konstanten);
    TEngineZustand e;
    Stellung(e, stellung);
    TSuchErgebnis r;
    double tiefen = 0;
    for (auto _ : state) {
        r = SucheZug(e, stufe, -2147483647.0, 2147483647.0, nullptr, ZeitBudget(stufe));
        tiefen += r.Tiefe;
    }
    state.counters["Tiefe"] = tiefen / static_cast<double>(state.iterations());
    state.SetLabel(Feldname(r.Feld) + " " + r.Grund);
}
BENCHMARK(BM_Stufe)
    ->ArgsProduct({{1, 6}, {1, 2, 3, 4, 5, 6, 7, 8}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Time from setting the stop flag to the answer of a search without a depth limit.
void BM_Abbruch(benchmark::State& state) {
    SetzeEngineMeldeProc(Still);
    LeseWerteText(StandardWerteText(), Konstanten);
    TEngineZustand e;
    Stellung(e, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::atomic<std::uint8_t> stopp{0};
        std::thread t([&] { SucheZug(e, 999, -2147483647.0, 2147483647.0, &stopp); });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto start = std::chrono::steady_clock::now();
        stopp = 1;
        t.join();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_Abbruch)->Arg(0)->Arg(1)->Arg(7)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
