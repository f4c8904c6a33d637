#pragma once
// Search of the built-in engine: iterative deepening alpha-beta over a bitboard copy of the
// engine board.
#include <cstdint>
#include <string>

// What the engine information view shows of the running or last search. The search keeps a
// copy of it up to date under a lock; HoleSuchInfo hands out a consistent copy.
struct TSuchInfo {
    int Tiefe = 0;
    int AktuellerZug = -2; // point, -1 pass, -2 none yet
    double AktuellerWert = 0;
    int BesterZug = -2;
    double BesterWert = 0;
    std::int64_t Stellungen = 0;
    std::string Zeit; // stopwatch text "00:00:01.2"
    std::int64_t ProSekunde = 0;
    std::string Grund; // reason the search stopped, empty while it runs
    bool Laeuft = false;
};

TSuchInfo HoleSuchInfo();
// Fills in the view for a move that was not searched (a move of the opening book).
void SetzeSuchInfo(const TSuchInfo& i);

#include "engine/ziehenDflt.h"

#include <atomic>
#include <vector>

// Entries of the transposition table (16 bytes each); fixed, allocated once.
constexpr int TTBits = 20;
constexpr int TTGroesse = 1 << TTBits;

// Values of proven results as the search reports them: the count ± GewinnWert (0 for equal).
// Values of the evaluation stay within ±EvalGrenze.
constexpr int EvalGrenze = 31000;
constexpr int GewinnWert = 32000;

struct TSuchErgebnis {
    int Feld = -2;     // -1 pass, -2 none
    double Wert = 0;   // for the side to move
    int Tiefe = 0;     // last finished depth
    std::string Grund; // one of the stop reasons
    std::int64_t Stellungen = 0;
    std::int64_t Bewertungen = 0;
    bool Bewiesen = false; // Wert is the count of the finished game under best play
};

// Iterative deepening up to maxTiefe over e (left as it was found). The window is clamped to
// the range of the search's scores. Reports each finished depth and the stop reason. With a
// budget (seconds, > 0) no new depth is begun once the next one would not end in time, and a
// depth still running at the end of the budget is given up for the last one finished. Points in
// ohne are not played at the root (unless nothing else is legal). A quiet search (the game
// analysis) sends no messages.
TSuchErgebnis SucheZug(TEngineZustand& e, int maxTiefe, double alpha, double beta,
                       const std::atomic<std::uint8_t>* stopp, double budget = 0,
                       const std::vector<int>* ohne = nullptr, bool still = false);
// Clears the statistics before a compute.
void SuchInfoZuruecksetzen();
// Forgets everything the transposition table holds (tests that compare searches).
void LeereTranspositionstabelle();
